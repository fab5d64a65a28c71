#ifndef PARVOLIN_TASK_BAR_H
#define PARVOLIN_TASK_BAR_H

#include "platform/base/PlatformTypes.h"

// The shell's task bar: a top-level window of the shell across the top of the screen,
// of the class the device's profile names ("HHTaskbar" on a Pocket PC, "Tray" on a
// Smartphone). Programs find it with FindWindowW and hide it to go full screen.
namespace TaskBar {

// The current device's task bar, made when first asked for (and made anew when another
// device is chosen); null for a device without one.
HWND window();

// Its height in pixels.
constexpr int height = 26;

} // namespace TaskBar

#endif
