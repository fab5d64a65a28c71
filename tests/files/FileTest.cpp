#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "support/TempFolder.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A file bound to `name` inside a fresh folder, holding `bytes`.
struct BoundFile {
    BoundFile(const std::string& bytes, const std::wstring& name = L"f.txt")
    {
        folder.write(name, bytes);
        EXPECT_EQ(0, manager.resolveFile(&file, (L"file:" + folder.path(name)).c_str()));
    }

    TempFolder folder;
    FileSystemManager manager;
    File file;
};

TEST(File, UnboundFilesSaySo)
{
    File file;
    File other;
    char buffer[4];
    wchar_t line[4];
    EXPECT_FALSE(file.exists());
    EXPECT_FALSE(file.isFolder());
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(file.equals(&other));
    EXPECT_EQ(nullptr, file.getName());
    EXPECT_EQ(nullptr, file.getPath());
    EXPECT_EQ(nullptr, file.getScheme());
    EXPECT_EQ(0u, file.getSize());
    EXPECT_EQ(-1, file.tell());
    EXPECT_FALSE(file.eof());
    EXPECT_EQ(ResultCode::FileNotInitialized, file.open());
    EXPECT_EQ(ResultCode::FileNotInitialized, file.open(FileMode::Read));
    EXPECT_EQ(ResultCode::FileNotInitialized, file.close());
    EXPECT_EQ(ResultCode::FileNotInitialized, file.createFile());
    EXPECT_EQ(ResultCode::FileNotInitialized, file.createFolder());
    EXPECT_EQ(ResultCode::FileNotInitialized, file.deleteAny());
    EXPECT_EQ(ResultCode::FileNotInitialized, file.seek(0, 0));
    EXPECT_EQ(ResultCode::FileNotInitialized, file.getParent(&other));
    EXPECT_EQ(ResultCode::FileNotInitialized, file.getChild(&other, L"x"));
    EXPECT_EQ(ResultCode::FileNotInitialized, file.resolveFile(&other, L"x"));
    EXPECT_EQ(ResultCode::FileNotInitialized, file.getNextChild(&other));
    EXPECT_EQ(-1, file.read(buffer, 4));
    EXPECT_EQ(-1, file.readLine(line, 3));
    EXPECT_EQ(-1, file.write(buffer, 4));
    EXPECT_EQ(-1, file.write(L"x"));
    EXPECT_FALSE(file.eof());
}

