#include "platform/hosts/ConsoleMode.h"

#include <fcntl.h>
#include <linux/kd.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

const int guardedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int signalCount = sizeof(guardedSignals) / sizeof(guardedSignals[0]);

const char hideCursor[] = "\033[?25l";
const char showCursor[] = "\033[?25h";

// What leave() needs, kept where a signal handler can reach it without allocating.
volatile sig_atomic_t guarded = 0;
int terminal = -1;
bool isVirtualTerminal = false;
int consoleMode = KD_TEXT;
bool settingsSaved = false;
termios savedSettings;
struct sigaction previousActions[signalCount];

void writeAll(int fd, const char* text, size_t length)
{
    while (length > 0) {
        ssize_t written = write(fd, text, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text += written;
        length -= static_cast<size_t>(written);
    }
}

void restoreSignals()
{
    for (int i = 0; i < signalCount; ++i)
        sigaction(guardedSignals[i], &previousActions[i], nullptr);
}

// Puts the terminal back, then lets the signal do what it would have done: the action
// that was there before (by default the end of the program, with a core for a crash).
void onSignal(int signal)
{
    int savedErrno = errno;
    ConsoleMode::leave();
    errno = savedErrno;
    // The signal is blocked while this runs: raised again, it arrives when this returns.
    raise(signal);
}

void leaveAtExit() { ConsoleMode::leave(); }

} // namespace

namespace ConsoleMode {

void guard(int fd, bool virtualTerminal, int savedMode)
{
    static bool atExitRegistered = false;
    if (guarded)
        leave();
    terminal = fd;
    isVirtualTerminal = virtualTerminal;
    consoleMode = savedMode;
    settingsSaved = false;
    if (isatty(fd) && tcgetattr(fd, &savedSettings) == 0) {
        settingsSaved = true;
        // Keys typed on the console are for the game: not echoed, not gathered into lines
        // for the shell. Ctrl+C still ends the program.
        termios quiet = savedSettings;
        quiet.c_lflag &= static_cast<tcflag_t>(~(ECHO | ICANON));
        tcsetattr(fd, TCSANOW, &quiet);
    }
    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < signalCount; ++i)
        sigaction(guardedSignals[i], &action, &previousActions[i]);
    guarded = 1;
    if (!atExitRegistered) {
        atExitRegistered = true;
        std::atexit(leaveAtExit);
    }
}

void leave()
{
    if (!guarded)
        return;
    guarded = 0;
    restoreSignals();
    if (isVirtualTerminal)
        ioctl(terminal, KDSETMODE, consoleMode);
    if (settingsSaved) {
        // What was typed during the game is not the shell's.
        tcflush(terminal, TCIFLUSH);
        tcsetattr(terminal, TCSANOW, &savedSettings);
    }
    writeAll(terminal, showCursor, sizeof(showCursor) - 1);
    // The terminal was opened for this; a descriptor handed to guard() stays its owner's.
    if (isVirtualTerminal)
        close(terminal);
}

bool enter()
{
    int fd = open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    int mode = KD_TEXT;
    // Only a virtual terminal knows its console mode; a pseudo-terminal or a serial line
    // does not, and is left as it is.
    if (ioctl(fd, KDGETMODE, &mode) != 0) {
        close(fd);
        return false;
    }
    writeAll(fd, hideCursor, sizeof(hideCursor) - 1);
    guard(fd, true, mode);
    ioctl(fd, KDSETMODE, KD_GRAPHICS);
    return true;
}

} // namespace ConsoleMode
