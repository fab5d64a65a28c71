#include "AppHarness.h"

#include "app/Fps.h"
#include "core/ResultCodes.h"
#include "platform/libraries/GameApi.h"
#include "platform/input/InputSchedule.h"
#include "platform/windows/Messages.h"
#include "platform/libraries/ShellHelper.h"
#include "platform/windows/TaskBar.h"
#include "platform/base/VirtualKeys.h"

#include <cwchar>

namespace {

constexpr const wchar_t* defaultClass = L"Parvolin WndCls";
constexpr const wchar_t* defaultTitle = L"Parvolin";

// The events of a log other than frames.
EventLog inputOf(const EventLog& log)
{
    EventLog input;
    for (const std::string& entry : log)
        if (entry.compare(0, 6, "frame ") != 0)
            input.push_back(entry);
    return input;
}

HWND mainWindow() { return FindWindowW(defaultClass, defaultTitle); }

using Application_ = AppHarness;

TEST_F(Application_, FailuresBeforeTheWindowAreTheNegativeGenericFailureWithTheirTexts)
{
    EXPECT_LT(ResultCode::GenericFailure, 0);
    EventLog log;
    ProbeApplication configured(log);
    configured.setAppInstance(someInstance());
    configured.configureResult = 1;
    EXPECT_EQ(static_cast<long>(static_cast<int32_t>(0x80004005u)), configured.run());
    EXPECT_STREQ(L"Error during configuration.", configured.getLastError());

    ProbeApplication noInstance(log);
    EXPECT_EQ(ResultCode::GenericFailure, noInstance.run());
    EXPECT_STREQ(L"Invalid configuration.", noInstance.getLastError());
    EXPECT_EQ(nullptr, mainWindow()) << "no window was made";
    EXPECT_TRUE(log.empty());

    EXPECT_EQ(ResultCode::GenericFailure, noInstance.setError(nullptr));
    EXPECT_STREQ(L"Invalid error code description.", noInstance.getLastError());
    std::wstring longText(300, L'e');
    EXPECT_EQ(0, noInstance.setError(longText.c_str()));
    EXPECT_EQ(259u, std::wcslen(noInstance.getLastError())) << "cut to the buffer";
    EXPECT_EQ(nullptr, configured.getBackBuffer()) << "no display before run made one";
    EXPECT_EQ(ResultCode::GenericFailure, configured.flip());
}

TEST_F(Application_, SecondStartBringsTheFirstWindowForwardAndReturnsZeroWithoutADisplay)
{
    WNDCLASSW first = {};
    first.lpfnWndProc = DefWindowProcW;
    first.lpszClassName = defaultClass;
    ASSERT_NE(0, RegisterClassW(&first));
    HWND running = CreateWindowExW(0, defaultClass, defaultTitle, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, running);
    ShowWindow(running, SW_MINIMIZE);

    EventLog log;
    ProbeApplication second(log);
    second.setAppInstance(someInstance());
    EXPECT_EQ(0, second.run());
    EXPECT_TRUE(log.empty()) << "not initialised";
    EXPECT_FALSE(gameApiStatus().displayOpen);
    EXPECT_EQ(0u, host.presents);
    EXPECT_FALSE(IsIconic(running));
    EXPECT_EQ(running, GetForegroundWindow());
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, running, WM_ACTIVATE, WM_ACTIVATE, PM_REMOVE));
    EXPECT_EQ(WA_ACTIVE, LOWORD(message.wParam));

    DestroyWindow(running);
    UnregisterClassW(defaultClass, nullptr);
}

