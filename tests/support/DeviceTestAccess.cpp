#include "support/DeviceTestAccess.h"

#include "app/Device.h"
#include "app/PlatformIds.h"

void DeviceTestAccess::forgetPlatform()
{
    if (Device* device = Device::getInstance())
        device->platformId = static_cast<uint32_t>(PlatformId::Unknown);
}
