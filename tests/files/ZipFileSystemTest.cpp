#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "files/LocalFileSystem.h"
#include "files/NameTable.h"
#include "files/ZipFileSystem.h"
#include "platform/system/Files.h"
#include "platform/base/HostText.h"
#include "support/TempFolder.h"
#include "testdata/ZipBuilder.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <fstream>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

std::string pattern(size_t length)
{
    std::string text;
    for (size_t i = 0; text.size() < length; ++i)
        text += "line " + std::to_string(i % 97) + " of some text that repeats\n";
    text.resize(length);
    return text;
}

class ZipArchives : public ::testing::Test {
protected:
    // Writes the archive and binds `root` to it through "zip:"; the manager's code.
    long openArchive(const ZipBuilder& archive, File& root, const std::wstring& name = L"a.zip")
    {
        folder.write(name, archive.build());
        return manager.resolveFile(&root, (L"zip:" + folder.path(name)).c_str());
    }

    // The code with which the file system refuses the archive's directory.
    long directoryResult(const ZipBuilder& archive)
    {
        folder.write(L"raw.zip", archive.build());
        LocalFileSystem local;
        ZipFileSystem* fileSystem = new ZipFileSystem(local.resolveFile(folder.path(L"raw.zip").c_str()));
        long result = fileSystem->readDirectory();
        fileSystem->release();
        return result;
    }

    std::string member(File& root, const std::wstring& path, unsigned long step = 7)
    {
        File file;
        EXPECT_EQ(0, root.resolveFile(&file, path.c_str()));
        EXPECT_EQ(0, file.open());
        return contentOf(file, step);
    }

    TempFolder folder;
    FileSystemManager manager;
};

TEST_F(ZipArchives, StoredAndDeflatedMembersReadBack)
{
    std::string big = pattern(100000);
    ZipBuilder archive;
    archive.add("readme.txt", "stored bytes");
    archive.add("text/big.txt", big, 8);
    archive.add("text/empty.txt", "", 8);
    archive.add("text/nothing.txt", "");
    File root;
    ASSERT_EQ(0, openArchive(archive, root));
    EXPECT_EQ("stored bytes", member(root, L"readme.txt"));
    EXPECT_EQ(big, member(root, L"text/big.txt", 64));
    EXPECT_EQ(big, member(root, L"/text\\big.txt", 1));
    EXPECT_EQ("", member(root, L"text/empty.txt"));
    EXPECT_EQ("", member(root, L"text/nothing.txt"));

    File file;
    ASSERT_EQ(0, root.resolveFile(&file, L"text/big.txt"));
    EXPECT_EQ(std::wstring(L"/text/big.txt"), file.getPath());
    EXPECT_EQ(std::wstring(L"big.txt"), file.getName());
    EXPECT_EQ(std::wstring(L"zip"), file.getScheme());
    EXPECT_EQ(100000u, file.getSize());
    EXPECT_TRUE(file.exists());
    EXPECT_TRUE(file.isFile());
    EXPECT_TRUE(file.isReadable());
    EXPECT_FALSE(file.isWriteable());
    EXPECT_FALSE(file.isHidden());
    EXPECT_FALSE(file.isFolder());
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(ResultCode::ResolveError, root.resolveFile(&file, L"big.txt"));
    EXPECT_EQ(ResultCode::ResolveError, root.resolveFile(&file, L"text"));
}

TEST_F(ZipArchives, StoredMembersOfOneArchiveReadInTurn)
{
    ZipBuilder archive;
    archive.add("a", "AAAAAAAAAA");
    archive.add("b", "BBBBBBBBBB");
    File root, a, b;
    ASSERT_EQ(0, openArchive(archive, root));
    ASSERT_EQ(0, root.resolveFile(&a, L"a"));
    ASSERT_EQ(0, root.resolveFile(&b, L"b"));
    ASSERT_EQ(0, a.open());
    ASSERT_EQ(0, b.open());
    std::string mixed;
    char byte;
    while (a.read(&byte, 1) == 1) {
        mixed += byte;
        ASSERT_EQ(1, b.read(&byte, 1));
        mixed += byte;
    }
    EXPECT_EQ("ABABABABABABABABABAB", mixed);
    // Opening again starts from the beginning.
    EXPECT_EQ(0, a.open());
    EXPECT_EQ("AAAAAAAAAA", contentOf(a));
}