TEST_F(Application_, DefaultsMakeAFullScreenWindowHideTheTaskBarAndRestoreAllAtTheEnd)
{
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    bool checked = false;
    app.frame = [&](int frame) {
        if (frame != 0)
            return 0L;
        HWND window = mainWindow();
        EXPECT_NE(nullptr, window);
        EXPECT_EQ(window, GetForegroundWindow());
        EXPECT_EQ(window, GetFocus());
        EXPECT_EQ(DWORD(CS_HREDRAW | CS_VREDRAW), GetClassStyle(window)) << "single clicks only";
        RECT place;
        EXPECT_TRUE(GetWindowRect(window, &place));
        EXPECT_EQ(0, place.left);
        EXPECT_EQ(240, place.right);
        EXPECT_EQ(320, place.bottom);
        EXPECT_FALSE(IsWindowVisible(TaskBar::window()));
        ShellHelperStatus shell = shellHelperStatus();
        EXPECT_TRUE(shell.taskBarHidden && shell.sipButtonHidden && shell.startIconHidden && shell.sipDown);
        EXPECT_TRUE(gameApiStatus().displayOpen);
        EXPECT_NE(nullptr, app.getBackBuffer());
        EXPECT_NE(nullptr, app.getFps());
        checked = true;
        return 0L;
    };
    script("3 close\n");
    EXPECT_EQ(0, app.run());
    EXPECT_TRUE(checked);
    EXPECT_EQ((EventLog{"init", "frame 0", "frame 1", "frame 2", "exit"}), log);
    EXPECT_EQ(3u, host.presents) << "one flip a frame";
    EXPECT_EQ(nullptr, mainWindow()) << "destroyed";
    EXPECT_TRUE(IsWindowVisible(TaskBar::window()));
    EXPECT_FALSE(shellHelperStatus().taskBarHidden);
    EXPECT_FALSE(gameApiStatus().displayOpen);
    EXPECT_EQ(32u, app.configuredFps) << "the default rate";

    // The class went with the window: the application can run again in this process.
    drainQueue();
    log.clear();
    frameLimit(InputSchedule::current().comingTick() + 1);
    EXPECT_EQ(0, app.run());
    EXPECT_EQ((EventLog{"init", "frame 3", "exit"}), log);
}

TEST_F(Application_, DoubleClicksAndLongTitlesShapeTheWindowClass)
{
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    std::wstring title(300, L't');
    app.configurer = [&](Config* config) {
        config->appName = title.c_str();
        config->doubleClicks = true;
    };
    HWND found = nullptr;
    app.frame = [&](int) {
        std::wstring className = title.substr(0, 252) + L" WndCls";
        found = FindWindowW(className.c_str(), title.c_str());
        EXPECT_EQ(DWORD(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS), GetClassStyle(found));
        return 0L;
    };
    frameLimit(1);
    EXPECT_EQ(0, app.run());
    EXPECT_NE(nullptr, found) << "the class name is the title cut to 252 characters and the suffix";
}

TEST_F(Application_, PauseSkipsFramesButNotFlips)
{
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    app.frame = [&](int frame) {
        if (frame == 0) {
            EXPECT_EQ(ResultCode::GenericFailure, app.pause(0));
            EXPECT_EQ(0, app.pause(3));
        }
        return 0L;
    };
    frameLimit(8);
    EXPECT_EQ(0, app.run());
    EXPECT_EQ(5, app.frames) << "ticks 1 to 3 skipped";
    EXPECT_EQ(8u, host.presents) << "every tick flipped";
}

TEST_F(Application_, NegativeFrameEndsTheLoopBeforeItsFlipAndStillExits)
{
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    app.frame = [](int frame) { return frame == 2 ? -5L : 0L; };
    EXPECT_EQ(0, app.run());
    EXPECT_EQ((EventLog{"init", "frame 0", "frame 1", "frame 2", "exit"}), log);
    EXPECT_EQ(2u, host.presents);
}

TEST_F(Application_, NegativeInitSkipsTheLoopButNotTheTeardown)
{
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    app.initResult = -1;
    EXPECT_EQ(0, app.run());
    EXPECT_EQ((EventLog{"init", "exit"}), log);
    EXPECT_EQ(0u, host.presents);
    EXPECT_EQ(nullptr, mainWindow());
    EXPECT_TRUE(IsWindowVisible(TaskBar::window()));
}

TEST_F(Application_, AutoRepeatAndKey84ReachNoKeyDownHandler)
{
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    script("1 keydown start\n"
           "1 keydown start\n"  // held: an auto-repeat
           "1 keyup start\n"
           "2 keydown 0x84\n"
           "2 keyup 132\n"
           "3 keydown left\n"
           "4 close\n");
    EXPECT_EQ(0, app.run());
    EXPECT_EQ((EventLog{"init", "keydown 13", "keyup 13", "keyup 132", "keydown 37", "exit"}), inputOf(log));
    EXPECT_EQ(VK_RETURN, app.lastKeys.vkStart);
    EXPECT_EQ(VK_UP, app.lastKeys.vkUp);
}

TEST_F(Application_, StylusMovesWhileInactiveAreDroppedButTapsAreNot)
{
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    app.configurer = [](Config* config) { config->doubleClicks = true; };
    script("1 deactivate\n"
           "3 move 5 6\n3 down 7 8\n3 up 9 10\n3 dblclk 11 12\n3 move 13 14\n3 up 15 16\n"
           "5 activate\n5 move 17 18\n"
           "6 close\n");
    EXPECT_EQ(0, app.run());
    EXPECT_EQ((EventLog{"init", "minimize", "down 7,8", "up 9,10", "dblclk 11,12", "up 15,16", "restore",
                        "move 17,18", "exit"}),
              inputOf(log));
}

