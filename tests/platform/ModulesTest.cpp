#include "platform/system/EmulatedModule.h"
#include "platform/system/Modules.h"
#include "support/DeviceScope.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

intptr_t answer() { return 42; }
intptr_t other() { return 7; }

const EmulatedExport gameExports[] = {
    {L"?Answer@@YAHXZ", answer},
    {L"Other", other},
    {L"Missing", nullptr},
};

bool offeredByPocketPcs(const DeviceProfile& device)
{
    return device.platformType && std::wcscmp(device.platformType, L"PocketPC") == 0;
}

const EmulatedModule testModule = {L"TestGame.dll", gameExports, 3, offeredByPocketPcs, nullptr, 0};

class Modules : public ::testing::Test {
protected:
    void SetUp() override { EmulatedModules::add(&testModule); }
    void TearDown() override { EmulatedModules::remove(&testModule); }
};

TEST_F(Modules, LibrariesLoadByNameAndExportFunctionsByDecoratedName)
{
    ScopedDeviceProfile device("pocketpc2003");
    HMODULE library = LoadLibraryW(L"testgame.DLL");
    ASSERT_NE(nullptr, library);
    EXPECT_EQ(library, LoadLibraryW(L"\\Windows\\TestGame"));
    EXPECT_EQ(library, GetModuleHandleW(L"TestGame.dll"));

    FARPROC function = GetProcAddressW(library, L"?Answer@@YAHXZ");
    ASSERT_NE(nullptr, function);
    EXPECT_EQ(42, function());
    // Exact names only: another case or the undecorated name is another function.
    EXPECT_EQ(nullptr, GetProcAddressW(library, L"?answer@@YAHXZ"));
    EXPECT_EQ(ERROR_PROC_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, GetProcAddressW(library, L"Answer"));
    EXPECT_EQ(nullptr, GetProcAddressW(library, L"Missing"));
    EXPECT_EQ(ERROR_PROC_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, GetProcAddressW(library, nullptr));

    wchar_t name[64];
    EXPECT_EQ(std::wcslen(L"\\Windows\\TestGame.dll"), GetModuleFileNameW(library, name, 64));
    EXPECT_EQ(std::wstring(L"\\Windows\\TestGame.dll"), name);

    // Loaded twice, freed twice: then the handle is gone.
    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_NE(nullptr, GetProcAddressW(library, L"Other"));
    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_EQ(nullptr, GetProcAddressW(library, L"Other"));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
    EXPECT_FALSE(FreeLibrary(library));
    EXPECT_EQ(nullptr, GetModuleHandleW(L"TestGame.dll"));
}

TEST_F(Modules, ALibraryTheDeviceLacksIsNotFound)
{
    ScopedDeviceProfile device("smartphone2005");
    EXPECT_EQ(nullptr, LoadLibraryW(L"TestGame.dll"));
    EXPECT_EQ(ERROR_MOD_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, LoadLibraryW(L"nothing.dll"));
    EXPECT_EQ(ERROR_MOD_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, LoadLibraryW(L""));
    EXPECT_EQ(nullptr, LoadLibraryW(nullptr));
    EXPECT_FALSE(FreeLibrary(nullptr));
    EXPECT_EQ(nullptr, GetProcAddressW(reinterpret_cast<HMODULE>(0x4444), L"Other"));
}

TEST(ProgramModule, FileNameIsTheRunningProgramsNotTheLibrarys)
{
    wchar_t name[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, MAX_PATH);
    EXPECT_EQ(length, std::wcslen(name));
    std::wstring path = name;
    EXPECT_EQ(L"/platform_tests", path.substr(path.rfind(L'/')));
    EXPECT_EQ(length, GetModuleFileNameW(GetModuleHandleW(nullptr), name, MAX_PATH));

    // Cut to fit, terminated, reported.
    wchar_t shortName[5] = {L'x', L'x', L'x', L'x', L'x'};
    EXPECT_EQ(5u, GetModuleFileNameW(nullptr, shortName, 5));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(path.substr(0, 4), shortName);
    EXPECT_EQ(0u, GetModuleFileNameW(nullptr, shortName, 0));
    EXPECT_EQ(0u, GetModuleFileNameW(reinterpret_cast<HMODULE>(0x4444), name, MAX_PATH));

    // The program exports nothing.
    EXPECT_EQ(nullptr, GetProcAddressW(nullptr, L"main"));
    EXPECT_TRUE(FreeLibrary(GetModuleHandleW(nullptr)));
}

} // namespace
