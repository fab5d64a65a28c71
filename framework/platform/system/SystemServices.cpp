#include "platform/system/SystemServices.h"

#include "platform/base/Clock.h"
#include "platform/device/DeviceProfile.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/system/SoundOutput.h"

#include <cstring>
#include <cwchar>

namespace {
BOOL fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

BOOL copyText(const wchar_t* text, UINT bufferBytes, void* buffer)
{
    size_t capacity = bufferBytes / sizeof(WCHAR);
    size_t length = std::wcslen(text);
    if (length >= capacity)
        return fail(ERROR_INSUFFICIENT_BUFFER);
    std::wmemcpy(static_cast<WCHAR*>(buffer), text, length + 1);
    return TRUE;
}
} // namespace

BOOL GetVersionExW(OSVERSIONINFOW* versionInfo)
{
    if (!versionInfo)
        return fail(ERROR_INVALID_PARAMETER);
    if (versionInfo->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW))
        return fail(ERROR_INSUFFICIENT_BUFFER);
    const DeviceProfile& device = DeviceProfiles::current();
    versionInfo->dwMajorVersion = device.osMajor;
    versionInfo->dwMinorVersion = device.osMinor;
    versionInfo->dwBuildNumber = device.osBuild;
    versionInfo->dwPlatformId = VER_PLATFORM_WIN32_CE;
    versionInfo->szCSDVersion[0] = 0;
    return TRUE;
}

BOOL SystemParametersInfoW(UINT action, UINT bufferBytes, void* buffer, UINT)
{
    const DeviceProfile& device = DeviceProfiles::current();
    if (action != SPI_GETPLATFORMTYPE && action != SPI_GETOEMINFO)
        return fail(ERROR_INVALID_PARAMETER);
    if (!buffer)
        return fail(ERROR_INVALID_PARAMETER);
    if (action == SPI_GETPLATFORMTYPE) {
        if (!device.platformType)
            return fail(device.platformTypeError ? device.platformTypeError : ERROR_ACCESS_DENIED);
        return copyText(device.platformType, bufferBytes, buffer);
    }
    return copyText(device.oemInfo ? device.oemInfo : L"", bufferBytes, buffer);
}

int GetSystemMetrics(int index)
{
    const DeviceProfile& device = DeviceProfiles::current();
    if (index == SM_CXSCREEN)
        return static_cast<int>(device.screenWidth);
    if (index == SM_CYSCREEN)
        return static_cast<int>(device.screenHeight);
    return 0;
}

DWORD GetTickCount()
{
    const uint64_t now = Clock::current().nanoseconds();
    SoundOutput::reached(now);
    return static_cast<DWORD>(now / 1000000ULL);
}

namespace {
// The device's counter frequency, or 0 with the last error set when there is no counter
// or nowhere to put the answer.
LONGLONG counterFrequency(const LARGE_INTEGER* out)
{
    LONGLONG counts = DeviceProfiles::current().performanceFrequency;
    if (!out)
        fail(ERROR_INVALID_PARAMETER);
    else if (counts <= 0)
        fail(ERROR_INVALID_FUNCTION);
    return out && counts > 0 ? counts : 0;
}
} // namespace

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    LONGLONG counts = counterFrequency(frequency);
    if (!counts)
        return FALSE;
    frequency->QuadPart = counts;
    return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
    LONGLONG counts = counterFrequency(count);
    if (!counts)
        return FALSE;
    const uint64_t now = Clock::current().nanoseconds();
    SoundOutput::reached(now);
    unsigned __int128 scaled = static_cast<unsigned __int128>(now) * static_cast<uint64_t>(counts) / 1000000000U;
    count->QuadPart = static_cast<LONGLONG>(scaled);
    return TRUE;
}

void Sleep(DWORD milliseconds)
{
    // The system has the processor for a moment: time for the glass to be refreshed,
    // within the sleep rather than after it, so that the program wakes when it asked to.
    // The sound output plays through the wait.
    SoundOutput::sleep(milliseconds, EmulatedScreen::scanOut);
}
