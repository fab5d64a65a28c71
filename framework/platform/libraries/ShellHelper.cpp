#include "platform/libraries/ShellHelper.h"

#include "platform/base/LastError.h"
#include "platform/base/ProcCast.h"
#include "platform/windows/Windows.h"

namespace {
ShellHelperStatus& status()
{
    static ShellHelperStatus instance = {};
    return instance;
}

// Applies one item's pair of flags; asking to hide and show at once hides.
void apply(DWORD state, DWORD show, DWORD hide, bool& hidden)
{
    if (state & show)
        hidden = false;
    if (state & hide)
        hidden = true;
}

BOOL SHFullScreen(HWND window, DWORD state)
{
    if (!IsWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    ShellHelperStatus& s = status();
    apply(state, SHFS_SHOWTASKBAR, SHFS_HIDETASKBAR, s.taskBarHidden);
    apply(state, SHFS_SHOWSIPBUTTON, SHFS_HIDESIPBUTTON, s.sipButtonHidden);
    apply(state, SHFS_SHOWSTARTICON, SHFS_HIDESTARTICON, s.startIconHidden);
    ++s.fullScreenCalls;
    s.lastWindow = window;
    return TRUE;
}

BOOL SHSipPreference(HWND window, SIPSTATE state)
{
    if (!IsWindow(window) || state < SIP_UP || state > SIP_INPUTDIALOG) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ShellHelperStatus& s = status();
    if (state == SIP_DOWN || state == SIP_FORCEDOWN)
        s.sipDown = true;
    else if (state != SIP_UNCHANGED)
        s.sipDown = false;
    ++s.sipCalls;
    s.lastWindow = window;
    return TRUE;
}

bool offeredBy(const DeviceProfile& device) { return device.shellHelper; }

const EmulatedExport shellHelperExports[] = {
    {ShellHelperNames::fullScreen, toFarProc(SHFullScreen)},
    {ShellHelperNames::sipPreference, toFarProc(SHSipPreference)},
};
} // namespace

const EmulatedModule shellHelperModule = {ShellHelperNames::library, shellHelperExports,
                                          sizeof(shellHelperExports) / sizeof(shellHelperExports[0]),
                                          offeredBy, nullptr, 0};

ShellHelperStatus shellHelperStatus() { return status(); }

void resetShellHelperStatus() { status() = ShellHelperStatus{}; }
