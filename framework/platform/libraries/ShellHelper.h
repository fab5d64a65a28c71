#ifndef PARVOLIN_SHELL_HELPER_H
#define PARVOLIN_SHELL_HELPER_H

#include "platform/system/EmulatedModule.h"
#include "platform/base/PlatformTypes.h"

// The shell helper library, "aygshell.dll", on the devices whose profile has it: a
// full-screen window asks it to hide the task bar, the soft-keyboard button and the start
// icon, and to keep the soft input panel down. Its functions are looked up by name.

constexpr DWORD SHFS_SHOWTASKBAR = 0x0001;
constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
constexpr DWORD SHFS_SHOWSIPBUTTON = 0x0004;
constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
constexpr DWORD SHFS_SHOWSTARTICON = 0x0010;
constexpr DWORD SHFS_HIDESTARTICON = 0x0020;

enum SIPSTATE { SIP_UP = 0, SIP_DOWN, SIP_FORCEDOWN, SIP_UNCHANGED, SIP_INPUTDIALOG };

typedef BOOL (*SHFullScreenFunction)(HWND window, DWORD state);
typedef BOOL (*SHSipPreferenceFunction)(HWND window, SIPSTATE state);

namespace ShellHelperNames {
constexpr const wchar_t* library = L"aygshell.dll";
constexpr const wchar_t* fullScreen = L"SHFullScreen";
constexpr const wchar_t* sipPreference = L"SHSipPreference";
} // namespace ShellHelperNames

extern const EmulatedModule shellHelperModule;

// What the library has been told (tests look at it).
struct ShellHelperStatus {
    bool taskBarHidden;
    bool sipButtonHidden;
    bool startIconHidden;
    bool sipDown;
    unsigned fullScreenCalls;
    unsigned sipCalls;
    HWND lastWindow;
};
ShellHelperStatus shellHelperStatus();
void resetShellHelperStatus();

#endif
