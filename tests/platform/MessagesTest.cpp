#include "platform/device/EmulatedScreen.h"
#include "platform/device/GlassImage.h"
#include "platform/input/InputScript.h"
#include "platform/input/InputSchedule.h"
#include "platform/windows/Messages.h"
#include "platform/windows/MessageQueue.h"
#include "platform/base/VirtualKeys.h"
#include "support/DeviceScope.h"
#include "support/PngFile.h"
#include "support/TempFolder.h"
#include "support/TestWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<UINT> dispatched;

LRESULT countingProcedure(HWND, UINT message, WPARAM, LPARAM)
{
    dispatched.push_back(message);
    return static_cast<LRESULT>(message) + 1;
}

class Messages : public ::testing::Test {
protected:
    void SetUp() override
    {
        drain();
        InputSchedule::current().reset();
        dispatched.clear();
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = countingProcedure;
        windowClass.lpszClassName = L"Counting";
        windowClass.style = CS_DBLCLKS;
        ASSERT_NE(0, RegisterClassW(&windowClass));
        window = CreateWindowExW(0, L"Counting", L"Counting", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window);
        dispatched.clear();
    }

    void TearDown() override
    {
        DestroyWindow(window);
        UnregisterClassW(L"Counting", nullptr);
        drain();
        InputSchedule::current().reset();
    }

    static void drain()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    static void schedule(const std::string& text)
    {
        std::vector<InputCommand> commands;
        std::string error;
        ASSERT_TRUE(InputScript::parse(text, commands, error)) << error;
        InputSchedule::current().setScript(commands);
    }


    ScopedDeviceProfile device{"pocketpc2003"};
    ScopedManualClock clock;
    HWND window = nullptr;
};

TEST_F(Messages, PostedMessagesComeOutInOrderFilteredAndDispatched)
{
    ASSERT_TRUE(PostMessageW(window, WM_USER, 1, 2));
    ASSERT_TRUE(PostMessageW(nullptr, WM_USER + 5, 3, 4));  // the thread's own
    ASSERT_TRUE(PostMessageW(window, WM_KEYDOWN, VK_RETURN, 1));
    EXPECT_FALSE(PostMessageW(reinterpret_cast<HWND>(uintptr_t(0x7FFFFFF0)), WM_USER, 0, 0));
    EXPECT_EQ(ERROR_INVALID_WINDOW_HANDLE, GetLastError());

    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, window, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
    EXPECT_EQ(WM_KEYDOWN, message.message) << "a filter skips what does not fit";
    ASSERT_TRUE(PeekMessageW(&message, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_USER, message.message);
    EXPECT_EQ(WPARAM(1), message.wParam);
    EXPECT_EQ(window, message.hwnd);
    EXPECT_EQ(LRESULT(WM_USER + 1), DispatchMessageW(&message));
    EXPECT_FALSE(PeekMessageW(&message, window, WM_USER + 5, WM_USER + 5, PM_REMOVE))
        << "the thread's own messages are not the window's";
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_USER + 5, message.message);
    EXPECT_EQ(nullptr, message.hwnd);
    EXPECT_EQ(0, DispatchMessageW(&message)) << "no window to go to";
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(TranslateMessage(&message)) << "Enter types a character";
    DispatchMessageW(&message);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_CHAR, message.message);
    EXPECT_EQ(WPARAM('\r'), message.wParam);
    EXPECT_FALSE(TranslateMessage(&message));
    EXPECT_EQ((std::vector<UINT>{WM_USER, WM_KEYDOWN}), dispatched);
    EXPECT_FALSE(PeekMessageW(nullptr, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, QuitComesAfterThePostedMessagesAndWindowsTakeTheirMessagesAlong)
{
    PostQuitMessage(7);
    PostMessageW(window, WM_USER, 0, 0);
    TestWindow other;
    PostMessageW(other.handle(), WM_USER + 1, 0, 0);
    DestroyWindow(other.handle());
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_USER, message.message);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_QUIT, message.message) << "the destroyed window's message went with it";
    EXPECT_EQ(WPARAM(7), message.wParam);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, QueueHasRoomForTenThousandMessages)
{
    for (size_t i = 0; i < MessageQueue::capacity; ++i)
        ASSERT_TRUE(PostMessageW(window, WM_USER, i, 0));
    EXPECT_FALSE(PostMessageW(window, WM_USER, 0, 0));
    EXPECT_EQ(1816u, GetLastError());
    EXPECT_EQ(MessageQueue::capacity, takeMessages().size());
}

