#ifndef PARVOLIN_SYSTEM_SERVICES_H
#define PARVOLIN_SYSTEM_SERVICES_H

#include "platform/base/LastError.h"
#include "platform/base/PlatformTypes.h"

// The system queries and the clock services, answered from the emulated device's profile
// (see DeviceProfile.h) and the current Clock.

struct OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
};

constexpr DWORD VER_PLATFORM_WIN32_CE = 3;

constexpr UINT SPI_GETPLATFORMTYPE = 257;
constexpr UINT SPI_GETOEMINFO = 258;

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

// dwOSVersionInfoSize must be sizeof(OSVERSIONINFOW) (else ERROR_INSUFFICIENT_BUFFER).
BOOL GetVersionExW(OSVERSIONINFOW* versionInfo);

// SPI_GETPLATFORMTYPE and SPI_GETOEMINFO copy the device's text into `buffer`, whose size
// `bufferBytes` is given in bytes; a text that does not fit is ERROR_INSUFFICIENT_BUFFER.
// A device may refuse the platform-type query (ERROR_ACCESS_DENIED on some Smartphones).
BOOL SystemParametersInfoW(UINT action, UINT bufferBytes, void* buffer, UINT winIni);

// SM_CXSCREEN and SM_CYSCREEN; 0 for any other index.
int GetSystemMetrics(int index);

// Milliseconds, wrapping after 49.7 days.
DWORD GetTickCount();
// FALSE on a device without a performance counter.
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
// Sleep(0) yields the processor.
void Sleep(DWORD milliseconds);

#endif
