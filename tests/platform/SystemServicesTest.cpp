#include "platform/system/SystemServices.h"
#include "support/DeviceScope.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

std::wstring platformType(DWORD* error = nullptr)
{
    wchar_t text[260] = {};
    if (!SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(text), text, 0)) {
        if (error)
            *error = GetLastError();
        return L"(refused)";
    }
    return text;
}

TEST(DeviceProfiles, EveryDeviceIsKnownByNameAndComplete)
{
    std::set<std::string> names;
    for (size_t i = 0; const DeviceProfile* profile = DeviceProfiles::at(i); ++i) {
        SCOPED_TRACE(profile->name);
        EXPECT_TRUE(names.insert(profile->name).second);
        EXPECT_EQ(profile, DeviceProfiles::find(profile->name));
        EXPECT_GT(profile->screenWidth, 0u);
        EXPECT_GT(profile->frameBuffer.width, 0u);
        EXPECT_NE(0, profile->frameBuffer.xPitch);
        EXPECT_NE(0, profile->frameBuffer.yPitch);
        EXPECT_TRUE(profile->gapi.present);
        EXPECT_NE(0, profile->keys.up);
    }
    for (const char* wanted : {"pocketpc2002", "pocketpc2003", "ipaq-h3800", "pocketpc2005-vga",
                               "pocketpc2005-square", "smartphone2003", "smartphone2005"})
        EXPECT_TRUE(names.count(wanted)) << wanted;
    EXPECT_EQ(nullptr, DeviceProfiles::find("pocketpc1999"));
    EXPECT_EQ(nullptr, DeviceProfiles::find(nullptr));
    EXPECT_FALSE(DeviceProfiles::select("pocketpc1999"));
}

TEST(DeviceProfiles, AnUnknownNameIsReportedAndTheDefaultUsed)
{
    ScopedDeviceProfile device("smartphone2005");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DeviceProfiles::choose("palm-tungsten"));
    std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, report.find("\"palm-tungsten\""));
    EXPECT_NE(std::string::npos, report.find("ipaq-h3800"));
    EXPECT_STREQ("pocketpc2003", DeviceProfiles::current().name);

    EXPECT_TRUE(DeviceProfiles::choose("pocketpc2005-square"));
    EXPECT_STREQ("pocketpc2005-square", DeviceProfiles::current().name);
    EXPECT_TRUE(DeviceProfiles::choose(""));
    EXPECT_STREQ("pocketpc2003", DeviceProfiles::current().name);
}

TEST(DeviceProfiles, QueriesAnswerForTheChosenDevice)
{
    {
        ScopedDeviceProfile device("pocketpc2003");
        OSVERSIONINFOW version = {};
        version.dwOSVersionInfoSize = sizeof(version);
        ASSERT_TRUE(GetVersionExW(&version));
        EXPECT_EQ(4u, version.dwMajorVersion);
        EXPECT_EQ(VER_PLATFORM_WIN32_CE, version.dwPlatformId);
        EXPECT_EQ(L"PocketPC", platformType());
        EXPECT_EQ(240, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(320, GetSystemMetrics(SM_CYSCREEN));
        EXPECT_EQ(0, GetSystemMetrics(42));
    }
    {
        ScopedDeviceProfile device("smartphone2003");
        DWORD error = 0;
        EXPECT_EQ(L"(refused)", platformType(&error));
        EXPECT_EQ(ERROR_ACCESS_DENIED, error);
        EXPECT_EQ(176, GetSystemMetrics(SM_CXSCREEN));
    }
    {
        ScopedDeviceProfile device("ipaq-h3800");
        wchar_t oem[260];
        ASSERT_TRUE(SystemParametersInfoW(SPI_GETOEMINFO, sizeof(oem), oem, 0));
        EXPECT_EQ(std::wstring(L"Compaq iPAQ H3800"), oem);
        EXPECT_EQ(static_cast<uintptr_t>(0xAC0755A0), DeviceProfiles::current().frameBuffer.fixedAddress);
    }
    {
        ScopedDeviceProfile device("pocketpc2005-vga");
        EXPECT_EQ(480, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(L"PocketPC", platformType());
    }
}

TEST(DeviceProfiles, QueriesRefuseBadBuffers)
{
    ScopedDeviceProfile device("pocketpc2003");
    OSVERSIONINFOW version = {};
    EXPECT_FALSE(GetVersionExW(&version));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_FALSE(GetVersionExW(nullptr));

    // "PocketPC" needs nine characters with its terminator.
    wchar_t text[9] = {L'x'};
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 8 * sizeof(wchar_t), text, 0));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(L'x', text[0]);
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 9 * sizeof(wchar_t), text, 0));
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(text), nullptr, 0));
    EXPECT_FALSE(SystemParametersInfoW(12345, sizeof(text), text, 0));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
}