TEST_F(ZipArchives, TheRootIsTheCommonTopFolder)
{
    ZipBuilder archive;
    archive.add("data/a.gif", "a");
    archive.addFolder("data/b");
    archive.add("data/b/c.gif", "c", 8);
    archive.add("data/b/d/e.gif", "e");
    File root;
    ASSERT_EQ(0, openArchive(archive, root));
    EXPECT_EQ(std::wstring(L"/data"), root.getPath());
    EXPECT_EQ(std::wstring(L"data"), root.getName());
    EXPECT_TRUE(root.isRoot());
    EXPECT_TRUE(root.isFolder());
    EXPECT_FALSE(root.isFile());
    EXPECT_EQ((std::set<std::wstring>{L"/data/a.gif", L"/data/b"}), listing(root, true));
    // Members are named from the archive's top, not from the root's folder.
    File c;
    EXPECT_EQ(0, root.resolveFile(&c, L"data/b/c.gif"));
    EXPECT_EQ(ResultCode::ResolveError, root.resolveFile(&c, L"a.gif"));
    EXPECT_EQ(ResultCode::NoMoreChildren, root.getChild(&c, L"a.gif"));
}

TEST_F(ZipArchives, FolderEntriesAreFoldersThatListAndResolve)
{
    ZipBuilder archive;
    archive.add("data/a.gif", "a");
    archive.addFolder("data/b");
    archive.add("data/b/c.gif", "c", 8);
    archive.add("data/b/d/e.gif", "e");
    archive.add("data/bb/x.gif", "x");
    File root, b, child;
    ASSERT_EQ(0, openArchive(archive, root));
    ASSERT_EQ(0, root.resolveFile(&b, L"data/b/"));
    EXPECT_TRUE(b.isFolder());
    EXPECT_FALSE(b.isFile());
    EXPECT_FALSE(b.isRoot());
    EXPECT_EQ(std::wstring(L"/data/b"), b.getPath());
    EXPECT_EQ(ResultCode::FolderNotOpened, b.getNextChild(&child));
    EXPECT_EQ(ResultCode::FileNotSeekable, b.seek(0, 0));
    // Only what lies directly inside it (no deeper member, no "data/bb").
    EXPECT_EQ((std::set<std::wstring>{L"/data/b/c.gif"}), listing(b, true));
    ASSERT_EQ(0, b.resolveFile(&child, L"c.gif"));
    EXPECT_EQ(std::wstring(L"/data/b/c.gif"), child.getPath());
    ASSERT_EQ(0, b.getChild(&child, L"d/e.gif"));
    EXPECT_EQ("e", member(b, L"d/e.gif"));
    // Files resolve nothing below them.
    EXPECT_EQ(ResultCode::ResolveError, child.resolveFile(&child, L"x"));
    EXPECT_EQ(ResultCode::GetChildNotAllowed, child.getNextChild(&b));
}

