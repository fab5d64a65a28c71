#ifndef PARVOLIN_WINDOW_OBJECTS_H
#define PARVOLIN_WINDOW_OBJECTS_H

#include "platform/base/HandleTable.h"
#include "platform/windows/Windows.h"

#include <memory>
#include <string>
#include <vector>

class MessageQueue;

// A registered window class.
struct WindowClass {
    ATOM atom;
    std::wstring name;
    WNDCLASSW description;  // lpszClassName and lpszMenuName are not kept
    unsigned windows = 0;   // windows of this class that exist
    bool shell = false;     // the shell's own (the task bar): never the program's window
};

// A window, reached through its handle.
class Window : public HandleObject {
public:
    std::shared_ptr<WindowClass> windowClass;
    std::shared_ptr<MessageQueue> queue;  // of the thread that made it
    std::wstring title;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    tagRECT place = {};
    bool visible = false;
    bool iconic = false;
    bool destroying = false;

    bool isProgramWindow() const { return !parent && !windowClass->shell; }
};

namespace WindowObjects {
// The window behind a handle that has not been destroyed, or null.
Window* find(HWND window);
// Every live window, oldest first.
const std::vector<HWND>& all();
// Whether `window` is `ancestor` or lies inside it.
bool isWithin(HWND window, HWND ancestor);
// The program's newest top-level window: the one a host shows and sends input to; null
// when there is none.
HWND shownWindow();
// The title of shownWindow(), empty when there is none.
std::wstring newestTitle();
// The rectangle of that origin and size (a negative size is empty), kept within 32 bits.
tagRECT rectangle(int x, int y, int width, int height);
// Class names compare without case.
bool sameName(const std::wstring& a, const wchar_t* b);

// A class of the shell's own; its windows are not the program's.
std::shared_ptr<WindowClass> registerShellClass(const wchar_t* name);

// The foreground and focus windows (null when none, or when they have gone).
HWND foreground();
HWND focus();
// Makes a window the foreground and focus window without telling it.
void takeForeground(HWND window);
} // namespace WindowObjects

#endif
