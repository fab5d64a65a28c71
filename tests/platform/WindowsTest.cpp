#include "platform/gdi/RawFrameBuffer.h"
#include "platform/windows/WindowObjects.h"
#include "platform/windows/Windows.h"
#include "support/CountingHost.h"
#include "support/DeviceScope.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Received {
    HWND window;
    UINT message;
    std::wstring title;
    void* param;
    int width;
};

std::vector<Received> received;
LRESULT createResult = 0;

LRESULT recordingProcedure(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    Received entry = {window, message, L"", nullptr, 0};
    if (message == WM_CREATE) {
        const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        entry.title = create->lpszName;
        entry.param = create->lpCreateParams;
        entry.width = create->cx;
    }
    received.push_back(entry);
    return message == WM_CREATE ? createResult : 0;
}

class Windows : public ::testing::Test {
protected:
    void SetUp() override
    {
        received.clear();
        createResult = 0;
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = recordingProcedure;
        windowClass.lpszClassName = L"Recording";
        ASSERT_NE(0, RegisterClassW(&windowClass));
    }
    void TearDown() override { EXPECT_TRUE(UnregisterClassW(L"Recording", nullptr)); }

    HWND create(const wchar_t* title, HWND parent = nullptr, void* param = nullptr)
    {
        return CreateWindowExW(WS_EX_TOPMOST, L"recording", title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, nullptr, param);
    }

    ScopedDeviceProfile device{"pocketpc2003"};
};

TEST_F(Windows, ClassesAreRegisteredOncePerName)
{
    WNDCLASSW again = {};
    again.lpfnWndProc = DefWindowProcW;
    again.lpszClassName = L"RECORDING";
    EXPECT_EQ(0, RegisterClassW(&again));
    EXPECT_EQ(ERROR_CLASS_ALREADY_EXISTS, GetLastError());
    again.lpszClassName = nullptr;
    EXPECT_EQ(0, RegisterClassW(&again));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_EQ(0, RegisterClassW(nullptr));
    EXPECT_FALSE(UnregisterClassW(L"Nothing", nullptr));
    EXPECT_EQ(ERROR_CLASS_DOES_NOT_EXIST, GetLastError());
    EXPECT_EQ(nullptr, CreateWindowExW(0, L"Nothing", L"x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_CANNOT_FIND_WND_CLASS, GetLastError());
}

TEST_F(Windows, CreationAndDestructionReachTheProcedure)
{
    int marker = 0;
    HWND window = create(L"Vorlequin", nullptr, &marker);
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(1u, received.size());
    EXPECT_EQ(WM_CREATE, received[0].message);
    EXPECT_EQ(window, received[0].window);
    EXPECT_EQ(L"Vorlequin", received[0].title);
    EXPECT_EQ(&marker, received[0].param);
    EXPECT_EQ(240, received[0].width) << "the whole screen by default";
    EXPECT_TRUE(IsWindow(window));

    wchar_t title[5];
    EXPECT_EQ(4, GetWindowTextW(window, title, 5));
    EXPECT_EQ(std::wstring(L"Vorl"), title);

    // Refused while the class has a window.
    EXPECT_FALSE(UnregisterClassW(L"Recording", nullptr));
    EXPECT_EQ(ERROR_CLASS_HAS_WINDOWS, GetLastError());

    HWND child = create(L"child", window);
    ASSERT_NE(nullptr, child);
    received.clear();
    EXPECT_TRUE(DestroyWindow(window));
    ASSERT_EQ(2u, received.size());
    EXPECT_EQ(child, received[0].window) << "children go first";
    EXPECT_EQ(WM_DESTROY, received[0].message);
    EXPECT_EQ(window, received[1].window);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(ERROR_INVALID_WINDOW_HANDLE, GetLastError());
    EXPECT_EQ(0, GetWindowTextW(window, title, 5));
}

TEST_F(Windows, ProcedureRefusingCreationLeavesNoWindow)
{
    createResult = -1;
    EXPECT_EQ(nullptr, create(L"refused"));
    ASSERT_EQ(2u, received.size());
    EXPECT_EQ(WM_DESTROY, received[1].message);
    EXPECT_FALSE(IsWindow(received[0].window));
    EXPECT_EQ(nullptr, create(L"orphan", received[0].window));
}

// The host names its window after the newest top-level window of the device.
TEST_F(Windows, HostHearsOfTopLevelWindows)
{
    CountingHost host;
    HWND first = create(L"First");
    HWND second = create(L"Second");
    HWND child = create(L"Child", second);
    EXPECT_EQ(2u, host.windowChanges);
    EXPECT_EQ(L"Second", WindowObjects::newestTitle());
    DestroyWindow(second);
    EXPECT_EQ(3u, host.windowChanges);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(L"First", WindowObjects::newestTitle());
    DestroyWindow(first);
    EXPECT_EQ(L"", WindowObjects::newestTitle());
}

// A window's device context answers the driver's raw frame-buffer query while the window
// lives.
TEST_F(Windows, DeviceContextOfAWindow)
{
    HWND window = create(L"screen");
    HDC dc = GetDC(window);
    ASSERT_NE(nullptr, dc);
    RawFrameBufferInfo info = {};
    EXPECT_EQ(1, ExtEscape(dc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof(info), reinterpret_cast<char*>(&info)));
    DestroyWindow(window);
    EXPECT_EQ(-1, ExtEscape(dc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof(info), reinterpret_cast<char*>(&info)));
    EXPECT_EQ(1, ReleaseDC(window, dc));
    EXPECT_EQ(nullptr, GetDC(window));
    EXPECT_EQ(ERROR_INVALID_WINDOW_HANDLE, GetLastError());
}

} // namespace