TEST_F(ZipArchives, MembersFindTheirParents)
{
    ZipBuilder archive;
    archive.add("top.txt", "t");
    archive.add("data/a.gif", "a");
    archive.addFolder("data/b");
    archive.add("data/b/c.gif", "c");
    archive.add("data/q/r.gif", "r");
    File root, file, parent;
    ASSERT_EQ(0, openArchive(archive, root));
    ASSERT_EQ(std::wstring(L"/data"), root.getPath());

    // Below the top level: the stored folder entry.
    ASSERT_EQ(0, root.resolveFile(&file, L"data/b/c.gif"));
    ASSERT_EQ(0, file.getParent(&parent));
    EXPECT_EQ(std::wstring(L"/data/b"), parent.getPath());
    EXPECT_TRUE(parent.isFolder());
    // The folder the root stands for, stored or not.
    ASSERT_EQ(0, parent.getParent(&parent));
    EXPECT_EQ(std::wstring(L"/data"), parent.getPath());
    EXPECT_TRUE(parent.isRoot());
    // The top level's parent is the folder "/".
    ASSERT_EQ(0, root.resolveFile(&file, L"top.txt"));
    ASSERT_EQ(0, file.getParent(&parent));
    EXPECT_EQ(std::wstring(L"/"), parent.getPath());
    EXPECT_EQ(std::wstring(L""), parent.getName());
    EXPECT_TRUE(parent.isRoot());
    EXPECT_EQ((std::set<std::wstring>{L"/top.txt"}), listing(parent, true));
    ASSERT_EQ(0, parent.getParent(&parent));
    EXPECT_EQ(std::wstring(L"/"), parent.getPath());
    // A folder that is neither stored nor the root's cannot be made up.
    ASSERT_EQ(0, root.resolveFile(&file, L"data/q/r.gif"));
    EXPECT_EQ(ResultCode::ParentOpenError, file.getParent(&parent));
}

TEST_F(ZipArchives, AnEmptyArchiveHasAnEmptyRoot)
{
    ZipBuilder archive;
    File root, child;
    ASSERT_EQ(0, openArchive(archive, root));
    EXPECT_EQ(std::wstring(L"/"), root.getPath());
    EXPECT_EQ(std::wstring(L""), root.getName());
    EXPECT_EQ(ResultCode::FolderNotOpened, root.getNextChild(&child));
    ASSERT_EQ(0, root.open());
    EXPECT_EQ(ResultCode::NoMoreChildren, root.getNextChild(&child));
    EXPECT_EQ(ResultCode::ResolveError, root.resolveFile(&child, L"x"));
}

TEST_F(ZipArchives, CommentsOfAnyLengthArePassed)
{
    for (size_t length : {0, 1, 2, 7, 64, 65535}) {
        ZipBuilder archive;
        archive.add("x.txt", "x");
        archive.comment = std::string(length, 'c');
        File root;
        EXPECT_EQ(0, openArchive(archive, root)) << length;
        EXPECT_EQ("x", member(root, L"x.txt")) << length;
    }
}

TEST_F(ZipArchives, MethodsOtherThanStoredAndDeflatedAreRefused)
{
    ZipBuilder archive;
    archive.add("bzip2.bin", "not really bzip2").method = 12;
    File root, file;
    ASSERT_EQ(0, openArchive(archive, root));
    ASSERT_EQ(0, root.resolveFile(&file, L"bzip2.bin"));
    EXPECT_EQ(ResultCode::UnsupportedCompression, file.open());
    EXPECT_FALSE(file.isOpen());
    char buffer[4];
    EXPECT_EQ(-1, file.read(buffer, 4));
    EXPECT_EQ(-1, file.tell());
    EXPECT_EQ(ResultCode::SeekError, file.seek(0));
}

TEST_F(ZipArchives, DeflatedDataThatDoesNotInflateIs43)
{
    std::string text = pattern(5000);
    ZipBuilder archive;
    archive.add("corrupt.txt", text, 8).data[0] |= 0x06;  // the reserved block type
    ZipBuilder::Member& cut = archive.add("cut.txt", text, 8);
    cut.data.resize(cut.data.size() / 2);  // a stream that never ends
    cut.compressedSize = static_cast<uint32_t>(cut.data.size());
    archive.add("short.txt", text, 8).uncompressedSize = 4999;  // more output than declared
    archive.add("long.txt", text, 8).uncompressedSize = 6000;   // less: what is there counts
    archive.add("absurd.txt", text, 8).uncompressedSize = 0xFFFFFFFF;
    archive.add("zero.txt", text, 8).uncompressedSize = 0;
    File root;
    ASSERT_EQ(0, openArchive(archive, root));
    for (const wchar_t* name : {L"corrupt.txt", L"cut.txt", L"short.txt", L"absurd.txt", L"zero.txt"}) {
        File file;
        ASSERT_EQ(0, root.resolveFile(&file, name));
        EXPECT_EQ(ResultCode::DecompressError, file.open()) << name;
        char byte;
        EXPECT_EQ(0, file.read(&byte, 1)) << name;
    }
    EXPECT_EQ(text, member(root, L"long.txt"));
}

