#ifndef PARVOLIN_TEST_TEST_WINDOW_H
#define PARVOLIN_TEST_TEST_WINDOW_H

#include "platform/windows/Messages.h"
#include "platform/windows/Windows.h"

#include <vector>

// A top-level window of the emulated device, of a class that leaves every message to the
// default procedure; destroyed with the object.
class TestWindow {
public:
    explicit TestWindow(const wchar_t* title = L"Parvolin test");
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return window; }

private:
    HWND window;
};

// Every message a peek finds until one finds nothing, in the order they came.
std::vector<MSG> takeMessages();

#endif
