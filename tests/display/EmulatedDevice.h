#ifndef PARVOLIN_TEST_EMULATED_DEVICE_H
#define PARVOLIN_TEST_EMULATED_DEVICE_H

#include "display/Display.h"
#include "platform/device/DeviceProfile.h"
#include "support/DeviceScope.h"
#include "support/TestWindow.h"

#include <cstdint>

class Surface;

// One device emulated for a test, with a window to open the display on. The platform is
// detected afresh for it.
class EmulatedDevice {
public:
    explicit EmulatedDevice(const char* name);
    explicit EmulatedDevice(const DeviceProfile& profile);
    ~EmulatedDevice();

    HWND window() const { return testWindow.handle(); }

private:
    ScopedDeviceProfile scope;
    bool forgotten;
    TestWindow testWindow;
};

// Display's constructor and destructor belong to the application; a test makes its own.
class TestDisplay : public Display {
public:
    TestDisplay() = default;
    ~TestDisplay() override = default;
};

// A known device with a plain RGB565 screen of another size: its frame buffer, the system
// metrics and every screen interface it has report that size.
DeviceProfile withScreen(const char* name, uint32_t width, uint32_t height);

// The same device without its Game API ("GX.dll").
DeviceProfile withoutGameApi(const char* name);

// An asymmetric picture: neighbouring pixels differ in red (x) and green (y), blue counts
// blocks of 32 x 64, and a white "F" stands in the top left corner, so that a mirrored
// or turned copy shows.
uint16_t patternPixel(uint32_t x, uint32_t y);
void paintPattern(Surface* surface);

// True in builds with AddressSanitizer, which keeps the iPAQ's frame buffer address.
bool addressSanitizerBuild();

#endif
