#include "platform/windows/Windows.h"

#include "platform/windows/DesktopWindows.h"
#include "platform/base/Host.h"
#include "platform/windows/MessageQueue.h"
#include "platform/system/SystemServices.h"
#include "platform/windows/WindowObjects.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

struct Registry {
    std::vector<std::shared_ptr<WindowClass>> classes;
    std::vector<HWND> windows;  // every live window, oldest first
    ATOM nextAtom = 0xC000;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

wchar_t folded(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

std::shared_ptr<WindowClass> findClass(LPCWSTR name)
{
    if (!name)
        return nullptr;
    for (const auto& windowClass : registry().classes)
        if (WindowObjects::sameName(windowClass->name, name))
            return windowClass;
    return nullptr;
}

template <class T> T failWith(DWORD error, T result)
{
    SetLastError(error);
    return result;
}

// CW_USEDEFAULT gives a top-level window the whole screen, as the handheld's shell does.
tagRECT placeOf(int x, int y, int width, int height)
{
    if (x == CW_USEDEFAULT)
        x = 0, y = 0;
    if (width == CW_USEDEFAULT)
        width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    return WindowObjects::rectangle(x, y, width, height);
}

void forget(HWND handle, Window* window)
{
    auto& windows = registry().windows;
    windows.erase(std::remove(windows.begin(), windows.end(), handle), windows.end());
    --window->windowClass->windows;
    bool topLevel = !window->parent;
    if (window->isProgramWindow())
        DesktopWindows::withdraw(handle);
    window->queue->removeFor(handle);
    HandleTable::remove(handle);
    if (topLevel)
        Hosts::current().windowsChanged();
}
} // namespace

namespace WindowObjects {
Window* find(HWND window) { return HandleTable::find<Window>(window); }

const std::vector<HWND>& all() { return registry().windows; }

bool isWithin(HWND window, HWND ancestor)
{
    // Parents are made before their children, so the walk always ends.
    for (HWND at = window; at; ) {
        if (at == ancestor)
            return true;
        Window* found = find(at);
        at = found ? found->parent : nullptr;
    }
    return false;
}

HWND shownWindow()
{
    const auto& windows = registry().windows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        Window* window = find(*it);
        if (window && window->isProgramWindow() && !window->destroying)
            return *it;
    }
    return nullptr;
}

std::wstring newestTitle()
{
    Window* window = find(shownWindow());
    return window ? window->title : std::wstring();
}

tagRECT rectangle(int x, int y, int width, int height)
{
    long long right = static_cast<long long>(x) + std::max(width, 0);
    long long bottom = static_cast<long long>(y) + std::max(height, 0);
    return {x, y, static_cast<int32_t>(std::min<long long>(right, INT32_MAX)),
            static_cast<int32_t>(std::min<long long>(bottom, INT32_MAX))};
}

bool sameName(const std::wstring& a, const wchar_t* b)
{
    if (a.size() != std::wcslen(b))
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (folded(a[i]) != folded(b[i]))
            return false;
    return true;
}

std::shared_ptr<WindowClass> registerShellClass(const wchar_t* name)
{
    std::shared_ptr<WindowClass> existing = findClass(name);
    if (existing)
        return existing->shell ? existing : nullptr;
    WNDCLASSW description = {};
    description.lpfnWndProc = DefWindowProcW;
    description.lpszClassName = name;
    if (!RegisterClassW(&description))
        return nullptr;
    std::shared_ptr<WindowClass> registered = findClass(name);
    registered->shell = true;
    return registered;
}
} // namespace WindowObjects

