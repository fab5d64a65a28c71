#include "platform/system/Files.h"
#include "support/DeviceScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

HANDLE openFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD attributes = 0)
{
    return CreateFileW(path.c_str(), access, share, nullptr, disposition, attributes, nullptr);
}

std::string readAll(HANDLE file)
{
    std::string bytes(64, '\0');
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr));
    bytes.resize(got);
    return bytes;
}

std::string contentOf(const std::wstring& path)
{
    HANDLE file = openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_NE(INVALID_HANDLE_VALUE, file);
    std::string bytes = readAll(file);
    CloseHandle(file);
    return bytes;
}

TEST(Files, WrittenBytesReadBackAtEveryPosition)
{
    TempFolder folder;
    HANDLE file = openFile(folder.path(L"data.bin"), GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD put = 0;
    ASSERT_TRUE(WriteFile(file, "0123456789", 10, &put, nullptr));
    EXPECT_EQ(10u, put);
    EXPECT_EQ(10u, GetFileSize(file, nullptr));

    EXPECT_EQ(9u, SetFilePointer(file, -1, nullptr, FILE_END));
    EXPECT_EQ("9", readAll(file));
    EXPECT_EQ(3u, SetFilePointer(file, 3, nullptr, FILE_BEGIN));
    EXPECT_EQ(5u, SetFilePointer(file, 2, nullptr, FILE_CURRENT));
    EXPECT_EQ("56789", readAll(file));
    // At the end a read succeeds with nothing.
    EXPECT_EQ("", readAll(file));

    // Before the start is refused and the position stays.
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(file, -11, nullptr, FILE_END));
    EXPECT_EQ(ERROR_NEGATIVE_SEEK, GetLastError());
    EXPECT_EQ(10u, SetFilePointer(file, 0, nullptr, FILE_CURRENT));
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(file, 0, nullptr, 3));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());

    // With a high part the distance is 64-bit; past the end is allowed.
    LONG high = 0;
    EXPECT_EQ(20u, SetFilePointer(file, 20, &high, FILE_BEGIN));
    EXPECT_EQ(0, high);
    EXPECT_TRUE(CloseHandle(file));
}

TEST(Files, DispositionsDecideWhatHappensToExistingAndMissingFiles)
{
    TempFolder folder;
    std::wstring path = folder.path(L"f.txt");

    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(path, GENERIC_READ, 0, OPEN_EXISTING));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(folder.path(L"no/f.txt"), GENERIC_READ, 0, OPEN_ALWAYS));
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(path, GENERIC_WRITE, 0, TRUNCATE_EXISTING));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());

    HANDLE file = openFile(path, GENERIC_WRITE, 0, OPEN_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(NO_ERROR, GetLastError());
    WriteFile(file, "abc", 3, nullptr, nullptr);
    CloseHandle(file);

    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(path, GENERIC_WRITE, 0, CREATE_NEW));
    EXPECT_EQ(ERROR_FILE_EXISTS, GetLastError());

    file = openFile(path, GENERIC_READ, 0, OPEN_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
    EXPECT_EQ("abc", readAll(file));
    CloseHandle(file);

    // Replacing needs no access right of its own: it empties the file.
    file = openFile(path, 0, 0, CREATE_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
    EXPECT_EQ(0u, GetFileSize(file, nullptr));
    CloseHandle(file);

    // Truncation needs write access; unknown dispositions are refused.
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(path, GENERIC_READ, 0, TRUNCATE_EXISTING));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(path, GENERIC_READ, 0, 7));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(path, GENERIC_READ, 0, 0));
}

