#include "platform/windows/TaskBar.h"

#include "platform/device/DeviceProfile.h"
#include "platform/system/SystemServices.h"
#include "platform/windows/WindowObjects.h"

#include <cwchar>
#include <string>

namespace {
struct Current {
    HWND window = nullptr;
    std::wstring className;
};

Current& current()
{
    static Current instance;
    return instance;
}
} // namespace

namespace TaskBar {

HWND window()
{
    Current& state = current();
    const wchar_t* wanted = DeviceProfiles::current().taskBarClass;
    if (state.window && WindowObjects::find(state.window) && wanted && state.className == wanted)
        return state.window;
    if (WindowObjects::find(state.window))
        DestroyWindow(state.window);
    state.window = nullptr;
    state.className.clear();
    if (!wanted || !WindowObjects::registerShellClass(wanted))
        return nullptr;
    state.window = CreateWindowExW(0, wanted, L"", WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN), height, nullptr,
                                   nullptr, nullptr, nullptr);
    if (state.window)
        state.className = wanted;
    return state.window;
}

} // namespace TaskBar
