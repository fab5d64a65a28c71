#ifndef PARVOLIN_DESKTOP_WINDOWS_H
#define PARVOLIN_DESKTOP_WINDOWS_H

#include "platform/base/PlatformTypes.h"

#include <string>

// The top-level windows of every Parvolin program of this user on this desktop, so that
// a second start of a game finds the first and brings it forward, as on the handheld.
//
// Only programs whose host shows the device on the desktop take part (Host::sharesDesktop;
// a headless run is a device of its own). Each such program keeps one entry per top-level
// window in a folder of the user's ($XDG_RUNTIME_DIR/parvolin, else /tmp/parvolin-<uid>,
// mode 0700) holding its class, title and process, and listens on a socket there for
// requests to come forward. Entries go with their window and at exit; entries of a
// process that has gone are removed by whoever comes across them.
namespace DesktopWindows {

// The folder, made if needed; empty when it cannot be made safely.
std::string folder();

// This program's window came or goes.
void publish(HWND window, const std::wstring& className, const std::wstring& title);
void withdraw(HWND window);
void withdrawAll();

// A handle for the first window of another program with that class and title (null
// matches any; compared without case), or null.
HWND find(const wchar_t* className, const wchar_t* title);
// Asks the program of a window found with find() to bring it forward; false when that
// program has gone (its entry is removed) or the handle is no such window.
bool requestForeground(HWND window);
// The number of requests to come forward that reached this program since the last call
// (the input schedule turns each into an "activate" input and asks the host to raise).
unsigned takeRequests();

} // namespace DesktopWindows

#endif
