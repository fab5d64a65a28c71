#ifndef PARVOLIN_DEVICE_PROFILE_TABLE_H
#define PARVOLIN_DEVICE_PROFILE_TABLE_H

#include "platform/device/DeviceProfile.h"

#include <vector>

// Every handheld the device layer knows how to emulate, the default among them.
const std::vector<DeviceProfile>& knownDeviceProfiles();

#endif
