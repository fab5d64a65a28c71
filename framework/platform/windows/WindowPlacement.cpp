// Showing, minimising, moving, focus, foreground and finding windows.

#include "platform/windows/DesktopWindows.h"
#include "platform/base/Host.h"
#include "platform/windows/Messages.h"
#include "platform/windows/TaskBar.h"
#include "platform/windows/WindowObjects.h"

namespace {
struct Foreground {
    HWND window = nullptr;
    HWND focus = nullptr;
};

Foreground& foregroundState()
{
    static Foreground instance;
    return instance;
}

// A window that has gone is nobody's foreground or focus: handles are never reused, so
// looking again is enough.
HWND alive(HWND window) { return WindowObjects::find(window) ? window : nullptr; }

Window* windowOr(HWND handle, DWORD error)
{
    Window* window = WindowObjects::find(handle);
    if (!window)
        SetLastError(error);
    return window;
}

void letGo(HWND window)
{
    Foreground& state = foregroundState();
    if (state.window == window)
        state.window = nullptr;
    if (state.focus && WindowObjects::isWithin(state.focus, window))
        state.focus = nullptr;
}

// The host shows the program's window as it is: tell it after a change of a top-level one.
void changed(const Window& window)
{
    if (!window.parent)
        Hosts::current().windowsChanged();
}

bool matches(const std::wstring& name, LPCWSTR wanted) { return !wanted || WindowObjects::sameName(name, wanted); }

bool classMatches(const WindowClass& windowClass, LPCWSTR wanted)
{
    // A class may be named by its atom.
    if (wanted && reinterpret_cast<uintptr_t>(wanted) <= 0xFFFF)
        return windowClass.atom == reinterpret_cast<uintptr_t>(wanted);
    return matches(windowClass.name, wanted);
}
} // namespace

namespace WindowObjects {
HWND foreground() { return alive(foregroundState().window); }
HWND focus() { return alive(foregroundState().focus); }

void takeForeground(HWND window)
{
    foregroundState().window = window;
    foregroundState().focus = window;
}
} // namespace WindowObjects

BOOL ShowWindow(HWND handle, int command)
{
    Window* window = windowOr(handle, ERROR_INVALID_WINDOW_HANDLE);
    if (!window)
        return FALSE;
    BOOL wasVisible = window->visible ? TRUE : FALSE;
    switch (command) {
    case SW_HIDE:
        window->visible = false;
        letGo(handle);
        break;
    case SW_SHOW:
        window->visible = true;
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        window->visible = true;
        window->iconic = false;
        break;
    case SW_MINIMIZE:
        window->iconic = true;
        letGo(handle);
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    changed(*window);
    return wasVisible;
}

BOOL UpdateWindow(HWND handle) { return windowOr(handle, ERROR_INVALID_WINDOW_HANDLE) ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND handle)
{
    Window* window = WindowObjects::find(handle);
    return window && window->visible ? TRUE : FALSE;
}

BOOL IsIconic(HWND handle)
{
    Window* window = WindowObjects::find(handle);
    return window && window->iconic ? TRUE : FALSE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL)
{
    Window* window = windowOr(handle, ERROR_INVALID_WINDOW_HANDLE);
    if (!window)
        return FALSE;
    window->place = WindowObjects::rectangle(x, y, width, height);
    return TRUE;
}

BOOL GetWindowRect(HWND handle, RECT* rect)
{
    Window* window = windowOr(handle, ERROR_INVALID_WINDOW_HANDLE);
    if (!window)
        return FALSE;
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *rect = window->place;
    return TRUE;
}

HWND SetFocus(HWND handle)
{
    HWND previous = WindowObjects::focus();
    if (handle && !windowOr(handle, ERROR_INVALID_WINDOW_HANDLE))
        return nullptr;
    foregroundState().focus = handle;
    return previous;
}

HWND GetFocus() { return WindowObjects::focus(); }

BOOL SetForegroundWindow(HWND handle)
{
    // The lowest bit asks for the window's owned windows too; they come with it anyway.
    HWND target = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(handle) & ~uintptr_t(1));
    Window* window = WindowObjects::find(target);
    if (!window) {
        if (DesktopWindows::requestForeground(target))
            return TRUE;
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->parent) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool restored = window->iconic || !window->visible;
    window->iconic = false;
    window->visible = true;
    if (WindowObjects::foreground() != target) {
        WindowObjects::takeForeground(target);
        PostMessageW(target, WM_ACTIVATE, WA_ACTIVE, 0);
    }
    if (restored)
        changed(*window);
    return TRUE;
}

HWND GetForegroundWindow() { return WindowObjects::foreground(); }

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName)
{
    // The shell's task bar is there whenever anyone looks for it.
    TaskBar::window();
    const auto& windows = WindowObjects::all();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        Window* window = WindowObjects::find(*it);
        if (window && !window->parent && !window->destroying && classMatches(*window->windowClass, className) &&
            matches(window->title, windowName))
            return *it;
    }
    if (className && reinterpret_cast<uintptr_t>(className) <= 0xFFFF)
        return nullptr;
    return DesktopWindows::find(className, windowName);
}