TEST(Files, HandlesOnlyDoWhatTheirAccessAllows)
{
    TempFolder folder;
    folder.write(L"f", "xyz");
    char buffer[4];
    DWORD count = 99;

    HANDLE reader = openFile(folder.path(L"f"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    EXPECT_FALSE(WriteFile(reader, "a", 1, &count, nullptr));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_EQ(0u, count);
    HANDLE writer = openFile(folder.path(L"f"), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    EXPECT_FALSE(ReadFile(writer, buffer, 1, &count, nullptr));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_FALSE(ReadFile(reader, nullptr, 1, &count, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    CloseHandle(reader);
    CloseHandle(writer);

    // A folder is not a file.
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(folder.path(), GENERIC_READ, 0, OPEN_EXISTING));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
}

TEST(Files, ShareModesAreHonouredBetweenOpens)
{
    TempFolder folder;
    folder.write(L"f", "xyz");
    std::wstring path = folder.path(L"f");

    HANDLE exclusive = openFile(path, GENERIC_READ, 0, OPEN_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, exclusive);
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    EXPECT_EQ(ERROR_SHARING_VIOLATION, GetLastError());
    EXPECT_FALSE(DeleteFileW(path.c_str()));
    EXPECT_EQ(ERROR_SHARING_VIOLATION, GetLastError());
    // An open for neither reading nor writing takes no part in sharing.
    HANDLE measure = openFile(path, 0, 0, OPEN_EXISTING);
    EXPECT_NE(INVALID_HANDLE_VALUE, measure);
    EXPECT_EQ(3u, GetFileSize(measure, nullptr));
    CloseHandle(measure);
    CloseHandle(exclusive);

    HANDLE first = openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    HANDLE second = openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_NE(INVALID_HANDLE_VALUE, second);
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING));
    EXPECT_EQ(ERROR_SHARING_VIOLATION, GetLastError());
    CloseHandle(first);
    CloseHandle(second);
    EXPECT_TRUE(DeleteFileW(path.c_str()));
}

TEST(Files, HandlesAreCheckedNotFollowed)
{
    TempFolder folder;
    HANDLE file = openFile(folder.path(L"f"), GENERIC_WRITE, 0, CREATE_NEW);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
    char byte;
    EXPECT_FALSE(ReadFile(file, &byte, 1, nullptr, nullptr));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
    EXPECT_EQ(INVALID_FILE_SIZE, GetFileSize(INVALID_HANDLE_VALUE, nullptr));
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(nullptr, 0, nullptr, FILE_BEGIN));
    EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(0x12345678)));

    // A find handle is not closed with CloseHandle, nor a file handle with FindClose.
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(folder.path(L"*").c_str(), &entry);
    EXPECT_FALSE(CloseHandle(find));
    file = openFile(folder.path(L"f"), GENERIC_READ, 0, OPEN_EXISTING);
    EXPECT_FALSE(FindClose(file));
    EXPECT_TRUE(FindClose(find));
    EXPECT_TRUE(CloseHandle(file));
}

TEST(Files, AttributesDescribeThePath)
{
    TempFolder folder;
    folder.write(L"plain", "1");
    folder.write(L".dot", "1");
    EXPECT_EQ(FILE_ATTRIBUTE_NORMAL, GetFileAttributesW(folder.path(L"plain").c_str()));
    EXPECT_EQ(FILE_ATTRIBUTE_HIDDEN, GetFileAttributesW(folder.path(L".dot").c_str()));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesW(folder.path().c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.path(L"none").c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.path(L"none/x").c_str()));
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L""));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(nullptr));

    // Attributes given at creation stay with the file.
    HANDLE file = openFile(folder.path(L"hidden"), GENERIC_WRITE, 0, CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    CloseHandle(file);
    EXPECT_EQ(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, GetFileAttributesW(folder.path(L"hidden").c_str()));

    // A read-only file can be read, but not opened for writing, replaced or deleted.
    file = openFile(folder.path(L"ro"), GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_READONLY);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_TRUE(WriteFile(file, "r", 1, nullptr, nullptr));
    CloseHandle(file);
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY, GetFileAttributesW(folder.path(L"ro").c_str()));
    EXPECT_EQ("r", contentOf(folder.path(L"ro")));
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(folder.path(L"ro"), GENERIC_WRITE, 0, OPEN_EXISTING));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(folder.path(L"ro"), 0, 0, CREATE_ALWAYS));
    EXPECT_FALSE(DeleteFileW(folder.path(L"ro").c_str()));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
}

