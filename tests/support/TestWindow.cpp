#include "support/TestWindow.h"

#include <gtest/gtest.h>

namespace {
constexpr const wchar_t* testClassName = L"ParvolinTestWindow";

void registerOnce()
{
    static bool registered = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = testClassName;
        return RegisterClassW(&windowClass) != 0;
    }();
    EXPECT_TRUE(registered);
}
} // namespace

TestWindow::TestWindow(const wchar_t* title)
{
    registerOnce();
    window = CreateWindowExW(0, testClassName, title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(nullptr, window);
}

TestWindow::~TestWindow()
{
    if (window)
        DestroyWindow(window);
}

std::vector<MSG> takeMessages()
{
    std::vector<MSG> taken;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        taken.push_back(message);
    return taken;
}
