#ifndef PARVOLIN_CONSOLE_MODE_H
#define PARVOLIN_CONSOLE_MODE_H

// The virtual terminal a program on a Linux console runs on, while the frame-buffer host
// shows the glass: switched to graphics mode (KDSETMODE), so that the console draws no
// text over the picture, with its cursor hidden and typed characters neither echoed nor
// left for the shell. Everything is put back when the program ends: when it returns, by
// exit, by SIGINT, SIGTERM, SIGHUP or SIGQUIT, and on a crash signal (SIGSEGV, SIGBUS,
// SIGFPE, SIGILL, SIGABRT) before the signal's own action. Without a virtual terminal
// nothing is done.
namespace ConsoleMode {

// Switches the program's terminal when it is a virtual terminal; false, with nothing
// changed, when it is not.
bool enter();

// Puts the terminal back; nothing when it was not switched (or was put back already).
// Safe in a signal handler.
void leave();

// The guard alone, over any descriptor: it is put back as the terminal would be (the
// terminal's mode and settings where it has them, then the cursor shown again), at the
// same moments. enter() uses it; tests watch it on a pipe.
void guard(int fd, bool virtualTerminal, int savedMode);

} // namespace ConsoleMode

#endif
