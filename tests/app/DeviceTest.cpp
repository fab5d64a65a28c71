#include "core/Config.h"
#include "core/Device.h"
#include "core/PlatformIds.h"
#include "core/ResultCodes.h"
#include "platform/base/LastError.h"
#include "support/DeviceScope.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

DeviceProfile variant(DWORD major, const wchar_t* type, DWORD refusal = 0)
{
    DeviceProfile profile = *DeviceProfiles::find("pocketpc2003");
    profile.osMajor = major;
    profile.platformType = type;
    profile.platformTypeError = refusal;
    return profile;
}

TEST(PlatformId, TypeAndMajorVersionGiveTheIdentifier)
{
    struct Case {
        DWORD major;
        const wchar_t* type;
        DWORD refusal;
        unsigned long id;
    } cases[] = {
        {3, L"PocketPC", 0, 0x201},
        {4, L"PocketPC", 0, 0x204},
        {5, L"PocketPC", 0, 0x208},
        {6, L"PocketPC", 0, 0x208},
        {3, L"Smartphone", 0, 0x401},
        {4, L"Smartphone", 0, 0x402},
        {5, L"Smartphone", 0, 0x404},
        // A refused query means a Smartphone, but only when refused as access denied.
        {3, nullptr, ERROR_ACCESS_DENIED, 0x401},
        {4, nullptr, ERROR_ACCESS_DENIED, 0x402},
        {7, nullptr, ERROR_ACCESS_DENIED, 0x404},
        {4, nullptr, ERROR_INVALID_PARAMETER, PlatformId::Unknown},
        // Exact, case-sensitive names only.
        {4, L"pocketpc", 0, PlatformId::Unknown},
        {4, L"PocketPC ", 0, PlatformId::Unknown},
        {4, L"Palm", 0, PlatformId::Unknown},
        {4, L"", 0, PlatformId::Unknown},
    };
    for (const Case& c : cases) {
        ScopedDeviceProfile device(variant(c.major, c.type, c.refusal));
        EXPECT_EQ(c.id, PlatformId::detect()) << c.major << " " << (c.type ? c.type : L"(refused)");
    }
    ScopedDeviceProfile refused("smartphone2003");
    EXPECT_EQ(static_cast<unsigned long>(PlatformId::Smartphone2003), PlatformId::detect());
}

TEST(PlatformId, NamesFollowTheTable)
{
    EXPECT_EQ(std::wstring(L"PocketPC 2000/2002"), PlatformId::nameOf(0x201));
    EXPECT_EQ(std::wstring(L"PocketPC 2003"), PlatformId::nameOf(0x204));
    EXPECT_EQ(std::wstring(L"PocketPC 2005"), PlatformId::nameOf(0x208));
    EXPECT_EQ(std::wstring(L"SmartPhone 2002"), PlatformId::nameOf(0x401));
    EXPECT_EQ(std::wstring(L"SmartPhone 2003"), PlatformId::nameOf(0x402));
    EXPECT_EQ(std::wstring(L"SmartPhone 2005"), PlatformId::nameOf(0x404));
    EXPECT_EQ(std::wstring(L"Unknown platform"), PlatformId::nameOf(PlatformId::Unknown));
    EXPECT_EQ(std::wstring(L"Unknown platform"), PlatformId::nameOf(0x202));
}

// The singleton keeps the first identifier it found, and asks again until it finds one.
// This is the only test that lets the singleton detect.
TEST(Device, DetectionIsRetriedUntilItSucceedsThenKept)
{
    Device* device = Device::getInstance();
    ASSERT_NE(nullptr, device);
    EXPECT_EQ(device, Device::getInstance());
    {
        ScopedDeviceProfile unknown(variant(4, L"Palm"));
        EXPECT_EQ(static_cast<unsigned long>(PlatformId::Unknown), device->getPlatformId());
        wchar_t name[32];
        EXPECT_EQ(ResultCode::Ok, device->getPlatformName(name, 32));
        EXPECT_EQ(std::wstring(L"Unknown platform"), name);
    }
    {
        ScopedDeviceProfile known("smartphone2003");
        EXPECT_EQ(static_cast<unsigned long>(PlatformId::Smartphone2003), device->getPlatformId());
    }
    ScopedDeviceProfile other("pocketpc2005-vga");
    EXPECT_EQ(static_cast<unsigned long>(PlatformId::Smartphone2003), device->getPlatformId());
}

TEST(Device, PlatformNameIsCopiedLikeWcsncpy)
{
    Device* device = Device::getInstance();
    std::wstring name = PlatformId::nameOf(device->getPlatformId());

    wchar_t cut[8];
    std::wmemset(cut, L'#', 8);
    EXPECT_EQ(ResultCode::Ok, device->getPlatformName(cut, 5));
    EXPECT_EQ(name.substr(0, 5), std::wstring(cut, 5));
    EXPECT_EQ(L'#', cut[5]);  // no terminator, nothing past the length

    wchar_t whole[32];
    std::wmemset(whole, L'#', 32);
    EXPECT_EQ(ResultCode::Ok, device->getPlatformName(whole, 32));
    EXPECT_EQ(name, whole);
    EXPECT_EQ(L'\0', whole[31]);  // padded to the length

    EXPECT_EQ(ResultCode::NullParameter, device->getPlatformName(nullptr, 5));
    EXPECT_EQ(ResultCode::Ok, device->getPlatformName(nullptr, 0));
}

