#include "platform/windows/Messages.h"

#include "platform/device/EmulatedScreen.h"
#include "platform/base/FrameTicks.h"
#include "platform/base/Host.h"
#include "platform/windows/MessageQueue.h"
#include "platform/system/SystemServices.h"
#include "platform/base/VirtualKeys.h"
#include "platform/windows/WindowObjects.h"

constexpr DWORD ERROR_NOT_ENOUGH_QUOTA = 1816;

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<MessageQueue> queue;
    if (!window) {
        queue = MessageQueue::forThisThread();
    } else if (Window* target = WindowObjects::find(window)) {
        queue = target->queue;
    } else {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!queue->post(MSG{window, message, wParam, lParam, GetTickCount(), {0, 0}})) {
        SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return FALSE;
    }
    return TRUE;
}

LRESULT SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = WindowObjects::find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return window->procedure(handle, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) { MessageQueue::forThisThread()->postQuit(exitCode); }

BOOL PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT remove)
{
    if (!message) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Frame buffers written with no end-of-frame call are refreshed while the program
    // looks for messages, as the display controller would.
    EmulatedScreen::scanOut();
    MessageQueue& queue = *MessageQueue::forThisThread();
    bool take = (remove & PM_REMOVE) != 0;
    if (queue.take(*message, window, first, last, take))
        return TRUE;
    if (!queue.empty())
        return FALSE;
    // Nothing waits: the input of the coming frame tick is due now, and if there is none
    // either, the tick starts.
    FrameTicks::deliverForComingTick();
    if (queue.take(*message, window, first, last, take))
        return TRUE;
    if (queue.empty())
        FrameTicks::startTick();
    return FALSE;
}

BOOL TranslateMessage(const MSG* message)
{
    if (!message || message->message != WM_KEYDOWN)
        return FALSE;
    // The keys that type a character; there is no shift state, so letters are small.
    WPARAM key = message->wParam;
    WPARAM character = 0;
    if (key == VK_BACK || key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE || (key >= '0' && key <= '9'))
        character = key;
    else if (key >= 'A' && key <= 'Z')
        character = key - 'A' + 'a';
    if (!character)
        return FALSE;
    return PostMessageW(message->hwnd, WM_CHAR, character, message->lParam);
}

LRESULT DispatchMessageW(const MSG* message)
{
    if (!message)
        return 0;
    Window* window = WindowObjects::find(message->hwnd);
    if (!window)
        return 0;
    return window->procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE*, DWORD milliseconds, DWORD, DWORD)
{
    if (count != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    if (!MessageQueue::forThisThread()->empty())
        return WAIT_OBJECT_0;
    // A script's clock runs in frame ticks, not in time: while it has input to come, the
    // next tick is due at once.
    if (FrameTicks::hasScheduledInput())
        return WAIT_TIMEOUT;
    return Hosts::current().waitForInput(milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
