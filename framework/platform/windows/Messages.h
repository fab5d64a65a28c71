#ifndef PARVOLIN_MESSAGES_H
#define PARVOLIN_MESSAGES_H

#include "platform/system/Events.h"
#include "platform/windows/Windows.h"

// Window messages and the thread's message queue. Posted messages wait in the queue of
// the thread that made their window; a non-blocking peek takes them out one by one and
// DispatchMessageW hands each to its window's procedure.
//
// Input comes from the host as posted messages too. When a peek finds the queue empty,
// the host first gets the chance to post the input for the coming frame tick (see
// InputSchedule.h); only a peek that still finds nothing starts that tick.

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_USER = 0x0400;

// WM_ACTIVATE's low word.
constexpr WORD WA_INACTIVE = 0;
constexpr WORD WA_ACTIVE = 1;
constexpr WORD WA_CLICKACTIVE = 2;

// WM_SYSCOMMAND's command, in all but its low four bits.
constexpr WPARAM SC_CLOSE = 0xF060;

// The stylus messages' wParam while the stylus touches the glass.
constexpr WPARAM MK_LBUTTON = 0x0001;

// Key messages' lParam: bit 30 is the key's state before the message (set for an
// auto-repeat), bit 31 set for a key being released; the low word counts repeats.
constexpr LPARAM KF_PREVIOUSLY_DOWN = LPARAM(1) << 30;
constexpr LPARAM KF_RELEASING = LPARAM(1) << 31;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// MsgWaitForMultipleObjectsEx's wake mask; its answers are the waits' (Events.h).
constexpr DWORD QS_ALLINPUT = 0x00FF;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

inline WORD LOWORD(uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
inline WORD HIWORD(uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
// Two 16-bit halves, the stylus messages' way of carrying a point.
inline LPARAM MAKELPARAM(int low, int high)
{
    return static_cast<LPARAM>(static_cast<uint32_t>(static_cast<uint16_t>(low)) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16));
}

// Puts a message at the end of the window's thread's queue; a null window makes it a
// message for the calling thread. FALSE (ERROR_INVALID_WINDOW_HANDLE) for a window that
// does not exist.
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Calls the window's procedure at once and returns its answer; 0 for no window.
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The thread's loop is to end: WM_QUIT, with `exitCode` as its wParam, is what a peek
// finds once the posted messages are gone.
void PostQuitMessage(int exitCode);

// Takes (PM_REMOVE) or looks at (PM_NOREMOVE) the oldest message for `window` (null:
// any window of the thread, and the thread's own messages) whose number lies in
// [first, last] (both 0: any). FALSE when there is none; never waits.
BOOL PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT remove);
// A key-down of a key that types a character posts WM_CHAR after it; TRUE then.
BOOL TranslateMessage(const MSG* message);
// Hands the message to its window's procedure and returns the answer (0 for none).
LRESULT DispatchMessageW(const MSG* message);

// Waits at most `milliseconds` for input or a message to arrive. No handles can be waited
// for here: `count` must be 0 (else WAIT_FAILED with ERROR_INVALID_PARAMETER).
// WAIT_OBJECT_0 when something is there, WAIT_TIMEOUT otherwise.
DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD milliseconds,
                                               DWORD wakeMask, DWORD flags);

#endif
