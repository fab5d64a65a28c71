#include "platform/input/DeviceInput.h"

#include "platform/device/DeviceProfile.h"
#include "platform/windows/Messages.h"
#include "platform/windows/WindowObjects.h"

#include <bitset>

namespace {
constexpr size_t keyCodes = 256;

std::bitset<keyCodes>& keysDown()
{
    static std::bitset<keyCodes> down;
    return down;
}

BOOL postKey(HWND window, UINT message, uint32_t code)
{
    bool wasDown = keysDown()[code % keyCodes];
    keysDown()[code % keyCodes] = message == WM_KEYDOWN;
    LPARAM flags = 1;
    if (message == WM_KEYUP)
        flags |= KF_PREVIOUSLY_DOWN | KF_RELEASING;
    else if (wasDown)
        flags |= KF_PREVIOUSLY_DOWN;
    return PostMessageW(window, message, code, flags);
}
} // namespace

namespace DeviceInput {

uint32_t keyCode(const InputCommand& command)
{
    const DeviceKeys& keys = DeviceProfiles::current().keys;
    const short named[InputCommand::keyNameCount] = {keys.up,    keys.down, keys.left, keys.right,
                                                     keys.start, keys.a,    keys.b,    keys.c};
    if (command.keyName >= 0 && command.keyName < InputCommand::keyNameCount)
        return static_cast<uint32_t>(static_cast<uint16_t>(named[command.keyName]));
    return command.key;
}

bool post(const InputCommand& command)
{
    HWND window = WindowObjects::shownWindow();
    if (!window || command.kind == InputCommand::Shot)
        return false;
    LPARAM point = MAKELPARAM(command.x, command.y);
    switch (command.kind) {
    case InputCommand::Down:
        return PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    case InputCommand::Move:
        return PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, point);
    case InputCommand::Up:
        return PostMessageW(window, WM_LBUTTONUP, 0, point);
    case InputCommand::DoubleClick: {
        UINT message = (GetClassStyle(window) & CS_DBLCLKS) ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        return PostMessageW(window, message, MK_LBUTTON, point);
    }
    case InputCommand::KeyDown:
    case InputCommand::KeyUp: {
        HWND focus = WindowObjects::focus();
        return postKey(focus ? focus : window, command.kind == InputCommand::KeyDown ? WM_KEYDOWN : WM_KEYUP,
                       keyCode(command));
    }
    case InputCommand::Deactivate: {
        if (WindowObjects::foreground() == window)
            WindowObjects::takeForeground(nullptr);
        WPARAM minimised = IsIconic(window) ? 1 : 0;
        return PostMessageW(window, WM_ACTIVATE, WA_INACTIVE | (minimised << 16), 0);
    }
    case InputCommand::Activate:
        if (IsIconic(window))
            ShowWindow(window, SW_RESTORE);
        WindowObjects::takeForeground(window);
        return PostMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
    case InputCommand::Close:
        return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    default:
        return false;
    }
}

void releaseKeys() { keysDown().reset(); }

} // namespace DeviceInput
