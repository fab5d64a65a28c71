#ifndef PARVOLIN_DEVICE_INPUT_H
#define PARVOLIN_DEVICE_INPUT_H

#include "platform/base/InputCommand.h"
#include "platform/base/PlatformTypes.h"

// What the device makes of a person's input: messages posted to the program's window
// (the newest top-level one, which the host shows), as the handheld's drivers and shell
// post them.
//   stylus      WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP at the point, physical pixels;
//               a double-click is WM_LBUTTONDBLCLK when the window's class has
//               CS_DBLCLKS, else a plain WM_LBUTTONDOWN
//   keys        WM_KEYDOWN and WM_KEYUP to the focus window (else the program's window)
//               with the device's key code; a key-down of a key that is down already is
//               an auto-repeat and has bit 30 set
//   deactivate  the window loses the foreground: WM_ACTIVATE with WA_INACTIVE
//   activate    restored if minimised, the foreground again: WM_ACTIVATE with WA_ACTIVE
//   close       WM_SYSCOMMAND with SC_CLOSE
namespace DeviceInput {

// False when there is no window to take it (or for a shot, which is not input).
bool post(const InputCommand& command);

// The virtual-key code a command means on the current device.
uint32_t keyCode(const InputCommand& command);

// Forgets which keys are down (a new session).
void releaseKeys();

} // namespace DeviceInput

#endif