TEST_F(ZipArchives, SeekingStaysWithinTheMember)
{
    ZipBuilder archive;
    archive.add("stored.bin", "0123456789");
    archive.add("deflated.bin", "0123456789", 8);
    File root;
    ASSERT_EQ(0, openArchive(archive, root));
    for (const wchar_t* name : {L"stored.bin", L"deflated.bin"}) {
        File file;
        ASSERT_EQ(0, root.resolveFile(&file, name));
        EXPECT_EQ(ResultCode::SeekError, file.seek(0, 0));
        ASSERT_EQ(0, file.open());
        EXPECT_EQ(0, file.tell());
        char buffer[16] = {};
        EXPECT_EQ(0, file.seek(5, 0));
        EXPECT_EQ(5, file.read(buffer, 10));
        EXPECT_EQ("56789", std::string(buffer, 5)) << name;
        EXPECT_EQ(0, file.seek(-3, 2));
        EXPECT_EQ(7, file.tell());
        EXPECT_EQ(0, file.seek(100, 1));
        EXPECT_EQ(10, file.tell());
        EXPECT_EQ(0, file.seek(-4, 1));
        EXPECT_EQ(6, file.tell());
        EXPECT_EQ(0, file.seek(-100, 1));
        EXPECT_EQ(0, file.tell());
        EXPECT_EQ(0, file.seek(4, 2));
        EXPECT_EQ(10, file.tell());
        EXPECT_EQ(0, file.seek(-100, 2));
        EXPECT_EQ(0, file.tell());
        EXPECT_EQ(0, file.seek(100));
        EXPECT_EQ(10, file.tell());
        EXPECT_EQ(0, file.seek(-1));
        EXPECT_EQ(0, file.tell());
        EXPECT_EQ(0, file.seek(LONG_MAX, 1));
        EXPECT_EQ(10, file.tell());
        EXPECT_EQ(0, file.seek(LONG_MIN, 1));
        EXPECT_EQ(0, file.tell());
        // An unknown origin moves nothing and says so.
        EXPECT_EQ(0, file.seek(3));
        EXPECT_EQ(ResultCode::UnknownSeekMethod, file.seek(1, 3));
        EXPECT_EQ(3, file.tell());
        EXPECT_EQ(0, file.close());
        EXPECT_EQ(-1, file.tell());
    }
}

TEST_F(ZipArchives, NothingIsWrittenCreatedOrDeleted)
{
    ZipBuilder archive;
    archive.add("d/f.txt", "f");
    archive.addFolder("d/g");
    File root, file, folderEntry;
    ASSERT_EQ(0, openArchive(archive, root));
    ASSERT_EQ(0, root.resolveFile(&file, L"d/f.txt"));
    ASSERT_EQ(0, root.resolveFile(&folderEntry, L"d/g"));
    ASSERT_EQ(0, file.open());
    EXPECT_EQ(-1, file.write("x", 1));
    EXPECT_EQ(-1, file.write(L"x"));
    EXPECT_EQ(ResultCode::FolderCreationNotAllowed, root.createFolder());
    EXPECT_EQ(ResultCode::FileCreationNotAllowed, file.createFile());
    EXPECT_EQ(ResultCode::FileCreationNotAllowed, file.createFile(FileMode::Create));
    EXPECT_EQ(ResultCode::FileDeletionNotAllowed, file.deleteFile());
    EXPECT_EQ(ResultCode::FileDeletionNotAllowed, file.deleteAny());
    EXPECT_EQ(ResultCode::FolderDeletionNotAllowed, file.deleteFolder());
    EXPECT_EQ(ResultCode::FolderDeletionNotAllowed, root.deleteAny());
    EXPECT_EQ(ResultCode::FolderDeletionNotAllowed, folderEntry.deleteAny());
    EXPECT_EQ("f", contentOf(file));
}