TEST_F(Messages, WaitingNeedsNoHandlesAndEndsWhenTheTimeIsUp)
{
    EXPECT_EQ(WAIT_FAILED, MsgWaitForMultipleObjectsEx(1, nullptr, 10, QS_ALLINPUT, 0));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    uint64_t before = clock.peek();
    EXPECT_EQ(WAIT_TIMEOUT, MsgWaitForMultipleObjectsEx(0, nullptr, 250, QS_ALLINPUT, 0));
    EXPECT_EQ(250000000u, clock.peek() - before) << "nothing can come: the whole time passes";
    PostMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, MsgWaitForMultipleObjectsEx(0, nullptr, 250, QS_ALLINPUT, 0));
    takeMessages();
    // While a script has input to come, its clock runs in ticks: no time passes.
    schedule("9 close\n");
    before = clock.peek();
    EXPECT_EQ(WAIT_TIMEOUT, MsgWaitForMultipleObjectsEx(0, nullptr, 250, QS_ALLINPUT, 0));
    EXPECT_EQ(before, clock.peek());
}

// The one definition of a frame tick: a peek that finds nothing, after the tick's input
// was given its chance.
TEST_F(Messages, InputForATickComesAtTheFirstEmptyPeekAndOnlyAnEmptyPeekStartsATick)
{
    InputSchedule& ticks = InputSchedule::current();
    schedule("0 down 10 20\n0 up 10 20\n2 keydown start\n2 keydown start\n2 keyup start\n2 dblclk 3 4\n");
    EXPECT_EQ(0u, ticks.comingTick());
    std::vector<MSG> first = takeMessages();
    ASSERT_EQ(2u, first.size());
    EXPECT_EQ(WM_LBUTTONDOWN, first[0].message);
    EXPECT_EQ(MK_LBUTTON, first[0].wParam);
    EXPECT_EQ(10, LOWORD(first[0].lParam));
    EXPECT_EQ(20, HIWORD(first[0].lParam));
    EXPECT_EQ(WM_LBUTTONUP, first[1].message);
    EXPECT_EQ(1u, ticks.comingTick()) << "the peek that found nothing started tick 0";

    MSG message;
    PostMessageW(window, WM_USER, 0, 0);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(1u, ticks.comingTick()) << "a peek that finds a message starts nothing";
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(2u, ticks.comingTick());

    std::vector<MSG> keys = takeMessages();
    ASSERT_EQ(4u, keys.size());
    EXPECT_EQ(WM_KEYDOWN, keys[0].message);
    EXPECT_EQ(WPARAM(VK_RETURN), keys[0].wParam);
    EXPECT_EQ(0, keys[0].lParam & KF_PREVIOUSLY_DOWN);
    EXPECT_NE(0, keys[1].lParam & KF_PREVIOUSLY_DOWN) << "held down: an auto-repeat";
    EXPECT_EQ(WM_KEYUP, keys[2].message);
    EXPECT_NE(0, keys[2].lParam & KF_RELEASING);
    EXPECT_EQ(WM_LBUTTONDBLCLK, keys[3].message) << "the class asks for double-clicks";
    EXPECT_FALSE(ticks.hasScheduledInput());
}

