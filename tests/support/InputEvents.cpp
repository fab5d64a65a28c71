#include "support/InputEvents.h"

#include <linux/input.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

std::string eventBytes(std::initializer_list<EventRecord> records)
{
    std::string bytes;
    for (const EventRecord& record : records) {
        input_event event;
        std::memset(&event, 0, sizeof(event));
        event.type = static_cast<uint16_t>(record.type);
        event.code = static_cast<uint16_t>(record.code);
        event.value = record.value;
        bytes.append(reinterpret_cast<const char*>(&event), sizeof(event));
    }
    return bytes;
}

std::string touchDown(int32_t x, int32_t y)
{
    return eventBytes({{EV_ABS, ABS_X, x}, {EV_ABS, ABS_Y, y}, {EV_KEY, BTN_TOUCH, 1}, {EV_SYN, SYN_REPORT, 0}});
}

std::string touchMove(int32_t x, int32_t y)
{
    return eventBytes({{EV_ABS, ABS_X, x}, {EV_ABS, ABS_Y, y}, {EV_SYN, SYN_REPORT, 0}});
}

std::string touchUp() { return eventBytes({{EV_KEY, BTN_TOUCH, 0}, {EV_SYN, SYN_REPORT, 0}}); }

std::string keyEvent(unsigned code, int32_t value)
{
    return eventBytes({{EV_KEY, code, value}, {EV_SYN, SYN_REPORT, 0}});
}

bool appendBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

ScopedEnvironment::ScopedEnvironment(const std::map<std::string, std::string>& variables)
{
    for (const auto& variable : variables) {
        const char* before = std::getenv(variable.first.c_str());
        wasSet[variable.first] = before != nullptr;
        saved[variable.first] = before ? before : "";
        if (variable.second.empty())
            unsetenv(variable.first.c_str());
        else
            setenv(variable.first.c_str(), variable.second.c_str(), 1);
    }
}

ScopedEnvironment::~ScopedEnvironment()
{
    for (const auto& variable : saved) {
        if (wasSet[variable.first])
            setenv(variable.first.c_str(), variable.second.c_str(), 1);
        else
            unsetenv(variable.first.c_str());
    }
}