TEST_F(ZipArchives, ArchivesOnReadOnlyStorageOpen)
{
    ZipBuilder archive;
    archive.add("x.txt", "read only");
    folder.write(L"ro.zip", archive.build());
    std::string host;
    ASSERT_TRUE(HostText::toUtf8(folder.path(L"ro.zip").c_str(), host));
    std::filesystem::permissions(host, std::filesystem::perms::owner_read, std::filesystem::perm_options::replace);
    File root;
    ASSERT_EQ(0, manager.resolveFile(&root, (L"zip:" + folder.path(L"ro.zip")).c_str()));
    EXPECT_EQ("read only", member(root, L"x.txt"));
}

TEST_F(ZipArchives, TheFileSystemLivesAsLongAsItsLastMember)
{
    ZipBuilder archive;
    archive.add("x.txt", "still here");
    File member;
    {
        File root;
        ASSERT_EQ(0, openArchive(archive, root));
        ASSERT_EQ(0, root.resolveFile(&member, L"x.txt"));
    }
    // The root is gone; the member still reads from the archive.
    ASSERT_EQ(0, member.open());
    EXPECT_EQ("still here", contentOf(member));
    EXPECT_FALSE(DeleteFileW(folder.path(L"a.zip").c_str()));
    // With the last member the archive is released too.
    EXPECT_EQ(ResultCode::WrongPathFormat, manager.resolveFile(&member, L""));
    EXPECT_TRUE(DeleteFileW(folder.path(L"a.zip").c_str()));
}

TEST_F(ZipArchives, OneArchiveOpensTwiceAndMembersCompareByArchive)
{
    ZipBuilder archive;
    archive.add("x.txt", "x");
    ZipBuilder other;
    other.add("x.txt", "y");
    File first, second, third, a, b, c;
    ASSERT_EQ(0, openArchive(archive, first));
    ASSERT_EQ(0, manager.resolveFile(&second, (L"zip:" + folder.path(L"a.zip")).c_str()));
    ASSERT_EQ(0, openArchive(other, third, L"b.zip"));
    ASSERT_EQ(0, first.resolveFile(&a, L"x.txt"));
    ASSERT_EQ(0, second.resolveFile(&b, L"x.txt"));
    ASSERT_EQ(0, third.resolveFile(&c, L"x.txt"));
    EXPECT_TRUE(a.equals(&b));
    EXPECT_FALSE(a.equals(&c));
    EXPECT_TRUE(first.equals(&second));
    EXPECT_FALSE(first.equals(&third));
    EXPECT_EQ("x", member(second, L"x.txt"));
    EXPECT_EQ("y", member(third, L"x.txt"));
    // A local file with the same path is another file.
    File local;
    ASSERT_EQ(0, manager.resolveFile(&local, L"file:/x.txt"));
    EXPECT_FALSE(local.equals(&a));
    EXPECT_FALSE(a.equals(&local));
}

TEST_F(ZipArchives, NamesAreNormalisedAndLaterDuplicatesWin)
{
    ZipBuilder archive;
    archive.add("dir\\file.txt", "backslash");
    archive.add("./odd//name.txt", "odd");
    archive.add("dup.txt", "first");
    archive.add("dup.txt", "second");
    File root;
    ASSERT_EQ(0, openArchive(archive, root));
    EXPECT_EQ("backslash", member(root, L"dir/file.txt"));
    EXPECT_EQ("odd", member(root, L"odd/name.txt"));
    EXPECT_EQ("second", member(root, L"dup.txt"));
}

