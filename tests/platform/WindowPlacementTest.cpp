#include "platform/windows/Messages.h"
#include "platform/system/Modules.h"
#include "platform/base/ProcCast.h"
#include "platform/libraries/ShellHelper.h"
#include "platform/windows/TaskBar.h"
#include "platform/windows/Windows.h"
#include "support/CountingHost.h"
#include "support/DeviceScope.h"
#include "support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

void drain()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST(WindowPlacement, NewWindowComesForwardMinimisingGivesTheForegroundUp)
{
    ScopedDeviceProfile device("pocketpc2003");
    CountingHost host;
    TestWindow first(L"First");
    EXPECT_EQ(first.handle(), GetForegroundWindow());
    EXPECT_EQ(first.handle(), GetFocus());
    TestWindow second(L"Second");
    EXPECT_EQ(second.handle(), GetForegroundWindow());

    unsigned changes = host.windowChanges;
    EXPECT_TRUE(ShowWindow(second.handle(), SW_MINIMIZE)) << "it was visible";
    EXPECT_TRUE(IsIconic(second.handle()));
    EXPECT_TRUE(IsWindowVisible(second.handle()));
    EXPECT_EQ(nullptr, GetForegroundWindow());
    EXPECT_EQ(nullptr, GetFocus());
    EXPECT_EQ(changes + 1, host.windowChanges) << "the host follows the program's window";

    ShowWindow(second.handle(), SW_RESTORE);
    EXPECT_FALSE(IsIconic(second.handle()));
    EXPECT_EQ(nullptr, GetForegroundWindow()) << "restoring does not bring forward";
    ASSERT_TRUE(SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(second.handle()) | 1)));
    EXPECT_EQ(second.handle(), GetForegroundWindow());
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, second.handle(), WM_ACTIVATE, WM_ACTIVATE, PM_REMOVE));
    EXPECT_EQ(WA_ACTIVE, LOWORD(message.wParam));
    EXPECT_TRUE(SetForegroundWindow(second.handle()));
    EXPECT_FALSE(PeekMessageW(&message, second.handle(), WM_ACTIVATE, WM_ACTIVATE, PM_REMOVE))
        << "already the foreground: nothing to tell";

    EXPECT_TRUE(ShowWindow(first.handle(), SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(first.handle()));
    EXPECT_FALSE(ShowWindow(first.handle(), SW_SHOW)) << "it was hidden";
    EXPECT_FALSE(ShowWindow(first.handle(), 77));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_TRUE(MoveWindow(first.handle(), 5, 6, 70, 80, TRUE));
    RECT place;
    ASSERT_TRUE(GetWindowRect(first.handle(), &place));
    EXPECT_EQ(5, place.left);
    EXPECT_EQ(86, place.bottom);
    EXPECT_EQ(second.handle(), SetFocus(nullptr));
    EXPECT_EQ(nullptr, GetFocus());
    EXPECT_FALSE(SetForegroundWindow(reinterpret_cast<HWND>(uintptr_t(0x7FFFFFF0))));
    drain();
}

TEST(WindowPlacement, FindWindowMatchesClassAndTitleWithoutCase)
{
    ScopedDeviceProfile device("pocketpc2003");
    TestWindow older(L"Vorlequin");
    TestWindow newer(L"Vorlequin");
    EXPECT_EQ(newer.handle(), FindWindowW(L"PARVOLINTESTWINDOW", L"vorlequin")) << "the topmost first";
    EXPECT_EQ(newer.handle(), FindWindowW(nullptr, L"Vorlequin"));
    EXPECT_EQ(nullptr, FindWindowW(L"ParvolinTestWindow", L"Vorlequin 2"));
    EXPECT_EQ(nullptr, FindWindowW(L"Nothing", nullptr));
    drain();
}

TEST(TaskBar, EachDeviceHasItsShellsTaskBarWhichHidesAndShows)
{
    ScopedDeviceProfile device("pocketpc2003");
    HWND bar = FindWindowW(L"HHTaskbar", nullptr);
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(bar, TaskBar::window());
    EXPECT_TRUE(IsWindowVisible(bar));
    RECT place;
    ASSERT_TRUE(GetWindowRect(bar, &place));
    EXPECT_EQ(240, place.right);
    EXPECT_EQ(TaskBar::height, place.bottom);
    EXPECT_NE(bar, GetForegroundWindow()) << "the shell's window never takes the foreground";
    ShowWindow(bar, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(bar));
    ShowWindow(bar, SW_SHOW);
    {
        ScopedDeviceProfile phone("smartphone2003");
        EXPECT_EQ(nullptr, FindWindowW(L"HHTaskbar", nullptr));
        HWND tray = FindWindowW(L"Tray", nullptr);
        EXPECT_NE(nullptr, tray);
        EXPECT_FALSE(IsWindow(bar)) << "another device, another shell";
    }
    DeviceProfile bare = DeviceProfiles::current();
    bare.taskBarClass = nullptr;
    ScopedDeviceProfile none(bare);
    EXPECT_EQ(nullptr, TaskBar::window());
    EXPECT_EQ(nullptr, FindWindowW(L"Tray", nullptr));
}

TEST(ShellHelper, OfferedWhereTheProfileSaysAndRemembersWhatItWasTold)
{
    DeviceProfile profile = *DeviceProfiles::find("pocketpc2003");
    profile.shellHelper = false;
    {
        ScopedDeviceProfile without(profile);
        EXPECT_EQ(nullptr, LoadLibraryW(L"aygshell.dll"));
    }
    ScopedDeviceProfile device("pocketpc2003");
    resetShellHelperStatus();
    HMODULE shell = LoadLibraryW(L"AYGSHELL");
    ASSERT_NE(nullptr, shell);
    auto fullScreen = fromFarProc<SHFullScreenFunction>(GetProcAddressW(shell, L"SHFullScreen"));
    auto sip = fromFarProc<SHSipPreferenceFunction>(GetProcAddressW(shell, L"SHSipPreference"));
    ASSERT_NE(nullptr, fullScreen);
    ASSERT_NE(nullptr, sip);
    TestWindow window;
    EXPECT_TRUE(fullScreen(window.handle(), SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON));
    ShellHelperStatus status = shellHelperStatus();
    EXPECT_TRUE(status.taskBarHidden && status.sipButtonHidden && status.startIconHidden);
    EXPECT_TRUE(fullScreen(window.handle(), SHFS_SHOWTASKBAR));
    status = shellHelperStatus();
    EXPECT_FALSE(status.taskBarHidden);
    EXPECT_TRUE(status.sipButtonHidden);
    EXPECT_FALSE(fullScreen(nullptr, SHFS_SHOWTASKBAR));
    EXPECT_TRUE(sip(window.handle(), SIP_DOWN));
    EXPECT_TRUE(shellHelperStatus().sipDown);
    EXPECT_TRUE(sip(window.handle(), SIP_UNCHANGED));
    EXPECT_TRUE(shellHelperStatus().sipDown);
    EXPECT_FALSE(sip(window.handle(), static_cast<SIPSTATE>(9)));
    EXPECT_EQ(2u, shellHelperStatus().fullScreenCalls);
    FreeLibrary(shell);
    drain();
}

} // namespace
