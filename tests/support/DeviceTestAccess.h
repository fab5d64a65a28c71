#ifndef PARVOLIN_TEST_DEVICE_TEST_ACCESS_H
#define PARVOLIN_TEST_DEVICE_TEST_ACCESS_H

// The Device singleton keeps the platform it detected first, as it must on a real
// handheld; tests that emulate several devices in one process make it detect again.
class DeviceTestAccess {
public:
    static void forgetPlatform();
};

#endif