TEST(Files, DevicePathsUseEitherSeparatorAndAnyCharacter)
{
    TempFolder folder;
    std::wstring name = L"\u00C4rger \u65E5\u672C.txt";
    std::wstring backslashed = folder.path() + L"\\" + name;
    HANDLE file = openFile(backslashed, GENERIC_WRITE, 0, CREATE_NEW);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    WriteFile(file, "u", 1, nullptr, nullptr);
    CloseHandle(file);
    EXPECT_EQ("u", contentOf(folder.path(name)));

    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(folder.path(L"*.TXT").c_str(), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    EXPECT_EQ(name, entry.cFileName);
    FindClose(find);

    // A lone surrogate cannot name a host file.
    wchar_t bad[] = {L'x', static_cast<wchar_t>(0xD800), 0};
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(bad, GENERIC_READ, 0, OPEN_EXISTING));
    EXPECT_EQ(ERROR_INVALID_NAME, GetLastError());
}

std::vector<std::wstring> listing(const std::wstring& pattern, DWORD* firstError = nullptr)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(pattern.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        if (firstError)
            *firstError = GetLastError();
        return names;
    }
    do
        names.push_back(entry.cFileName);
    while (FindNextFileW(find, &entry));
    EXPECT_EQ(ERROR_NO_MORE_FILES, GetLastError());
    EXPECT_TRUE(FindClose(find));
    return names;
}

TEST(Files, FindListsDotsFirstThenNamesInOrder)
{
    TempFolder folder;
    folder.write(L"b.txt", "22");
    folder.write(L"a.txt", "1");
    folder.write(L"c.bin", "");
    CreateDirectoryW(folder.path(L"sub").c_str(), nullptr);

    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"a.txt", L"b.txt", L"c.bin", L"sub"}),
              listing(folder.path(L"*")));
    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"a.txt", L"b.txt", L"c.bin", L"sub"}),
              listing(folder.path() + L"\\*.*"));
    EXPECT_EQ((std::vector<std::wstring>{L"a.txt", L"b.txt"}), listing(folder.path(L"*.txt")));
    EXPECT_EQ((std::vector<std::wstring>{L"a.txt", L"b.txt"}), listing(folder.path(L"?.TXT")));
    EXPECT_EQ((std::vector<std::wstring>{L"b.txt"}), listing(folder.path(L"b*")));
    // A name without wildcards finds that one entry.
    EXPECT_EQ((std::vector<std::wstring>{L"sub"}), listing(folder.path(L"sub")));

    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(folder.path(L"b.txt").c_str(), &entry);
    EXPECT_EQ(FILE_ATTRIBUTE_NORMAL, entry.dwFileAttributes);
    EXPECT_EQ(2u, entry.nFileSizeLow);
    FindClose(find);
    find = FindFirstFileW(folder.path(L"sub").c_str(), &entry);
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, entry.dwFileAttributes);
    FindClose(find);

    DWORD error = 0;
    EXPECT_TRUE(listing(folder.path(L"*.png"), &error).empty());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error);
    EXPECT_TRUE(listing(folder.path(L"missing/*"), &error).empty());
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, error);
    EXPECT_TRUE(listing(folder.path(L"a.txt/*"), &error).empty());
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, error);
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileW(folder.path(L"*").c_str(), nullptr));
}

TEST(Files, FindOfAnEmptyFolderStillListsItsDots)
{
    TempFolder folder;
    EXPECT_EQ((std::vector<std::wstring>{L".", L".."}), listing(folder.path(L"*")));
}

TEST(Files, DevicesThatOmitTheDotsListOnlyTheEntries)
{
    TempFolder folder;
    folder.write(L"a.txt", "1");
    folder.write(L"b.txt", "2");
    DeviceProfile profile = DeviceProfiles::current();
    profile.findOmitsDots = true;
    ScopedDeviceProfile device(profile);
    EXPECT_EQ((std::vector<std::wstring>{L"a.txt", L"b.txt"}), listing(folder.path(L"*")));
    WIN32_FIND_DATAW entry;
    TempFolder empty;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileW(empty.path(L"*").c_str(), &entry));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
}

