#ifndef PARVOLIN_TEST_DEVICE_SCOPE_H
#define PARVOLIN_TEST_DEVICE_SCOPE_H

#include "platform/base/Clock.h"
#include "platform/device/DeviceProfile.h"

// Emulates another device for the life of the object, then the one before.
class ScopedDeviceProfile {
public:
    explicit ScopedDeviceProfile(const char* name);
    explicit ScopedDeviceProfile(const DeviceProfile& profile);
    ~ScopedDeviceProfile();
    ScopedDeviceProfile(const ScopedDeviceProfile&) = delete;
    ScopedDeviceProfile& operator=(const ScopedDeviceProfile&) = delete;

private:
    DeviceProfile previous;
};

// A clock the test moves by hand, installed for the life of the object.
class ScopedManualClock : public ManualClock {
public:
    explicit ScopedManualClock(uint64_t startNanoseconds = 0, uint64_t stepNanoseconds = 0);
    ~ScopedManualClock() override;
};

#endif