TEST_F(ZipArchives, ArchivesThatCannotBeReadAreNotResolved)
{
    File root;
    EXPECT_EQ(ResultCode::CannotResolveFile, manager.resolveFile(&root, (L"zip:" + folder.path(L"none.zip")).c_str()));
    EXPECT_EQ(ResultCode::CannotResolveFile, manager.resolveFile(&root, (L"zip:" + folder.path()).c_str()));
    folder.write(L"text.zip", "this is no archive at all, just text");
    EXPECT_EQ(ResultCode::CannotResolveFile, manager.resolveFile(&root, (L"zip:" + folder.path(L"text.zip")).c_str()));
    folder.write(L"tiny.zip", "PK");
    EXPECT_EQ(ResultCode::CannotResolveFile, manager.resolveFile(&root, (L"zip:" + folder.path(L"tiny.zip")).c_str()));
    EXPECT_FALSE(root.exists());
}

TEST_F(ZipArchives, HostileDirectoriesGiveCodes)
{
    ZipBuilder good;
    good.add("a.txt", "a");
    good.add("b.txt", "b", 8);
    EXPECT_EQ(0, directoryResult(good));

    ZipBuilder split = good;
    split.disk = 1;
    EXPECT_EQ(ResultCode::ZipSplit, directoryResult(split));
    split = good;
    split.entriesOnDisk = 1;
    EXPECT_EQ(ResultCode::ZipSplit, directoryResult(split));

    // More entries than the directory's bytes could hold.
    ZipBuilder tooMany = good;
    tooMany.entryCount = 65535;
    EXPECT_EQ(ResultCode::ZipError, directoryResult(tooMany));
    tooMany.entryCount = 3;
    EXPECT_EQ(ResultCode::ZipError, directoryResult(tooMany));
    ZipBuilder pastEnd = good;
    pastEnd.directoryOffset = 0x7FFFFFF0;
    EXPECT_EQ(ResultCode::ZipError, directoryResult(pastEnd));
    ZipBuilder shifted = good;
    shifted.directoryOffset = 10;  // lands inside the members' data
    EXPECT_EQ(ResultCode::ZipError, directoryResult(shifted));

    ZipBuilder unnamed = good;
    unnamed.members[1].name = "";
    EXPECT_EQ(ResultCode::ZipError, directoryResult(unnamed));
    ZipBuilder dotted = good;
    dotted.members[0].name = "./";
    EXPECT_EQ(ResultCode::ZipError, directoryResult(dotted));
    ZipBuilder otherDisk = good;
    otherDisk.members[1].startDisk = 2;
    EXPECT_EQ(ResultCode::ZipError, directoryResult(otherDisk));
    // A name of the largest length that the directory holds is fine.
    ZipBuilder longName = good;
    longName.members[0].name = std::string(65535, 'n');
    EXPECT_EQ(0, directoryResult(longName));
}

TEST_F(ZipArchives, HostileMembersGiveCodesWhenOpened)
{
    ZipBuilder archive;
    archive.add("ok.txt", "fine");
    // Data declared to run past the archive's end.
    archive.add("long.txt", "0123456789").compressedSize = 0x10000000;
    archive.add("longer.txt", "0123456789", 8).compressedSize = 0xFFFFFFF0;
    // Local headers past the end, or at the very end.
    archive.add("nowhere.txt", "x").localHeaderOffset = 0x7FFFFFFF;
    archive.add("edge.txt", "x").localHeaderOffset = 0xFFFFFFFF;
    // Two members over the same bytes.
    archive.add("overlap.txt", "fine").localHeaderOffset = 0;
    File root;
    ASSERT_EQ(0, openArchive(archive, root));
    for (const wchar_t* name : {L"long.txt", L"longer.txt", L"nowhere.txt", L"edge.txt"}) {
        File file;
        ASSERT_EQ(0, root.resolveFile(&file, name));
        EXPECT_EQ(ResultCode::ZipError, file.open()) << name;
        EXPECT_FALSE(file.isOpen()) << name;
    }
    EXPECT_EQ("fine", member(root, L"ok.txt"));
    EXPECT_EQ("fine", member(root, L"overlap.txt"));
}

} // namespace

