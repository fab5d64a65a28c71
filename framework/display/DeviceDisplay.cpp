#include "core/Device.h"
#include "display/Display.h"

#include <new>

// The device's own Display is made here, in the layer that knows what a Display is, so
// that Device itself stays below the display.
Display* Device::getDisplay()
{
    if (!display)
        display = new (std::nothrow) Display();
    return display;
}
