#ifndef PARVOLIN_HOST_ENVIRONMENT_H
#define PARVOLIN_HOST_ENVIRONMENT_H

#include <string>

// The environment variables the hosts that show the device to a person read alike.
namespace HostEnvironment {

constexpr int largestScale = 8;

// The variable's value; empty when it is not set.
std::string variable(const char* name);

// Whether a desktop is there to open a window on: DISPLAY or WAYLAND_DISPLAY is set.
bool hasDesktop();

// PARVOLIN_SCALE, a whole number from 1 to largestScale; `unset` when it is not set. Any
// other value is reported on stderr and counts as not set: the message says that `unset`
// is used instead or, when it is 0, the largest scale that fits `where` ("the desktop",
// "the screen").
int scale(int unset, const char* where);

// The title a host shows for the program: its newest top-level window's, else "Parvolin".
std::string windowTitle();

} // namespace HostEnvironment

#endif