TEST_F(Application_, DeactivationMinimisesOnTheNextTickAndActivationRestores)
{
    clock.setStep(1000000);  // each reading of the clock lets a millisecond pass
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    app.configurer = [](Config* config) { config->fps = 32; };
    bool sawMinimised = false;
    bool sawRestored = false;
    unsigned long waitAfterRestore = 0;
    app.minimized = [&] { EXPECT_EQ(3, app.frames) << "the tick after the deactivation"; };
    app.keyUp = [&] {
        HWND window = mainWindow();
        EXPECT_TRUE(IsIconic(window));
        EXPECT_TRUE(IsWindowVisible(TaskBar::window()));
        EXPECT_FALSE(shellHelperStatus().taskBarHidden);
        EXPECT_TRUE(gameApiStatus().suspended);
        // Five seconds pass while minimised; the pacer must not make them up.
        clock.advanceMilliseconds(5000);
        sawMinimised = true;
    };
    app.restored = [&] {
        EXPECT_FALSE(IsIconic(mainWindow()));
        EXPECT_EQ(mainWindow(), GetForegroundWindow());
        EXPECT_FALSE(IsWindowVisible(TaskBar::window()));
        EXPECT_TRUE(shellHelperStatus().taskBarHidden);
        EXPECT_FALSE(gameApiStatus().suspended);
        sawRestored = true;
    };
    app.frame = [&](int frame) {
        if (frame == 4)
            waitAfterRestore = app.getFps()->getLastWait();
        return 0L;
    };
    script("2 deactivate\n4 keyup a\n6 activate\n9 close\n");
    EXPECT_EQ(0, app.run());
    EXPECT_TRUE(sawMinimised);
    EXPECT_TRUE(sawRestored);
    EXPECT_EQ((EventLog{"init", "frame 0", "frame 1", "frame 2", "minimize", "keyup 193", "restore", "frame 3",
                        "frame 4", "frame 5", "exit"}),
              log)
        << "no frames while minimised";
    EXPECT_LT(waitAfterRestore, 2 * 31250u) << "the pacer started again at the restore";
}

TEST_F(Application_, StayingInForegroundTakesTheForegroundBack)
{
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    app.configurer = [](Config* config) { config->stayInForeground = true; };
    HWND foreground = nullptr;
    app.frame = [&](int frame) {
        if (frame == 3)
            foreground = GetForegroundWindow();
        return 0L;
    };
    script("2 deactivate\n4 close\n");
    EXPECT_EQ(0, app.run());
    EXPECT_EQ(4, app.frames) << "never minimised";
    EXPECT_EQ((EventLog{"init", "exit"}), inputOf(log));
    EXPECT_NE(nullptr, foreground);
}

TEST_F(Application_, RunningInBackgroundMakesFramesButDoesNotFlipThem)
{
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    app.configurer = [](Config* config) { config->runInBackground = true; };
    script("1 deactivate\n6 close\n");
    EXPECT_EQ(0, app.run());
    EXPECT_EQ(6, app.frames);
    EXPECT_EQ(2u, host.presents) << "ticks 0 and 1 only: minimised from tick 2 on";
}

TEST_F(Application_, WithoutTheShellHelperTheTaskBarIsStillHiddenThroughItsWindow)
{
    DeviceProfile phone = *DeviceProfiles::find("smartphone2005");
    phone.shellHelper = false;
    ScopedDeviceProfile device(phone);
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    bool hidden = false;
    app.frame = [&](int) {
        HWND tray = FindWindowW(L"Tray", nullptr);
        hidden = tray && !IsWindowVisible(tray) && !FindWindowW(L"HHTaskbar", nullptr);
        return 0L;
    };
    frameLimit(1);
    EXPECT_EQ(0, app.run());
    EXPECT_TRUE(hidden) << "the Smartphone's task bar is the Tray";
    EXPECT_TRUE(IsWindowVisible(FindWindowW(L"Tray", nullptr)));
    EXPECT_EQ(0u, shellHelperStatus().fullScreenCalls);
    EXPECT_EQ(0u, shellHelperStatus().sipCalls);
}

using ApplicationDeathTest = AppHarness;

TEST_F(ApplicationDeathTest, DisplayThatCannotOpenEndsTheProcessWithMinusOne)
{
    ScopedDeviceProfile deep("pocketpc2003-24bit");
    EXPECT_EXIT(
        {
            EventLog log;
            ProbeApplication* app = new ProbeApplication(log);
            app->setAppInstance(someInstance());
            app->run();
        },
        ::testing::ExitedWithCode(255), "");
}

} // namespace