class DevicePaths : public ::testing::Test {
protected:
    void SetUp() override
    {
        device = Device::getInstance();
        ASSERT_NE(nullptr, device);
        wchar_t buffer[MAX_PATH];
        unsigned int length = device->getFullAppFileName(buffer, MAX_PATH);
        ASSERT_GT(length, 0u);
        program = std::wstring(buffer, length);
        folder = program.substr(0, program.rfind(L'/') + 1);
    }

    std::wstring absolute(const wchar_t* path, unsigned long length = MAX_PATH, unsigned int* result = nullptr)
    {
        wchar_t buffer[MAX_PATH + 8];
        std::wmemset(buffer, L'#', MAX_PATH + 8);
        unsigned int stored = device->getAbsolutePath(path, buffer, length);
        EXPECT_EQ(L'#', buffer[length]) << "written past the length";
        if (result)
            *result = stored;
        EXPECT_EQ(stored, std::wcslen(buffer));
        return buffer;
    }

    Device* device = nullptr;
    std::wstring program;
    std::wstring folder;
};

TEST_F(DevicePaths, TheProgramIsTheTestExecutable)
{
    EXPECT_EQ(L"/app_tests", program.substr(program.rfind(L'/')));
    wchar_t buffer[MAX_PATH];
    EXPECT_EQ(folder.size(), device->getFullAppPath(buffer, MAX_PATH));
    EXPECT_EQ(folder, buffer);
    EXPECT_EQ(0u, device->getFullAppPath(nullptr, MAX_PATH));
    EXPECT_EQ(0u, device->getFullAppFileName(nullptr, MAX_PATH));
}

TEST_F(DevicePaths, AbsoluteFormsStayAndRelativeOnesJoinTheProgramFolder)
{
    EXPECT_EQ(L"\\Storage Card\\a.png", absolute(L"\\Storage Card\\a.png"));
    EXPECT_EQ(L"/a.png", absolute(L"/a.png"));
    EXPECT_EQ(L"B:\\a", absolute(L"B:\\a"));
    EXPECT_EQ(folder + L"a.png", absolute(L"a.png"));
    EXPECT_EQ(folder + L"B:a", absolute(L"B:a"));
    EXPECT_EQ(folder + L"B:/a", absolute(L"B:/a"));
    EXPECT_EQ(folder + L"sub\\b.png", absolute(L"sub\\b.png"));
    EXPECT_EQ(folder, absolute(L""));
    wchar_t buffer[4] = {L'#'};
    EXPECT_EQ(0u, device->getAbsolutePath(nullptr, buffer, 4));
    EXPECT_EQ(0u, device->getAbsolutePath(L"a", nullptr, 4));
    EXPECT_EQ(0u, device->getAbsolutePath(L"a", buffer, 0));
    EXPECT_EQ(L'#', buffer[0]);
}

TEST_F(DevicePaths, ResultsThatDoNotFitAreCutAndTerminated)
{
    unsigned int result = 0;
    EXPECT_EQ(L"/ab", absolute(L"/abcdef", 4, &result));
    EXPECT_EQ(3u, result);

    unsigned long length = static_cast<unsigned long>(folder.size()) + 3;
    EXPECT_EQ(folder + L"ab", absolute(L"abcdef", length, &result));
    EXPECT_EQ(length - 1, result);

    // The folder itself does not fit: it is not found, and the path stands alone.
    EXPECT_EQ(L"abcd", absolute(L"abcdefgh", 5, &result));
    wchar_t buffer[6];
    EXPECT_EQ(0u, device->getFullAppPath(buffer, 6));
    EXPECT_EQ(L'\0', buffer[0]);
    // The file name alone is handed on as the system gives it: cut, terminated, counted.
    EXPECT_EQ(6u, device->getFullAppFileName(buffer, 6));
    EXPECT_EQ(program.substr(0, 5), buffer);
}

TEST(Config, ANewRecordHoldsTheDefaults)
{
    Config config;
    EXPECT_EQ(nullptr, config.appName);
    EXPECT_EQ(32u, config.fps);
    EXPECT_EQ(0, config.iconId);
    EXPECT_EQ(0, config.orientation);
    EXPECT_EQ(0, config.nativeResolution);
    EXPECT_FALSE(config.doubleClicks);
    EXPECT_FALSE(config.runInBackground);
    EXPECT_FALSE(config.stayInForeground);
    EXPECT_EQ(0, config.width);
    EXPECT_EQ(0, config.height);
}

} // namespace