ATOM RegisterClassW(const WNDCLASSW* windowClass)
{
    if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName || !*windowClass->lpszClassName)
        return failWith<ATOM>(ERROR_INVALID_PARAMETER, 0);
    if (findClass(windowClass->lpszClassName))
        return failWith<ATOM>(ERROR_CLASS_ALREADY_EXISTS, 0);
    Registry& r = registry();
    if (r.nextAtom == 0)
        return failWith<ATOM>(ERROR_NOT_ENOUGH_MEMORY, 0);
    auto entry = std::make_shared<WindowClass>();
    entry->atom = r.nextAtom++;
    entry->name = windowClass->lpszClassName;
    entry->description = *windowClass;
    entry->description.lpszClassName = nullptr;
    entry->description.lpszMenuName = nullptr;
    r.classes.push_back(entry);
    return entry->atom;
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE)
{
    std::shared_ptr<WindowClass> windowClass = findClass(className);
    if (!windowClass)
        return failWith<BOOL>(ERROR_CLASS_DOES_NOT_EXIST, FALSE);
    if (windowClass->windows)
        return failWith<BOOL>(ERROR_CLASS_HAS_WINDOWS, FALSE);
    auto& classes = registry().classes;
    classes.erase(std::remove(classes.begin(), classes.end(), windowClass), classes.end());
    return TRUE;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    std::shared_ptr<WindowClass> windowClass = findClass(className);
    if (!windowClass)
        return failWith<HWND>(ERROR_CANNOT_FIND_WND_CLASS, nullptr);
    if (parent && !WindowObjects::find(parent))
        return failWith<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    auto window = std::make_unique<Window>();
    window->windowClass = windowClass;
    window->title = windowName ? windowName : L"";
    window->procedure = windowClass->description.lpfnWndProc;
    window->style = style;
    window->exStyle = exStyle;
    window->parent = parent;
    window->instance = instance;
    window->place = placeOf(x, y, width, height);
    window->queue = MessageQueue::forThisThread();
    window->visible = (style & WS_VISIBLE) != 0;
    window->iconic = (style & WS_MINIMIZE) != 0;
    Window* created = window.get();
    HWND handle = static_cast<HWND>(HandleTable::add(std::move(window)));
    ++windowClass->windows;
    registry().windows.push_back(handle);
    // A program's new window that shows itself comes to the front, as the shell does it.
    if (created->isProgramWindow() && created->visible && !created->iconic)
        WindowObjects::takeForeground(handle);
    if (created->isProgramWindow())
        DesktopWindows::publish(handle, windowClass->name, created->title);
    if (!parent)
        Hosts::current().windowsChanged();

    CREATESTRUCTW create = {param,
                            instance,
                            menu,
                            parent,
                            created->place.bottom - created->place.top,
                            created->place.right - created->place.left,
                            created->place.top,
                            created->place.left,
                            static_cast<LONG>(style),
                            created->title.c_str(),
                            windowClass->name.c_str(),
                            exStyle};
    if (created->procedure(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return failWith<HWND>(ERROR_GEN_FAILURE, nullptr);
    }
    return handle;
}

BOOL DestroyWindow(HWND handle)
{
    Window* window = WindowObjects::find(handle);
    if (!window || window->destroying)
        return failWith<BOOL>(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    window->destroying = true;
    // Children go first; copy the list, since each destruction changes it.
    std::vector<HWND> children;
    for (HWND other : registry().windows) {
        Window* candidate = WindowObjects::find(other);
        if (candidate && candidate->parent == handle)
            children.push_back(other);
    }
    for (HWND child : children)
        DestroyWindow(child);
    window->procedure(handle, WM_DESTROY, 0, 0);
    // The procedure may have looked the window up, but cannot have removed it: it is
    // marked as being destroyed.
    forget(handle, window);
    return TRUE;
}

BOOL IsWindow(HWND window) { return WindowObjects::find(window) ? TRUE : FALSE; }

int GetWindowTextW(HWND handle, LPWSTR text, int maxCount)
{
    Window* window = WindowObjects::find(handle);
    if (!window)
        return failWith<int>(ERROR_INVALID_WINDOW_HANDLE, 0);
    if (!text || maxCount <= 0)
        return failWith<int>(ERROR_INVALID_PARAMETER, 0);
    size_t count = std::min(window->title.size(), static_cast<size_t>(maxCount - 1));
    std::wmemcpy(text, window->title.c_str(), count);
    text[count] = 0;
    return static_cast<int>(count);
}

LRESULT DefWindowProcW(HWND, UINT, WPARAM, LPARAM) { return 0; }

DWORD GetClassStyle(HWND handle)
{
    Window* window = WindowObjects::find(handle);
    return window ? window->windowClass->description.style : 0;
}
