#ifndef PARVOLIN_WINDOW_OBJECTS_H
#define PARVOLIN_WINDOW_OBJECTS_H

#include "platform/HandleTable.h"
#include "platform/Windows.h"

#include <memory>
#include <string>

// A registered window class.
struct WindowClass {
    ATOM atom;
    std::wstring name;
    WNDCLASSW description;  // lpszClassName and lpszMenuName are not kept
    unsigned windows = 0;   // windows of this class that exist
};

// A window, reached through its handle.
class Window : public HandleObject {
public:
    std::shared_ptr<WindowClass> windowClass;
    std::wstring title;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    tagRECT place = {};
    bool destroying = false;
};

namespace WindowObjects {
// The window behind a handle that has not been destroyed, or null.
Window* find(HWND window);
// The title of the newest top-level window, empty when there is none.
std::wstring newestTitle();
} // namespace WindowObjects

#endif