TEST(Files, FoldersAreCreatedAndRemovedOneLevelAtATime)
{
    TempFolder folder;
    std::wstring sub = folder.path(L"sub");
    EXPECT_FALSE(CreateDirectoryW(folder.path(L"x/y").c_str(), nullptr));
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
    EXPECT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryW(sub.c_str(), nullptr));
    EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
    folder.write(L"sub/inner", "i");

    EXPECT_FALSE(RemoveDirectoryW(sub.c_str()));
    EXPECT_EQ(ERROR_DIR_NOT_EMPTY, GetLastError());
    EXPECT_FALSE(RemoveDirectoryW(folder.path(L"sub/inner").c_str()));
    EXPECT_EQ(ERROR_DIRECTORY, GetLastError());
    EXPECT_FALSE(DeleteFileW(sub.c_str()));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());

    EXPECT_TRUE(DeleteFileW(folder.path(L"sub/inner").c_str()));
    EXPECT_FALSE(DeleteFileW(folder.path(L"sub/inner").c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_TRUE(RemoveDirectoryW(sub.c_str()));
    EXPECT_FALSE(RemoveDirectoryW(sub.c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(sub.c_str()));
}

TEST(FileMappings, ViewShowsTheFileAndKeepsItInUse)
{
    TempFolder folder;
    folder.write(L"m", "mapped bytes");
    std::wstring path = folder.path(L"m");
    HANDLE file = openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_NE(nullptr, mapping);
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ("mapped bytes", std::string(static_cast<const char*>(view), 12));

    // With every handle closed, the view alone still keeps the file from being emptied
    // or deleted under it.
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_TRUE(CloseHandle(mapping));
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFile(path, 0, 0, CREATE_ALWAYS));
    EXPECT_EQ(ERROR_SHARING_VIOLATION, GetLastError());
    EXPECT_FALSE(DeleteFileW(path.c_str()));
    EXPECT_EQ("mapped bytes", std::string(static_cast<const char*>(view), 12));

    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_FALSE(UnmapViewOfFile(view));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_TRUE(DeleteFileW(path.c_str()));
}

TEST(FileMappings, OnlyReadOnlyMappingsOfWhatIsThere)
{
    TempFolder folder;
    folder.write(L"empty", "");
    folder.write(L"data", "0123");
    HANDLE empty = openFile(folder.path(L"empty"), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_EQ(nullptr, CreateFileMappingW(empty, nullptr, PAGE_READONLY, 0, 0, nullptr));
    EXPECT_EQ(ERROR_FILE_INVALID, GetLastError());
    CloseHandle(empty);

    HANDLE writer = openFile(folder.path(L"data"), GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_EQ(nullptr, CreateFileMappingW(writer, nullptr, PAGE_READONLY, 0, 0, nullptr));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
    CloseHandle(writer);

    HANDLE file = openFile(folder.path(L"data"), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_EQ(nullptr, CreateFileMappingW(file, nullptr, 0x04, 0, 0, nullptr));
    EXPECT_EQ(nullptr, CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 5, nullptr));
    EXPECT_EQ(nullptr, CreateFileMappingW(nullptr, nullptr, PAGE_READONLY, 0, 0, nullptr));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());

    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 2, nullptr);
    ASSERT_NE(nullptr, mapping);
    EXPECT_EQ(nullptr, MapViewOfFile(mapping, FILE_MAP_READ, 0, 1, 0));
    EXPECT_EQ(ERROR_MAPPED_ALIGNMENT, GetLastError());
    EXPECT_EQ(nullptr, MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 3));
    EXPECT_EQ(nullptr, MapViewOfFile(mapping, 0x2, 0, 0, 0));
    EXPECT_EQ(nullptr, MapViewOfFile(file, FILE_MAP_READ, 0, 0, 0));
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ("01", std::string(static_cast<const char*>(view), 2));
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    CloseHandle(file);
}

} // namespace
