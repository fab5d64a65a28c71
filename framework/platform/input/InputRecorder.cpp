#include "platform/input/InputRecorder.h"

#include "platform/input/InputScript.h"

#include <cerrno>
#include <cstring>

InputRecorder::~InputRecorder() { close(); }

bool InputRecorder::open(const std::string& path, const char* deviceName, std::string& error)
{
    close();
    file = std::fopen(path.c_str(), "w");
    if (!file) {
        error = std::string("cannot be written: ") + std::strerror(errno);
        return false;
    }
    std::fprintf(file, "# Parvolin input recorded on the device %s: FRAME COMMAND ARGS\n", deviceName);
    std::fflush(file);
    return true;
}

void InputRecorder::write(uint64_t tick, const InputCommand& command)
{
    if (!file)
        return;
    InputCommand atTick = command;
    atTick.frame = tick;
    std::fprintf(file, "%s\n", InputScript::format(atTick).c_str());
    std::fflush(file);
}

void InputRecorder::close()
{
    if (file)
        std::fclose(file);
    file = nullptr;
}
