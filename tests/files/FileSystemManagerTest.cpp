#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "support/TempFolder.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring resolvedPath(FileSystemManager& manager, const std::wstring& path)
{
    File file;
    long result = manager.resolveFile(&file, path.c_str());
    return result == 0 ? textOf(file.getPath()) : L"code " + std::to_wstring(result);
}

TEST(FileSystemManager, MalformedRequestsGiveTheirCodes)
{
    FileSystemManager manager;
    File file;
    EXPECT_EQ(ResultCode::WrongPathFormat, manager.resolveFile(&file, L""));
    EXPECT_EQ(ResultCode::WrongPathFormat, manager.resolveFile(&file, L"file:"));
    EXPECT_EQ(ResultCode::WrongPathFormat, manager.resolveFile(&file, L"zip:"));
    EXPECT_EQ(ResultCode::WrongPathFormat, manager.resolveFile(&file, L"./"));
    // The path is looked at before the file.
    EXPECT_EQ(ResultCode::WrongPathFormat, manager.resolveFile(nullptr, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, manager.resolveFile(nullptr, L"a.png"));
}

TEST(FileSystemManager, PathsWithoutSchemeLieInTheApplicationFolder)
{
    FileSystemManager manager;
    std::wstring expected = appFolder() + L"/images/a.png";
    EXPECT_EQ(expected, resolvedPath(manager, L"images/a.png"));
    EXPECT_EQ(expected, resolvedPath(manager, L"./images/a.png"));
    EXPECT_EQ(expected, resolvedPath(manager, L"/images/a.png"));
    EXPECT_EQ(expected, resolvedPath(manager, L"\\images\\.\\a.png"));
    // A scheme starts with a letter: this is a relative path.
    EXPECT_EQ(appFolder() + L"/1abc:x", resolvedPath(manager, L"1abc:x"));
}

TEST(FileSystemManager, SchemesChooseTheFileSystem)
{
    FileSystemManager manager;
    EXPECT_EQ(std::wstring(L"/images/a.png"), resolvedPath(manager, L"file:/images/a.png"));
    EXPECT_EQ(std::wstring(L"/Storage Card/x.png"), resolvedPath(manager, L"file:\\Storage Card\\x.png"));
    EXPECT_EQ(appFolder() + L"/rel.txt", resolvedPath(manager, L"file:rel.txt"));
    // Unknown schemes are part of a local name in the application folder; schemes count
    // case and all, and a one-letter scheme is no drive.
    EXPECT_EQ(appFolder() + L"/foo:bar", resolvedPath(manager, L"foo:bar"));
    EXPECT_EQ(appFolder() + L"/FILE:/x", resolvedPath(manager, L"FILE:/x"));
    EXPECT_EQ(appFolder() + L"/c:/x", resolvedPath(manager, L"c:/x"));
    // No archive there.
    EXPECT_EQ(L"code 18", resolvedPath(manager, L"zip:no-such-archive.zip"));
}

TEST(FileSystemManager, LocalFilesAreTheRealOnes)
{
    TempFolder folder;
    folder.write(L"x.txt", "hello");
    FileSystemManager manager;
    File file;
    ASSERT_EQ(0, manager.resolveFile(&file, (L"file:" + folder.path(L"x.txt")).c_str()));
    EXPECT_TRUE(file.exists());
    EXPECT_TRUE(file.isFile());
    EXPECT_EQ(std::wstring(L"file"), file.getScheme());
    EXPECT_EQ(std::wstring(L"x.txt"), file.getName());
    EXPECT_EQ(5u, file.getSize());

    // A failed resolution leaves the file unbound.
    EXPECT_EQ(ResultCode::WrongPathFormat, manager.resolveFile(&file, L""));
    EXPECT_FALSE(file.exists());
    EXPECT_EQ(nullptr, file.getPath());
}

TEST(FileSystemManager, TheApplicationFolderIsTheBase)
{
    FileSystemManager manager;
    File folder;
    ASSERT_EQ(0, manager.resolveFile(&folder, L"anything"));
    ASSERT_EQ(0, folder.getParent(&folder));
    EXPECT_TRUE(folder.isFolder());
    EXPECT_EQ(appFolder(), folder.getPath());
    // A final "." is kept as written.
    EXPECT_EQ(appFolder() + L"/.", resolvedPath(manager, L"file:."));
}

TEST(FileSystemManager, FilesOfTwoManagersCompareByPath)
{
    FileSystemManager first;
    FileSystemManager second;
    File a;
    File b;
    ASSERT_EQ(0, first.resolveFile(&a, L"x"));
    ASSERT_EQ(0, second.resolveFile(&b, L"/x"));
    EXPECT_TRUE(a.equals(&b));
    ASSERT_EQ(0, second.resolveFile(&b, L"y"));
    EXPECT_FALSE(a.equals(&b));
}

} // namespace
