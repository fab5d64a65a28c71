#include "platform/windows/DesktopWindows.h"
#include "platform/base/Host.h"
#include "platform/windows/Messages.h"
#include "support/CountingHost.h"
#include "support/DeviceScope.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"
#include "support/TestWindow.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

// A host on the user's desktop, as the SDL window is, that notes when it is raised.
class DesktopHost : public CountingHost {
public:
    bool sharesDesktop() const override { return true; }
    void raise() override { raised = true; }
    bool raised = false;
};

// Points the desktop's folder at a folder of the test's own.
class ScopedRuntimeFolder {
public:
    ScopedRuntimeFolder()
    {
        const char* before = std::getenv("XDG_RUNTIME_DIR");
        saved = before ? before : "";
        hadOne = before != nullptr;
        setenv("XDG_RUNTIME_DIR", folder.hostPath().c_str(), 1);
    }
    ~ScopedRuntimeFolder()
    {
        if (hadOne)
            setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
    }

    int windowEntries() const { return entriesIn(DesktopWindows::folder()); }

    static int entriesIn(const std::string& desktop)
    {
        int count = 0;
        DIR* listing = opendir(desktop.c_str());
        while (dirent* item = listing ? readdir(listing) : nullptr)
            count += std::string(item->d_name).rfind("window-", 0) == 0;
        if (listing)
            closedir(listing);
        return count;
    }

    TempFolder folder;

private:
    std::string saved;
    bool hadOne = false;
};

// Waits up to five seconds for one byte.
char readByte(int fd)
{
    pollfd wanted = {fd, POLLIN, 0};
    char byte = 0;
    if (poll(&wanted, 1, 5000) == 1 && read(fd, &byte, 1) == 1)
        return byte;
    return 0;
}

// The first program: a minimised window, then a message loop until it is brought forward.
[[noreturn]] void runFirstProgram(int ready, int done)
{
    DesktopHost host;
    TestWindow window(L"Game");
    ShowWindow(window.handle(), SW_MINIMIZE);
    char byte = 'r';
    if (write(ready, &byte, 1) != 1)
        _exit(3);
    for (int round = 0; round < 500; ++round) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_ACTIVATE && LOWORD(message.wParam) == WA_ACTIVE) {
                byte = host.raised && !IsIconic(window.handle()) ? 'R' : 'A';
                if (write(done, &byte, 1) != 1)
                    _exit(3);
                // Ends without withdrawing its window, as a program that crashes does.
                _exit(0);
            }
        }
        usleep(10000);
    }
    _exit(1);
}

TEST(DesktopWindows, SecondProgramFindsTheFirstAndBringsItForward)
{
    ScopedDeviceProfile device("pocketpc2003");
    ScopedRuntimeFolder runtime;
    int ready[2], done[2];
    ASSERT_EQ(0, pipe(ready));
    ASSERT_EQ(0, pipe(done));
    pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0)
        runFirstProgram(ready[1], done[1]);
    ASSERT_EQ('r', readByte(ready[0]));

    DesktopHost host;
    HWND found = FindWindowW(L"parvolintestwindow", L"GAME");
    ASSERT_NE(nullptr, found) << "the other program's window";
    EXPECT_FALSE(IsWindow(found)) << "not a window of this program";
    EXPECT_EQ(nullptr, FindWindowW(L"ParvolinTestWindow", L"Another game"));
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(found) | 1)));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, said.find("Game is already running (process " + std::to_string(first) +
                                           "); its window was brought forward"))
        << said;
    EXPECT_EQ('R', readByte(done[0])) << "restored, activated and raised";

    int status = 0;
    ASSERT_EQ(first, waitpid(first, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(1, runtime.windowEntries()) << "a program that ended abruptly left its entry";
    EXPECT_EQ(nullptr, FindWindowW(L"ParvolinTestWindow", L"Game")) << "its process has gone";
    EXPECT_FALSE(SetForegroundWindow(found));
    EXPECT_EQ(0, runtime.windowEntries()) << "the stale entry was removed";
    for (int fd : {ready[0], ready[1], done[0], done[1]})
        close(fd);
}

TEST(DesktopWindows, OnlyProgramsOnTheDesktopTakePartAndEntriesGoWithTheirWindows)
{
    ScopedDeviceProfile device("pocketpc2003");
    ScopedRuntimeFolder runtime;
    {
        CountingHost headless;
        TestWindow window(L"Private");
        EXPECT_EQ(0, runtime.windowEntries()) << "a headless run is a device of its own";
    }
    DesktopHost host;
    {
        TestWindow window(L"Shared");
        EXPECT_EQ(1, runtime.windowEntries());
    }
    EXPECT_EQ(0, runtime.windowEntries());
    TestWindow kept(L"Kept");
    EXPECT_EQ(1, runtime.windowEntries());
    DesktopWindows::withdrawAll();
    EXPECT_EQ(0, runtime.windowEntries()) << "at exit";
}

// Run as a program of its own by the test below (a fresh process, so that the host's exit
// handler is registered before the desktop registry first comes to life): the program
// ends through exit() with its window still open, as it does when the display goes away.
TEST(DesktopWindowsExit, ProgramLeavingAWindowOpen)
{
    if (!std::getenv("PARVOLIN_TEST_EXIT_PROGRAM"))
        GTEST_SKIP() << "run by WindowsLeftOpenAreWithdrawnWhenTheProgramExits";
    Hosts::current();
    new DesktopHost;
    new TestWindow(L"Left open");
    std::exit(ScopedRuntimeFolder::entriesIn(DesktopWindows::folder()) == 1 ? 0 : 4);
}

TEST(DesktopWindows, WindowsLeftOpenAreWithdrawnWhenTheProgramExits)
{
    ScopedRuntimeFolder runtime;
    TempFolder logs;
    ProgramOutcome outcome =
        runCommand({"/proc/self/exe", "--gtest_filter=DesktopWindowsExit.ProgramLeavingAWindowOpen"},
                   {{"PARVOLIN_TEST_EXIT_PROGRAM", "1"}, {"PARVOLIN_DEVICE", "pocketpc2003"}}, logs);
    EXPECT_EQ(0, outcome.status) << outcome.errors;
    EXPECT_EQ(0, runtime.windowEntries());
}

} // namespace