namespace {

// How a member reads from its first byte to its end in blocks of `step`: the bytes it
// gave, and whether the last read was 0 (the end) rather than -1 (an error).
struct ReadOut {
    std::string bytes;
    bool whole = false;
};

ReadOut readOut(File& file, unsigned long step)
{
    ReadOut out;
    std::vector<char> block(step);
    long got;
    while ((got = file.read(block.data(), step)) > 0)
        out.bytes.append(block.data(), static_cast<size_t>(got));
    out.whole = got == 0;
    return out;
}

// The most memory the process has held so far, in KiB (0 where the kernel does not say).
long peakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    return 0;
}

} // namespace

TEST_F(ZipArchives, MembersWhoseBytesDoNotMatchTheirChecksumAreReadErrorsEveryTime)
{
    std::string text = pattern(40000);
    ZipBuilder archive;
    archive.add("good.txt", text, 8);
    archive.add("stored-crc.txt", text).crc ^= 1;
    archive.add("deflated-crc.txt", text, 8).crc ^= 0x80000000u;
    archive.add("stored-byte.txt", text).data[39999] ^= 0x20;  // the very last byte
    archive.add("good-stored.txt", text);
    // Zeros deflate so well that zlib still holds much of the output when the input is all
    // read: small reads must still get to the end.
    archive.add("zeros.bin", std::string(text.size(), '\0'), 8);
    File root;
    ASSERT_EQ(0, openArchive(archive, root));
    for (const wchar_t* name : {L"stored-crc.txt", L"deflated-crc.txt", L"stored-byte.txt"}) {
        File file;
        ASSERT_EQ(0, root.resolveFile(&file, name));
        ASSERT_EQ(0, file.open()) << name;
        // Straight through, again from the start, and skipping to the last bytes: the read
        // that would give the last byte fails, and nothing past it is handed out.
        for (unsigned long step : {4096ul, 7ul}) {
            ASSERT_EQ(0, file.seek(0));
            ReadOut out = readOut(file, step);
            EXPECT_FALSE(out.whole) << name;
            EXPECT_LT(out.bytes.size(), text.size()) << name;
        }
        char tail[16];
        ASSERT_EQ(0, file.seek(-16, 2));
        EXPECT_EQ(-1, file.read(tail, sizeof tail)) << name;
        EXPECT_EQ(39984, file.tell()) << name;
    }
    // The other members stay whole, before and after.
    for (const wchar_t* name : {L"good.txt", L"good-stored.txt", L"zeros.bin"}) {
        File file;
        ASSERT_EQ(0, root.resolveFile(&file, name));
        ASSERT_EQ(0, file.open());
        for (unsigned long step : {1000ul, 13ul}) {
            ASSERT_EQ(0, file.seek(0));
            ReadOut out = readOut(file, step);
            EXPECT_TRUE(out.whole) << name << " in steps of " << step;
            EXPECT_EQ(name == std::wstring(L"zeros.bin") ? std::string(text.size(), '\0') : text, out.bytes) << name;
        }
        // A reader that skips about is checked at the end all the same.
        ASSERT_EQ(0, file.seek(100));
        char tail[16];
        ASSERT_EQ(0, file.seek(-16, 2));
        EXPECT_EQ(16, file.read(tail, sizeof tail)) << name;
    }
}

