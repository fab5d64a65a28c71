#ifndef PARVOLIN_GAME_API_H
#define PARVOLIN_GAME_API_H

#include "platform/system/EmulatedModule.h"
#include "platform/base/PlatformTypes.h"

// The Game API, "GX.dll": full-screen access to the frame buffer and the device's key
// codes. Loaded at run time; its functions are looked up under their decorated names.

struct GXDisplayProperties {
    DWORD cxWidth;
    DWORD cyHeight;
    LONG cbxPitch;
    LONG cbyPitch;
    LONG cBPP;
    DWORD ffFormat;
};

// Each key's code and where the key sits on the device.
struct GXKeyList {
    short vkUp;
    tagPOINT ptUp;
    short vkDown;
    tagPOINT ptDown;
    short vkLeft;
    tagPOINT ptLeft;
    short vkRight;
    tagPOINT ptRight;
    short vkA;
    tagPOINT ptA;
    short vkB;
    tagPOINT ptB;
    short vkC;
    tagPOINT ptC;
    short vkStart;
    tagPOINT ptStart;
};

constexpr DWORD GX_FULLSCREEN = 0x01;
constexpr int GX_NORMALKEYS = 0x02;
constexpr int GX_LANDSCAPEKEYS = 0x03;

typedef int (*GXOpenDisplayFunction)(HWND window, DWORD flags);
typedef int (*GXCloseDisplayFunction)();
typedef void* (*GXBeginDrawFunction)();
typedef int (*GXEndDrawFunction)();
typedef int (*GXOpenInputFunction)();
typedef int (*GXCloseInputFunction)();
typedef GXDisplayProperties (*GXGetDisplayPropertiesFunction)();
typedef GXKeyList (*GXGetDefaultKeysFunction)(int options);
typedef int (*GXSuspendFunction)();
typedef int (*GXResumeFunction)();
typedef int (*GXSetViewportFunction)(DWORD top, DWORD height, DWORD reserved1, DWORD reserved2);
typedef BOOL (*GXIsDisplayDRAMBufferFunction)();

// The names the library exports its functions under.
namespace GameApiNames {
constexpr const wchar_t* openDisplay = L"?GXOpenDisplay@@YAHPAUHWND__@@K@Z";
constexpr const wchar_t* closeDisplay = L"?GXCloseDisplay@@YAHXZ";
constexpr const wchar_t* beginDraw = L"?GXBeginDraw@@YAPAXXZ";
constexpr const wchar_t* endDraw = L"?GXEndDraw@@YAHXZ";
constexpr const wchar_t* openInput = L"?GXOpenInput@@YAHXZ";
constexpr const wchar_t* closeInput = L"?GXCloseInput@@YAHXZ";
constexpr const wchar_t* getDisplayProperties = L"?GXGetDisplayProperties@@YA?AUGXDisplayProperties@@XZ";
constexpr const wchar_t* getDefaultKeys = L"?GXGetDefaultKeys@@YA?AUGXKeyList@@H@Z";
constexpr const wchar_t* suspend = L"?GXSuspend@@YAHXZ";
constexpr const wchar_t* resume = L"?GXResume@@YAHXZ";
constexpr const wchar_t* setViewport = L"?GXSetViewport@@YAHKKKK@Z";
constexpr const wchar_t* isDisplayDRAMBuffer = L"?GXIsDisplayDRAMBuffer@@YAHXZ";
} // namespace GameApiNames

// The emulated library, offered by every device whose profile has a Game API.
extern const EmulatedModule gameApiModule;

// What the emulated library has been told so far (tests look at it).
struct GameApiStatus {
    bool displayOpen;
    bool inputOpen;
    bool suspended;
    unsigned suspendCalls;
    unsigned resumeCalls;
};
GameApiStatus gameApiStatus();

#endif