TEST_F(Messages, DoubleClickIsAPlainTapForAWindowThatDoesNotAskForIt)
{
    TestWindow plain;  // newer: input goes to it
    schedule("0 dblclk 1 2\n");
    std::vector<MSG> taken = takeMessages();
    ASSERT_EQ(1u, taken.size());
    EXPECT_EQ(WM_LBUTTONDOWN, taken[0].message);
    EXPECT_EQ(plain.handle(), taken[0].hwnd);
}

TEST_F(Messages, ActivationMovesTheForegroundAndRestoresAMinimisedWindow)
{
    ASSERT_EQ(window, GetForegroundWindow());
    schedule("0 deactivate\n1 activate\n2 close\n");
    std::vector<MSG> taken = takeMessages();
    ASSERT_EQ(1u, taken.size());
    EXPECT_EQ(WM_ACTIVATE, taken[0].message);
    EXPECT_EQ(WA_INACTIVE, LOWORD(taken[0].wParam));
    EXPECT_EQ(nullptr, GetForegroundWindow());
    ShowWindow(window, SW_MINIMIZE);
    taken = takeMessages();
    ASSERT_EQ(1u, taken.size());
    EXPECT_EQ(WA_ACTIVE, LOWORD(taken[0].wParam));
    EXPECT_EQ(window, GetForegroundWindow());
    EXPECT_FALSE(IsIconic(window));
    taken = takeMessages();
    ASSERT_EQ(1u, taken.size());
    EXPECT_EQ(WM_SYSCOMMAND, taken[0].message);
    EXPECT_EQ(SC_CLOSE, taken[0].wParam & 0xFFF0);
}

TEST_F(Messages, ShotShowsTheGlassAsTheLastTickLeftItAndRecordingWritesTheTicksSeen)
{
    TempFolder folder;
    std::string shot = folder.hostPath("shot.png");
    std::string recording = folder.hostPath("recording.txt");
    std::string why;
    ASSERT_TRUE(InputSchedule::current().startRecording(recording, why)) << why;
    schedule("1 move 5 6\n1 shot " + shot + "\n3 keydown 0x41\n");
    InputSchedule::current().setFrameLimit(4);

    EmulatedScreen* screen = EmulatedScreen::current();
    ASSERT_NE(nullptr, screen);
    takeMessages();  // tick 0 starts
    // Tick 0's frame: the top-left pixel turns white.
    uint16_t white = 0xFFFF;
    std::memcpy(screen->origin(), &white, 2);
    std::vector<MSG> taken = takeMessages();  // tick 1's input, the shot, tick 1 starts
    ASSERT_EQ(1u, taken.size());
    std::memset(screen->origin(), 0, 2);
    takeMessages();
    takeMessages();
    taken = takeMessages();
    ASSERT_EQ(1u, taken.size()) << "the frame limit closes before tick 4";
    EXPECT_EQ(WM_SYSCOMMAND, taken[0].message);
    InputSchedule::current().stopRecording();

    std::FILE* file = std::fopen(recording.c_str(), "r");
    ASSERT_NE(nullptr, file);
    std::string text(4096, '\0');
    text.resize(std::fread(&text[0], 1, text.size(), file));
    std::fclose(file);
    std::vector<InputCommand> replay;
    std::string error;
    ASSERT_TRUE(InputScript::parse(text, replay, error)) << error;
    ASSERT_EQ(3u, replay.size()) << text;
    EXPECT_EQ("1 move 5 6", InputScript::format(replay[0]));
    EXPECT_EQ("3 keydown 65", InputScript::format(replay[1]));
    EXPECT_EQ("4 close", InputScript::format(replay[2]));

    // The shot is the glass as it was after tick 0, before tick 1's frame changed it.
    GlassImage picture;
    ASSERT_TRUE(readPng(shot, picture));
    EXPECT_EQ(240u, picture.width);
    EXPECT_EQ(0xFFFFFFu, picture.at(0, 0));
    EXPECT_EQ(0u, picture.at(1, 0));
}

} // namespace
