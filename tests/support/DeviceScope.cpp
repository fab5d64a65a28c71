#include "support/DeviceScope.h"

#include <gtest/gtest.h>

ScopedDeviceProfile::ScopedDeviceProfile(const char* name) : previous(DeviceProfiles::current())
{
    EXPECT_TRUE(DeviceProfiles::select(name)) << name;
}

ScopedDeviceProfile::ScopedDeviceProfile(const DeviceProfile& profile) : previous(DeviceProfiles::current())
{
    DeviceProfiles::use(profile);
}

ScopedDeviceProfile::~ScopedDeviceProfile() { DeviceProfiles::use(previous); }

ScopedManualClock::ScopedManualClock(uint64_t startNanoseconds, uint64_t stepNanoseconds)
    : ManualClock(startNanoseconds, stepNanoseconds)
{
    Clock::install(this);
}

ScopedManualClock::~ScopedManualClock() { Clock::install(nullptr); }