TEST(Clock, TickCountAndCounterFollowTheInstalledClock)
{
    DeviceProfile device = *DeviceProfiles::find("pocketpc2003");
    device.performanceFrequency = 1000000;
    ScopedDeviceProfile profile(device);
    ScopedManualClock clock(5000000000ULL);

    EXPECT_EQ(5000u, GetTickCount());
    clock.advanceMilliseconds(31);
    EXPECT_EQ(5031u, GetTickCount());
    Sleep(19);
    EXPECT_EQ(5050u, GetTickCount());

    LARGE_INTEGER frequency, count;
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(1000000, frequency.QuadPart);
    ASSERT_TRUE(QueryPerformanceCounter(&count));
    EXPECT_EQ(5050000, count.QuadPart);

    // The tick count wraps after 2^32 ms like the device's.
    clock.advanceMilliseconds(0x100000000ULL - 5050);
    EXPECT_EQ(0u, GetTickCount());

    // Each reading lets the step pass, so a polling loop sees time move.
    clock.setStep(1000000);
    DWORD first = GetTickCount();
    EXPECT_EQ(first + 1, GetTickCount());
}

TEST(Clock, DevicesWithoutACounterSayNo)
{
    ScopedDeviceProfile device("pocketpc2002-nocounter");
    LARGE_INTEGER value;
    EXPECT_FALSE(QueryPerformanceFrequency(&value));
    EXPECT_FALSE(QueryPerformanceCounter(&value));
    EXPECT_FALSE(QueryPerformanceCounter(nullptr));
}

// Device time moves only while the program waits: a Sleep by exactly its length, and a
// reading that follows a reading by a microsecond, so that a busy wait still ends.
TEST(Clock, DeviceTimeMovesOnlyWhileTheProgramWaits)
{
    ScopedDeviceProfile profile("pocketpc2003");  // a counter of 3686400 counts a second
    DeviceClock deviceTime;
    Clock::install(&deviceTime);
    LARGE_INTEGER before, after;
    ASSERT_TRUE(QueryPerformanceCounter(&before));
    EXPECT_EQ(0, before.QuadPart) << "a device just switched on";
    Sleep(5);
    ASSERT_TRUE(QueryPerformanceCounter(&after));
    EXPECT_EQ(18432, after.QuadPart - before.QuadPart) << "exactly 5 ms";
    Sleep(0);
    ASSERT_TRUE(QueryPerformanceCounter(&before));
    ASSERT_TRUE(QueryPerformanceCounter(&after));
    EXPECT_EQ(4, after.QuadPart - before.QuadPart) << "one microsecond, in whole counts";

    for (bool yielding : {false, true}) {
        const DWORD start = GetTickCount();
        int readings = 0;
        while (GetTickCount() - start < 2 && readings < 100000) {
            if (yielding)
                Sleep(0);
            ++readings;
        }
        EXPECT_LT(readings, 100000) << "a busy wait ends" << (yielding ? ", yielding too" : "");
    }
    Clock::install(nullptr);
}

TEST(Clock, HostClockMoves)
{
    Clock::install(nullptr);
    LARGE_INTEGER before, after;
    ASSERT_TRUE(QueryPerformanceCounter(&before));
    DWORD tick = GetTickCount();
    Sleep(2);
    ASSERT_TRUE(QueryPerformanceCounter(&after));
    EXPECT_GT(after.QuadPart, before.QuadPart);
    EXPECT_GE(GetTickCount() - tick, 2u);
}

} // namespace
