#include "platform/input/InputSchedule.h"

#include "platform/base/FrameTicks.h"

#include "platform/windows/DesktopWindows.h"
#include "platform/input/DeviceInput.h"
#include "platform/device/DeviceProfile.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/device/GlassImage.h"
#include "platform/base/Host.h"
#include "platform/input/InputScript.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

InputSchedule& InputSchedule::current()
{
    static InputSchedule instance;
    return instance;
}

bool InputSchedule::configureFromEnvironment(std::string& why)
{
    reset();
    const char* scriptPath = std::getenv("PARVOLIN_SCRIPT");
    if (scriptPath && *scriptPath) {
        std::vector<InputCommand> commands;
        std::string error;
        if (!InputScript::load(scriptPath, commands, error)) {
            why = std::string("PARVOLIN_SCRIPT \"") + scriptPath + "\": " + error;
            return false;
        }
        setScript(commands);
    }
    const char* frames = std::getenv("PARVOLIN_FRAMES");
    if (frames && *frames) {
        char* end = nullptr;
        errno = 0;
        unsigned long long ticks = std::strtoull(frames, &end, 10);
        if (*end || errno || frames[0] < '0' || frames[0] > '9') {
            why = std::string("PARVOLIN_FRAMES \"") + frames + "\" is not a whole number of frames";
            return false;
        }
        setFrameLimit(ticks);
    }
    const char* recordPath = std::getenv("PARVOLIN_RECORD");
    if (recordPath && *recordPath && !startRecording(recordPath, why)) {
        why = std::string("PARVOLIN_RECORD \"") + recordPath + "\": " + why;
        return false;
    }
    return true;
}

void InputSchedule::reset()
{
    script.clear();
    scriptPosition = 0;
    limited = false;
    frameLimit = 0;
    nextTick = 0;
    delivered = false;
    recorder.close();
    DeviceInput::releaseKeys();
}

void InputSchedule::setScript(const std::vector<InputCommand>& commands)
{
    script = commands;
    scriptPosition = 0;
}

void InputSchedule::setFrameLimit(uint64_t ticks)
{
    limited = true;
    frameLimit = ticks;
}

bool InputSchedule::startRecording(const std::string& path, std::string& why)
{
    return recorder.open(path, DeviceProfiles::current().name, why);
}

void InputSchedule::stopRecording() { recorder.close(); }

void InputSchedule::deliverForComingTick()
{
    if (delivered)
        return;
    delivered = true;
    while (scriptPosition < script.size() && script[scriptPosition].frame <= nextTick) {
        const InputCommand& command = script[scriptPosition++];
        if (command.kind == InputCommand::Shot)
            takeShot(command);
        else
            deliver(command);
    }
    if (limited && frameLimit == nextTick) {
        InputCommand close;
        close.kind = InputCommand::Close;
        deliver(close);
    }
    Hosts::current().deliverInput();
    for (unsigned request = DesktopWindows::takeRequests(); request > 0; --request) {
        InputCommand activate;
        activate.kind = InputCommand::Activate;
        deliver(activate);
        Hosts::current().raise();
    }
}

void InputSchedule::startTick()
{
    ++nextTick;
    delivered = false;
}

bool InputSchedule::hasScheduledInput() const
{
    return scriptPosition < script.size() || (limited && frameLimit >= nextTick);
}

void InputSchedule::deliver(const InputCommand& command)
{
    DeviceInput::post(command);
    recorder.write(nextTick, command);
}

void InputSchedule::takeShot(const InputCommand& command)
{
    EmulatedScreen* screen = EmulatedScreen::current();
    if (!screen || !Glass::writePng(Glass::capture(*screen), command.path))
        std::fprintf(stderr, "Parvolin: the shot \"%s\" before frame %llu could not be written\n",
                     command.path.c_str(), static_cast<unsigned long long>(nextTick));
}

namespace FrameTicks {
void deliverForComingTick() { InputSchedule::current().deliverForComingTick(); }
void startTick() { InputSchedule::current().startTick(); }
bool hasScheduledInput() { return InputSchedule::current().hasScheduledInput(); }
} // namespace FrameTicks
