#include "platform/hosts/HostEnvironment.h"

#include "platform/base/HostText.h"
#include "platform/windows/WindowObjects.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace HostEnvironment {

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool hasDesktop() { return !variable("DISPLAY").empty() || !variable("WAYLAND_DISPLAY").empty(); }

int scale(int unset, const char* where)
{
    const std::string value = variable("PARVOLIN_SCALE");
    if (value.empty())
        return unset;
    uint64_t asked = 0;
    if (HostText::wholeNumber(value, largestScale, asked) && asked >= 1)
        return static_cast<int>(asked);
    const std::string instead =
        unset > 0 ? std::to_string(unset) : std::string("the largest scale that fits ") + where;
    std::fprintf(stderr, "Parvolin: PARVOLIN_SCALE \"%s\" is not a whole number from 1 to %d; using %s\n",
                 value.c_str(), largestScale, instead.c_str());
    return unset;
}

std::string windowTitle()
{
    std::wstring title = WindowObjects::newestTitle();
    std::string text;
    if (title.empty() || !HostText::toUtf8(title.c_str(), text))
        return "Parvolin";
    return text;
}

} // namespace HostEnvironment
