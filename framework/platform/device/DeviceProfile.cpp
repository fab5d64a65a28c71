#include "platform/device/DeviceProfile.h"

#include "platform/device/DeviceProfileTable.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
struct Selection {
    bool chosen = false;
    DeviceProfile profile = {};
};

Selection& selection()
{
    static Selection instance;
    return instance;
}

void reportUnknown(const char* name)
{
    std::fprintf(stderr, "Parvolin: unknown device \"%s\" in PARVOLIN_DEVICE; known devices:", name);
    for (const DeviceProfile& profile : knownDeviceProfiles())
        std::fprintf(stderr, " %s", profile.name);
    std::fprintf(stderr, "; using %s\n", DeviceProfiles::defaultName);
}

} // namespace

namespace DeviceProfiles {

const DeviceProfile& current()
{
    if (!selection().chosen)
        choose(std::getenv("PARVOLIN_DEVICE"));
    return selection().profile;
}

bool choose(const char* name)
{
    if (name && *name && select(name))
        return true;
    select(defaultName);
    if (!name || !*name)
        return true;
    reportUnknown(name);
    return false;
}

bool select(const char* name)
{
    const DeviceProfile* profile = find(name);
    if (!profile)
        return false;
    use(*profile);
    return true;
}

void use(const DeviceProfile& profile)
{
    selection().profile = profile;
    selection().chosen = true;
}

const DeviceProfile* at(size_t index)
{
    const auto& table = knownDeviceProfiles();
    return index < table.size() ? &table[index] : nullptr;
}

const DeviceProfile* find(const char* name)
{
    if (!name)
        return nullptr;
    for (const DeviceProfile& profile : knownDeviceProfiles())
        if (std::strcmp(profile.name, name) == 0)
            return &profile;
    return nullptr;
}

} // namespace DeviceProfiles