TEST_F(ZipArchives, AHugeDeflatedMemberIsInflatedAsItIsRead)
{
    // 192 MiB of zeros deflate to about 190 KiB; made in pieces so that the test itself
    // never holds the member.
    const unsigned long size = 192ul << 20;
    ZipBuilder::Member huge;
    huge.name = "zeros.bin";
    huge.method = 8;
    huge.uncompressedSize = static_cast<uint32_t>(size);
    {
        std::vector<unsigned char> zeros(1 << 20, 0), out(1 << 16);
        z_stream stream = {};
        deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        uLong crc = crc32(0, nullptr, 0);
        for (unsigned long done = 0; done < size; done += zeros.size()) {
            crc = crc32(crc, zeros.data(), static_cast<uInt>(zeros.size()));
            stream.next_in = zeros.data();
            stream.avail_in = static_cast<uInt>(zeros.size());
            const int flush = done + zeros.size() == size ? Z_FINISH : Z_NO_FLUSH;
            do {
                stream.next_out = out.data();
                stream.avail_out = static_cast<uInt>(out.size());
                deflate(&stream, flush);
                huge.data.append(reinterpret_cast<char*>(out.data()), out.size() - stream.avail_out);
            } while (stream.avail_out == 0);
        }
        deflateEnd(&stream);
        huge.crc = static_cast<uint32_t>(crc);
        huge.compressedSize = static_cast<uint32_t>(huge.data.size());
    }
    ZipBuilder archive;
    archive.members.push_back(huge);
    File root, file;
    ASSERT_EQ(0, openArchive(archive, root));
    ASSERT_EQ(0, root.resolveFile(&file, L"zeros.bin"));
    const long before = peakResidentKiB();
    ASSERT_EQ(0, file.open());
    std::vector<char> block(1 << 16);
    unsigned long total = 0;
    bool allZero = true;
    long got;
    while ((got = file.read(block.data(), block.size())) > 0) {
        total += static_cast<unsigned long>(got);
        allZero = allZero && std::all_of(block.begin(), block.begin() + got, [](char c) { return c == 0; });
    }
    EXPECT_EQ(0, got);
    EXPECT_EQ(size, total);
    EXPECT_TRUE(allZero);
    // Well under the member's size: the inflater's blocks, not the member.
    if (before > 0) {
        EXPECT_LT(peakResidentKiB() - before, 16 * 1024);
    }
}

TEST_F(ZipArchives, NamesThatCollideInTheHashOpenAsFastAsAnyOthers)
{
    // Two blocks of the same length and hash: any string of such blocks has the hash of
    // every other, so 2^12 names share one value.
    const std::string blocks[2] = {"813cck9d", "8smni34l"};
    ASSERT_EQ(NameTable::hash(L"813cck9d"), NameTable::hash(L"8smni34l"));
    const int count = 1 << 12;
    ZipBuilder colliding, ordinary;
    for (int i = 0; i < count; ++i) {
        std::string name;
        for (int bit = 0; bit < 12; ++bit)
            name += blocks[(i >> bit) & 1];
        colliding.add(name, "");
        std::string plain = std::to_string(i * 7919);
        ordinary.add(plain + std::string(name.size() - plain.size(), 'x'), "");
    }
    auto wide = [](const std::string& text) { return std::wstring(text.begin(), text.end()); };
    ASSERT_EQ(NameTable::hash(wide(colliding.members.front().name).c_str()),
              NameTable::hash(wide(colliding.members.back().name).c_str()));
    folder.write(L"colliding.zip", colliding.build());
    folder.write(L"ordinary.zip", ordinary.build());

    // Opening and finding every member, timed against the same work on ordinary names in
    // the same run; the median of three.
    auto seconds = [&](const std::wstring& archiveName, const ZipBuilder& archive) {
        std::vector<double> runs;
        for (int run = 0; run < 3; ++run) {
            auto start = std::chrono::steady_clock::now();
            File root;
            EXPECT_EQ(0, manager.resolveFile(&root, (L"zip:" + folder.path(archiveName)).c_str()));
            for (const ZipBuilder::Member& m : archive.members) {
                File found;
                EXPECT_EQ(0, root.resolveFile(&found, wide(m.name).c_str()));
            }
            runs.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(runs.begin(), runs.end());
        return runs[1];
    };
    const double plain = seconds(L"ordinary.zip", ordinary);
    const double hostile = seconds(L"colliding.zip", colliding);
    EXPECT_LT(hostile, 4 * plain + 0.05) << "colliding " << hostile << " s, ordinary " << plain << " s";
}
