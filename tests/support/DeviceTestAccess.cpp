#include "support/DeviceTestAccess.h"

#include "core/Device.h"
#include "core/PlatformIds.h"

void DeviceTestAccess::forgetPlatform()
{
    if (Device* device = Device::getInstance())
        device->platformId = static_cast<uint32_t>(PlatformId::Unknown);
}
