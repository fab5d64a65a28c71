#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "platform/device/DeviceProfile.h"
#include "platform/system/Files.h"
#include "platform/base/HostText.h"
#include "support/DeviceScope.h"
#include "support/TempFolder.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace {

class LocalFiles : public ::testing::Test {
protected:
    // Binds `file` to `name` inside the test's folder.
    void bind(File& file, const std::wstring& name = L"")
    {
        std::wstring path = name.empty() ? folder.path() : folder.path(name);
        ASSERT_EQ(0, manager.resolveFile(&file, (L"file:" + path).c_str()));
    }

    std::string contentOfFile(const std::wstring& name)
    {
        File file;
        bind(file, name);
        EXPECT_EQ(0, file.open(FileMode::Read));
        return contentOf(file);
    }

    void makeReadOnly(const std::wstring& name)
    {
        std::string host;
        ASSERT_TRUE(HostText::toUtf8(folder.path(name).c_str(), host));
        // Folders keep their search bit, so that they can still be listed.
        std::filesystem::perms perms = std::filesystem::perms::owner_read;
        if (std::filesystem::is_directory(host))
            perms |= std::filesystem::perms::owner_exec;
        std::filesystem::permissions(host, perms, std::filesystem::perm_options::replace);
    }

    bool existsNow(const std::wstring& name)
    {
        return GetFileAttributesW(folder.path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    TempFolder folder;
    FileSystemManager manager;
};

TEST_F(LocalFiles, OpeningAMissingFileFailsUnlessAskedToCreateIt)
{
    File file;
    bind(file, L"a/b/new.txt");
    EXPECT_EQ(ResultCode::FileOpenError, file.open(FileMode::Read));
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(0, file.open(FileMode::Read | FileMode::Write | FileMode::Create));
    // The creating open reads the attributes again: the file exists now.
    EXPECT_TRUE(file.exists());
    EXPECT_TRUE(file.isFile());
    EXPECT_TRUE(file.isOpen());
    EXPECT_EQ(0u, file.getSize());
    EXPECT_EQ(5, file.write("hello", 5));
    EXPECT_EQ(5, file.tell());
    EXPECT_EQ(5u, file.getSize());
    EXPECT_EQ(0, file.close());
    EXPECT_EQ("hello", contentOfFile(L"a/b/new.txt"));
    // Opening again while open changes nothing.
    EXPECT_EQ(0, file.open(FileMode::Read));
    EXPECT_EQ(0, file.open(FileMode::Write | FileMode::Truncate));
    EXPECT_EQ("hello", contentOf(file));
}

TEST_F(LocalFiles, TruncationEmptiesExistingFilesOnly)
{
    folder.write(L"t.txt", "abcdef");
    File file;
    bind(file, L"t.txt");
    // Alone it truncates an existing file.
    EXPECT_EQ(0, file.open(FileMode::Truncate));
    EXPECT_EQ(0u, file.getSize());
    file.close();
    EXPECT_EQ("", contentOfFile(L"t.txt"));

    File missing;
    bind(missing, L"missing.txt");
    EXPECT_EQ(ResultCode::FileOpenError, missing.open(FileMode::Read | FileMode::Truncate));
    EXPECT_FALSE(existsNow(L"missing.txt"));
    // With Create it opens or creates, and truncates.
    EXPECT_EQ(0, missing.open(FileMode::Read | FileMode::Write | FileMode::Truncate | FileMode::Create));
    EXPECT_TRUE(missing.exists());
    EXPECT_EQ(3, missing.write("xyz", 3));
    missing.close();
    EXPECT_EQ(0, missing.open(FileMode::Read | FileMode::Truncate | FileMode::Create));
    EXPECT_EQ(0u, missing.getSize());
    EXPECT_EQ("", contentOf(missing));
}

TEST_F(LocalFiles, ClosedFilesReportTheirTrueSize)
{
    folder.write(L"ro.txt", "0123456789");
    makeReadOnly(L"ro.txt");
    File readOnly;
    bind(readOnly, L"ro.txt");
    EXPECT_FALSE(readOnly.isWriteable());
    // Measured without asking for write access.
    EXPECT_EQ(10u, readOnly.getSize());
    EXPECT_EQ(ResultCode::FileOpenError, readOnly.open());
    EXPECT_EQ(0, readOnly.open(FileMode::Read));
    EXPECT_EQ(10u, readOnly.getSize());
    EXPECT_EQ("0123456789", contentOf(readOnly));

    // Even while another handle holds the file exclusively.
    folder.write(L"plain.txt", "01234");
    File plain, holder;
    bind(plain, L"plain.txt");
    bind(holder, L"plain.txt");
    ASSERT_EQ(0, holder.open(FileMode::Read | FileMode::Write));
    EXPECT_EQ(5u, plain.getSize());
    EXPECT_EQ(ResultCode::FileOpenError, plain.open(FileMode::Read));

    File folderFile, missing;
    bind(folderFile);
    bind(missing, L"missing");
    EXPECT_EQ(0u, folderFile.getSize());
    EXPECT_EQ(0u, missing.getSize());
}

TEST_F(LocalFiles, ReadersShareWritersDoNot)
{
    folder.write(L"s.txt", "shared");
    File first, second, writer;
    bind(first, L"s.txt");
    bind(second, L"s.txt");
    bind(writer, L"s.txt");
    ASSERT_EQ(0, first.open(FileMode::Read));
    ASSERT_EQ(0, second.open(FileMode::Read));
    EXPECT_EQ("shared", contentOf(first));
    EXPECT_EQ("shared", contentOf(second));
    EXPECT_EQ(ResultCode::FileOpenError, writer.open(FileMode::Read | FileMode::Write));
    first.close();
    second.close();
    EXPECT_EQ(0, writer.open(FileMode::Read | FileMode::Write));
    EXPECT_EQ(ResultCode::FileOpenError, first.open(FileMode::Read));
}

TEST_F(LocalFiles, DestroyingAnOpenFileReleasesIt)
{
    folder.write(L"d.txt", "x");
    {
        File file;
        bind(file, L"d.txt");
        ASSERT_EQ(0, file.open());
    }
    File again;
    bind(again, L"d.txt");
    EXPECT_EQ(0, again.open());
    again.close();
    EXPECT_EQ(0, again.deleteFile());
    EXPECT_FALSE(again.exists());
}

TEST_F(LocalFiles, SeekingFollowsTheOrigins)
{
    folder.write(L"ten.bin", "0123456789");
    File file;
    bind(file, L"ten.bin");
    ASSERT_EQ(0, file.open(FileMode::Read | FileMode::AtEnd));
    EXPECT_EQ(10, file.tell());
    EXPECT_EQ(0, file.seek(-1, 2));
    EXPECT_EQ(9, file.tell());
    char byte;
    EXPECT_EQ(1, file.read(&byte, 1));
    EXPECT_EQ('9', byte);
    EXPECT_EQ(0, file.seek(3));
    EXPECT_EQ(0, file.seek(2, 1));
    EXPECT_EQ(5, file.tell());
    EXPECT_EQ("56789", contentOf(file));
    EXPECT_EQ(ResultCode::UnknownSeekMethod, file.seek(0, 3));
    // Before the start: refused, the position stays.
    EXPECT_EQ(ResultCode::SeekError, file.seek(-11, 2));
    EXPECT_EQ(10, file.tell());

    File folderFile;
    bind(folderFile);
    for (unsigned char origin : {0, 1, 2, 3})
        EXPECT_EQ(ResultCode::FileNotSeekable, folderFile.seek(0, origin));
    char buffer[4];
    EXPECT_EQ(-1, folderFile.read(buffer, 4));
    EXPECT_EQ(-1, folderFile.write(buffer, 4));
}

TEST_F(LocalFiles, TextsAreWrittenAsTheirLowBytes)
{
    File file;
    bind(file, L"text.bin");
    ASSERT_EQ(0, file.open(FileMode::Write | FileMode::Create));
    EXPECT_EQ(-1, file.write(L""));
    EXPECT_EQ(2, file.write(L"\u00C41"));
    std::wstring longText(1500, L'z');
    longText[700] = L'\u0141';  // its low byte is 0x41
    EXPECT_EQ(1500, file.write(longText.c_str()));
    file.close();
    std::string expected = "\xC4" "1" + std::string(700, 'z') + "A" + std::string(799, 'z');
    EXPECT_EQ(expected, contentOfFile(L"text.bin"));
}

TEST_F(LocalFiles, CreateFileModes)
{
    folder.write(L"e.txt", "keep");
    File existing;
    bind(existing, L"e.txt");
    EXPECT_EQ(0, existing.createFile(0));
    EXPECT_EQ(0, existing.createFile());
    EXPECT_EQ("keep", contentOfFile(L"e.txt"));
    EXPECT_EQ(ResultCode::FileCreateError, existing.createFile(FileMode::Create));
    EXPECT_EQ(0, existing.createFile(FileMode::Create | FileMode::Replace));
    EXPECT_EQ("", contentOfFile(L"e.txt"));

    File folderFile;
    bind(folderFile);
    EXPECT_EQ(ResultCode::FolderCreationNotAllowed, folderFile.createFile(0));

    File nested;
    bind(nested, L"x/y/z.txt");
    EXPECT_EQ(ResultCode::FileCreateError, nested.createFile(0));
    EXPECT_EQ(0, nested.createFile(FileMode::Replace));
    EXPECT_TRUE(nested.exists());
    EXPECT_FALSE(nested.isOpen());
    EXPECT_TRUE(existsNow(L"x/y/z.txt"));

    File hidden;
    bind(hidden, L".hidden");
    EXPECT_EQ(0, hidden.createFile());
    EXPECT_TRUE(hidden.isHidden());
    EXPECT_FALSE(nested.isHidden());
}

TEST_F(LocalFiles, CreateFolderMakesEveryMissingAncestor)
{
    File deep;
    bind(deep, L"p/q/r");
    EXPECT_FALSE(deep.exists());
    EXPECT_EQ(0, deep.createFolder());
    EXPECT_TRUE(deep.isFolder());
    EXPECT_TRUE(existsNow(L"p/q/r"));

    folder.write(L"file", "x");
    File onFile;
    bind(onFile, L"file");
    EXPECT_EQ(0, onFile.createFolder());
    EXPECT_TRUE(onFile.isFile());
    EXPECT_EQ("x", contentOfFile(L"file"));

    // A folder under a file cannot be made.
    File underFile;
    bind(underFile, L"file/sub");
    EXPECT_EQ(ResultCode::FolderCreateError, underFile.createFolder());
}

TEST_F(LocalFiles, DeletingFilesAndFolders)
{
    folder.write(L"d.txt", "x");
    File missing, file, folderFile;
    bind(missing, L"none");
    bind(file, L"d.txt");
    bind(folderFile);
    EXPECT_EQ(ResultCode::FileDoesNotExist, missing.deleteFile());
    EXPECT_EQ(ResultCode::FolderDoesNotExist, missing.deleteFolder());
    EXPECT_EQ(ResultCode::FolderDeletionNotAllowed, folderFile.deleteFile());
    EXPECT_EQ(ResultCode::FileDeletionNotAllowed, file.deleteFolder());
    // An open file is closed first.
    ASSERT_EQ(0, file.open());
    EXPECT_EQ(0, file.deleteAny());
    EXPECT_FALSE(file.exists());
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(existsNow(L"d.txt"));

    File readOnly;
    bind(readOnly, L"ro.txt");
    ASSERT_EQ(0, readOnly.createFile(FileMode::ReadOnly));
    EXPECT_EQ(ResultCode::FileDeletionNotAllowed, readOnly.deleteFile());
    EXPECT_TRUE(existsNow(L"ro.txt"));
}

TEST_F(LocalFiles, DeletingAFolderDeletesEverythingInIt)
{
    File tree;
    bind(tree, L"tree/sub/deeper");
    ASSERT_EQ(0, tree.createFolder());
    for (const wchar_t* name : {L"tree/a.txt", L"tree/b.txt", L"tree/sub/c.txt", L"tree/sub/deeper/d.txt"})
        folder.write(name, "data");
    File top;
    bind(top, L"tree");
    EXPECT_EQ(0, top.deleteFolder());
    EXPECT_FALSE(top.exists());
    EXPECT_FALSE(existsNow(L"tree"));

    // A folder whose content cannot go reports it, and stays.
    File kept;
    bind(kept, L"kept");
    ASSERT_EQ(0, kept.createFolder());
    File readOnly;
    bind(readOnly, L"kept/ro.txt");
    ASSERT_EQ(0, readOnly.createFile(FileMode::ReadOnly));
    EXPECT_EQ(ResultCode::FolderDeleteError, kept.deleteFolder());
    EXPECT_TRUE(kept.exists());

    // So does an empty folder that the platform refuses to remove.
    File refused;
    bind(refused, L"refused");
    ASSERT_EQ(0, refused.createFolder());
    makeReadOnly(L"refused");
    File again;
    bind(again, L"refused");
    EXPECT_EQ(ResultCode::FolderDeleteError, again.deleteFolder());
    EXPECT_TRUE(again.exists());
}

TEST_F(LocalFiles, ListingsGiveEveryEntryOnce)
{
    for (const wchar_t* name : {L"one", L"two", L"three"})
        folder.write(name, "x");
    File sub;
    bind(sub, L"sub");
    ASSERT_EQ(0, sub.createFolder());
    File folderFile;
    bind(folderFile);
    std::set<std::wstring> expected = {L"one", L"two", L"three", L"sub"};
    EXPECT_EQ(expected, listing(folderFile));

    // A device whose listings hold no "." and ".." loses nothing either.
    DeviceProfile profile = DeviceProfiles::current();
    profile.findOmitsDots = true;
    ScopedDeviceProfile device(profile);
    EXPECT_EQ(expected, listing(folderFile));
    EXPECT_EQ(std::set<std::wstring>{}, listing(sub));
}

TEST_F(LocalFiles, ListingNeedsAnOpenFolder)
{
    folder.write(L"f", "x");
    File file, folderFile, missing, child;
    bind(file, L"f");
    bind(folderFile);
    bind(missing, L"missing");
    EXPECT_EQ(ResultCode::FolderNotOpened, folderFile.getNextChild(&child));
    EXPECT_EQ(ResultCode::GetChildNotAllowed, file.getNextChild(&child));
    EXPECT_EQ(ResultCode::FileDoesNotExist, missing.getNextChild(&child));
    EXPECT_FALSE(child.exists());
    // Listing children are bound like any file.
    ASSERT_EQ(0, folderFile.open());
    EXPECT_TRUE(folderFile.isOpen());
    ASSERT_EQ(0, folderFile.getNextChild(&child));
    EXPECT_TRUE(child.equals(&file));
    EXPECT_EQ(ResultCode::NoMoreChildren, folderFile.getNextChild(&child));
    EXPECT_EQ(0, folderFile.close());
    EXPECT_FALSE(folderFile.isOpen());
    EXPECT_EQ(ResultCode::FolderNotOpened, folderFile.getNextChild(&child));
    // A folder that vanished since its object was made cannot be listed.
    File gone;
    bind(gone, L"gone");
    ASSERT_EQ(0, gone.createFolder());
    File stale;
    bind(stale, L"gone");
    ASSERT_EQ(0, gone.deleteFolder());
    EXPECT_EQ(ResultCode::FolderListError, stale.open());
}

TEST_F(LocalFiles, ResolvingIsRelativeToTheFolder)
{
    File base, found, child;
    bind(base, L"a");
    ASSERT_EQ(0, base.resolveFile(&found, L"/x"));
    EXPECT_EQ(folder.path() + L"/a/x", found.getPath());
    ASSERT_EQ(0, base.getChild(&child, L"y\\..\\x"));
    EXPECT_TRUE(child.equals(&found));
    ASSERT_EQ(0, found.getParent(&found));
    EXPECT_TRUE(found.equals(&base));
}

TEST_F(LocalFiles, TheRootIsSlash)
{
    File root, parent;
    ASSERT_EQ(0, manager.resolveFile(&root, L"file:/"));
    EXPECT_EQ(std::wstring(L"/"), root.getPath());
    EXPECT_EQ(std::wstring(L""), root.getName());
    EXPECT_TRUE(root.isRoot());
    EXPECT_TRUE(root.isFolder());
    ASSERT_EQ(0, root.getParent(&parent));
    EXPECT_TRUE(parent.equals(&root));
    File top;
    ASSERT_EQ(0, root.getChild(&top, L"tmp"));
    EXPECT_EQ(std::wstring(L"/tmp"), top.getPath());
    EXPECT_FALSE(top.isRoot());
    ASSERT_EQ(0, top.getParent(&parent));
    EXPECT_TRUE(parent.isRoot());
    // Local paths never end with '/'.
    File folderFile;
    ASSERT_EQ(0, manager.resolveFile(&folderFile, (L"file:" + folder.path() + L"/").c_str()));
    EXPECT_EQ(folder.path(), folderFile.getPath());
}

} // namespace