TEST(File, NullArgumentsAreRefusedBeforeAnythingHappens)
{
    BoundFile bound("abc");
    File& file = bound.file;
    char bytes[4];
    EXPECT_EQ(ResultCode::NullParameter, file.getParent(nullptr));
    EXPECT_EQ(ResultCode::NullParameter, file.getChild(nullptr, L"x"));
    EXPECT_EQ(ResultCode::NullParameter, file.getChild(&file, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, file.resolveFile(nullptr, L"x"));
    EXPECT_EQ(ResultCode::NullParameter, file.resolveFile(&file, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, file.getNextChild(nullptr));
    ASSERT_EQ(0, file.open(FileMode::Read));
    EXPECT_EQ(-1, file.read(nullptr, 1));
    EXPECT_EQ(-1, file.readLine(nullptr, 1));
    EXPECT_EQ(-1, file.write(nullptr, 1));
    EXPECT_EQ(3, file.read(bytes, 3));
    EXPECT_FALSE(file.eof());
}

TEST(File, EofIsSetOnlyByReading)
{
    BoundFile bound("0123456789");
    File& file = bound.file;
    ASSERT_EQ(0, file.open(FileMode::Read));
    char buffer[16];
    EXPECT_EQ(4, file.read(buffer, 4));
    EXPECT_FALSE(file.eof());
    EXPECT_EQ(6, file.read(buffer, 16));
    EXPECT_TRUE(file.eof());
    // Seeking, telling, closing and opening leave it alone.
    EXPECT_EQ(0, file.seek(0));
    EXPECT_EQ(0, file.tell());
    EXPECT_TRUE(file.eof());
    EXPECT_EQ(10, file.read(buffer, 10));
    EXPECT_FALSE(file.eof());
    EXPECT_EQ(0, file.read(buffer, 1));
    EXPECT_TRUE(file.eof());
    EXPECT_EQ(0, file.close());
    EXPECT_TRUE(file.eof());
    // A failed read counts as the end.
    EXPECT_EQ(0, file.open(FileMode::Read));
    EXPECT_EQ(4, file.read(buffer, 4));
    EXPECT_FALSE(file.eof());
    file.close();
    EXPECT_EQ(-1, file.read(buffer, 4));
    EXPECT_TRUE(file.eof());
}

TEST(File, ReadLineSplitsOnLineFeedsAndSkipsCarriageReturns)
{
    BoundFile bound("ab\r\ncd");
    File& file = bound.file;
    ASSERT_EQ(0, file.open(FileMode::Read));
    wchar_t line[16];
    EXPECT_EQ(2, file.readLine(line, 15));
    EXPECT_EQ(std::wstring(L"ab"), line);
    EXPECT_FALSE(file.eof());
    EXPECT_EQ(2, file.readLine(line, 15));
    EXPECT_EQ(std::wstring(L"cd"), line);
    EXPECT_TRUE(file.eof());
    EXPECT_EQ(0, file.readLine(line, 15));
    EXPECT_EQ(std::wstring(L""), line);
    EXPECT_TRUE(file.eof());
}

TEST(File, ReadLineStopsAtItsLimitAndKeepsEveryByteValue)
{
    BoundFile bound("abc\xC4\r\rdef\n\n");
    File& file = bound.file;
    ASSERT_EQ(0, file.open(FileMode::Read));
    wchar_t line[8];
    // The limit leaves the next byte for the next call.
    EXPECT_EQ(2, file.readLine(line, 2));
    EXPECT_EQ(std::wstring(L"ab"), line);
    EXPECT_EQ(5, file.readLine(line, 7));
    EXPECT_EQ(std::wstring(L"c\u00C4def"), line);
    EXPECT_FALSE(file.eof());
    // A limit of 0 reads nothing and returns at once; then the empty line, then the end.
    line[0] = L'x';
    EXPECT_EQ(0, file.readLine(line, 0));
    EXPECT_EQ(std::wstring(L""), line);
    EXPECT_FALSE(file.eof());
    EXPECT_EQ(10, file.tell());
    EXPECT_EQ(0, file.readLine(line, 7));
    EXPECT_FALSE(file.eof());
    EXPECT_EQ(0, file.readLine(line, 7));
    EXPECT_TRUE(file.eof());
    // A read error gives -1 and leaves eof alone.
    file.close();
    EXPECT_EQ(-1, file.readLine(line, 7));
    EXPECT_TRUE(file.eof());
}

TEST(File, WritingANullTextWritesNull)
{
    BoundFile bound("");
    File& file = bound.file;
    ASSERT_EQ(0, file.open(FileMode::Read | FileMode::Write));
    EXPECT_EQ(4, file.write(static_cast<const wchar_t*>(nullptr)));
    EXPECT_EQ(0, file.seek(0));
    EXPECT_EQ("NULL", contentOf(file));
}

TEST(File, FailedBindingsKeepTheTargetAsItWas)
{
    BoundFile bound("x");
    File target;
    ASSERT_EQ(0, bound.file.getParent(&target));
    std::wstring folder = target.getPath();
    EXPECT_EQ(bound.folder.path(), folder);
    // A file has no children to list.
    EXPECT_EQ(ResultCode::GetChildNotAllowed, bound.file.getNextChild(&target));
    EXPECT_EQ(folder, target.getPath());
    // An exhausted listing gives 22 and leaves the child alone.
    File child;
    ASSERT_EQ(0, target.open());
    ASSERT_EQ(0, target.getNextChild(&child));
    EXPECT_EQ(std::wstring(L"f.txt"), child.getName());
    EXPECT_EQ(ResultCode::NoMoreChildren, target.getNextChild(&child));
    EXPECT_EQ(std::wstring(L"f.txt"), child.getName());
    EXPECT_TRUE(child.equals(&bound.file));
    EXPECT_FALSE(child.equals(&target));
    EXPECT_FALSE(child.equals(nullptr));
}

} // namespace
