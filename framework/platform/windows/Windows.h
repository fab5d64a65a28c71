#ifndef PARVOLIN_WINDOWS_H
#define PARVOLIN_WINDOWS_H

#include "platform/base/LastError.h"
#include "platform/base/PlatformTypes.h"

// Window classes and windows of the emulated handheld. A window has a class, a title, a
// procedure and a place on the screen; creating one sends it WM_CREATE and destroying it
// WM_DESTROY, both straight to its procedure. The device's top-level windows are what a
// host names its own window after. Messages and the queue are in Messages.h.

struct HICON__;
struct HCURSOR__;
struct HBRUSH__;
struct HMENU__;
typedef HICON__* HICON;
typedef HCURSOR__* HCURSOR;
typedef HBRUSH__* HBRUSH;
typedef HMENU__* HMENU;
typedef WORD ATOM;

typedef LRESULT (*WNDPROC)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct WNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
};

// What WM_CREATE carries in its lParam.
struct CREATESTRUCTW {
    void* lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
};

constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;

constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

// ShowWindow's commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;
constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;

// Class names compare without case. 0 with ERROR_CLASS_ALREADY_EXISTS for a name in use,
// ERROR_INVALID_PARAMETER without a name or a procedure.
ATOM RegisterClassW(const WNDCLASSW* windowClass);
// Refused (ERROR_CLASS_HAS_WINDOWS) while windows of the class exist.
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);

// A window of a registered class. CW_USEDEFAULT places a top-level window over the whole
// screen. WM_CREATE goes to the procedure before this returns; a result of -1 from it
// destroys the window again and gives null.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
// Sends WM_DESTROY to the window's procedure, then the handle is gone; its children go first.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
// The title, cut to `maxCount` - 1 characters and terminated; returns the characters copied.
int GetWindowTextW(HWND window, LPWSTR text, int maxCount);
// What a window does with a message its procedure leaves alone.
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window's class style (the CS_ flags it was registered with); 0 for no window.
DWORD GetClassStyle(HWND window);

// Showing, minimising and placing. A new top-level window made visible becomes the
// foreground and focus window. Minimising the foreground window leaves the device with no
// foreground window; restoring one does not bring it forward (SetForegroundWindow does).
// Returns whether the window was visible before.
BOOL ShowWindow(HWND window, int command);
// Nothing to paint ahead of the frames: TRUE for a window, FALSE otherwise.
BOOL UpdateWindow(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL GetWindowRect(HWND window, RECT* rect);

// The window that receives key input; returns the one that had it. Null takes it away.
HWND SetFocus(HWND window);
HWND GetFocus();
// Brings a top-level window forward: restored if minimised, made the foreground and
// focus window, and told so with WM_ACTIVATE (posted) when it was not the foreground one.
// The handle may carry its lowest bit set (its owned windows come too). A window of
// another program on the same desktop is asked to come forward (see DesktopWindows.h).
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();

// The first top-level window with that class and title (either null matches any; both
// compare without case): this program's own and the shell's first, then those of other
// programs of the same user on the same desktop, when the host shows one.
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);

#endif
