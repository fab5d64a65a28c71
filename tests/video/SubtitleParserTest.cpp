#include "VideoTestSupport.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FilePath.h"
#include "files/FileSystemManager.h"
#include "files/LocalFileInternal.h"
#include "files/LocalFileSystem.h"
#include "support/TempFolder.h"
#include "video/SubtitleList.h"
#include "video/SubtitleParser.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

struct Entry {
    int32_t index;
    uint32_t start;
    uint32_t end;
    std::wstring first;
    std::wstring second;  // "(none)" when the entry has one line

    bool operator==(const Entry& other) const
    {
        return index == other.index && start == other.start && end == other.end && first == other.first &&
               second == other.second;
    }
};

std::ostream& operator<<(std::ostream& out, const Entry& e)
{
    return out << e.index << " " << e.start << "-" << e.end << " [" << std::string(e.first.begin(), e.first.end())
               << "] [" << std::string(e.second.begin(), e.second.end()) << "]";
}

struct Parsed {
    long result;
    std::vector<Entry> entries;
};

Parsed parse(const std::string& bytes)
{
    FileOnDisk onDisk(bytes, L"subtitles.srt");
    FileSystemManager manager;
    File file;
    EXPECT_EQ(ResultCode::Ok, manager.resolveFile(&file, onDisk.path()));
    EXPECT_EQ(ResultCode::Ok, file.open(FileMode::Read));
    SubtitleList list;
    Parsed parsed;
    parsed.result = SubtitleParser(&file).parse(list);
    for (const SubtitleEntry* e = list.getFirst(); e; e = e->next)
        parsed.entries.push_back(
            {e->index, e->start, e->end, e->firstLine, e->secondLine ? e->secondLine : L"(none)"});
    file.close();
    return parsed;
}

const std::string twoEntries = "1\n00:00:01,500 --> 00:00:03,000\nHello\n\n"
                               "12\n01:02:03,004 --> 01:02:04,005\nfirst line\nsecond line\n\n";
const std::vector<Entry> twoEntriesRead = {{1, 1500, 3000, L"Hello", L"(none)"},
                                           {12, 3723004, 3724005, L"first line", L"second line"}};

} // namespace

TEST(SubtitleParser, ReadsEntriesOfOneAndTwoLines)
{
    Parsed parsed = parse(twoEntries);
    EXPECT_EQ(ResultCode::Ok, parsed.result);
    EXPECT_EQ(twoEntriesRead, parsed.entries);
}

TEST(SubtitleParser, LineEndsBlankLinesAndTheLastLineFeedDoNotMatter)
{
    const std::vector<std::string> variants = {
        "1\r\n00:00:01,500 --> 00:00:03,000\r\nHello\r\n\r\n12\r\n01:02:03,004 --> 01:02:04,005\r\nfirst "
        "line\r\nsecond line\r\n\r\n",
        "\n\n1\n00:00:01,500 --> 00:00:03,000\nHello\n\n\n\n12\n01:02:03,004 --> 01:02:04,005\nfirst line\nsecond line",
        "1\n00:00:01,500 --> 00:00:03,000\nHello\n\n12\n01:02:03,004 --> 01:02:04,005\nfirst line\nsecond line\n",
        // The fields may have one digit, and spaces before them.
        "1\n0:0:1,500 --> 0:00:3,0\nHello\n\n12\n 1:02:03,4 -->  1:02:04,5\nfirst line\nsecond line\n\n",
    };
    for (const std::string& bytes : variants) {
        Parsed parsed = parse(bytes);
        EXPECT_EQ(ResultCode::Ok, parsed.result) << bytes;
        EXPECT_EQ(twoEntriesRead, parsed.entries) << bytes;
    }
    Parsed empty = parse("");
    EXPECT_EQ(ResultCode::Ok, empty.result);
    EXPECT_TRUE(empty.entries.empty());
    EXPECT_EQ(ResultCode::Ok, parse("\n\r\n\n").result);
}

TEST(SubtitleParser, RefusesTimeLinesOffTheFormatAndEntriesWithoutText)
{
    const std::vector<std::string> refused = {
        // A single dash in the arrow.
        "1\n00:00:01,500 -> 00:00:03,000\nHello\n\n",
        // A full stop before the milliseconds.
        "1\n00:00:01.500 --> 00:00:03,000\nHello\n\n",
        "1\n00:00:01,500 --> 00:00:03\nHello\n\n",
        // No text, then the end or a blank line.
        "1\n00:00:01,500 --> 00:00:03,000\n",
        "1\n00:00:01,500 --> 00:00:03,000\n\nHello\n\n",
        // A number line and nothing else.
        "1\n",
        // A good entry, then a damaged one.
        twoEntries + "3\n00:00:05,000 --> 00:00:06,000\n\n",
    };
    for (const std::string& bytes : refused)
        EXPECT_EQ(ResultCode::SubtitleError, parse(bytes).result) << bytes;
}

TEST(SubtitleParser, KeepsTwoTextLinesAndPassesOverMore)
{
    Parsed parsed = parse("1\n00:00:01,000 --> 00:00:02,000\none\ntwo\nthree\nfour\n\n"
                          "2\n00:00:03,000 --> 00:00:04,000\nnext\n\n");
    EXPECT_EQ(ResultCode::Ok, parsed.result);
    EXPECT_EQ((std::vector<Entry>{{1, 1000, 2000, L"one", L"two"}, {2, 3000, 4000, L"next", L"(none)"}}),
              parsed.entries);
}

TEST(SubtitleParser, AMissingBlankLineLosesNoEntry)
{
    Parsed parsed = parse("1\n00:00:01,000 --> 00:00:02,000\none\ntwo\n"
                          "2\n00:00:03,000 --> 00:00:04,000\nalone\n"
                          "3\n00:00:05,000 --> 00:00:06,000\nlast\n");
    EXPECT_EQ(ResultCode::Ok, parsed.result);
    EXPECT_EQ((std::vector<Entry>{{1, 1000, 2000, L"one", L"two"},
                                  {2, 3000, 4000, L"alone", L"(none)"},
                                  {3, 5000, 6000, L"last", L"(none)"}}),
              parsed.entries);
}

TEST(SubtitleParser, LongLinesReadAsSeveralAndBytesKeepTheirCodes)
{
    const std::string longText(200, 'x');
    Parsed parsed = parse("1\n00:00:01,000 --> 00:00:02,000\n" + longText + "\n\n2\n00:00:03,000 --> 00:00:04,000\n"
                          "caf\xE9 \x80\xFF\n\n");
    EXPECT_EQ(ResultCode::Ok, parsed.result);
    ASSERT_EQ(2u, parsed.entries.size());
    EXPECT_EQ(std::wstring(127, L'x'), parsed.entries[0].first);
    EXPECT_EQ(std::wstring(73, L'x'), parsed.entries[0].second);
    EXPECT_EQ(std::wstring(L"caf\xE9 \x80\xFF"), parsed.entries[1].first);
}

TEST(SubtitleParser, NumberLinesAndTimeFields)
{
    EXPECT_EQ(5, SubtitleParser::readIndex(L"5"));
    EXPECT_EQ(-42, SubtitleParser::readIndex(L"  -42 trailing"));
    EXPECT_EQ(0, SubtitleParser::readIndex(L"none"));
    EXPECT_EQ(INT32_MAX, SubtitleParser::readIndex(L"99999999999999999999"));
    EXPECT_EQ(INT32_MIN, SubtitleParser::readIndex(L"-99999999999999999999"));
    uint32_t start = 1, end = 1;
    EXPECT_TRUE(SubtitleParser::readTimes(L"99:59:59,999 --> 00:00:00,000", start, end));
    EXPECT_EQ(359999999u, start);
    EXPECT_EQ(0u, end);
    // A negative field wraps as an unsigned time, as the arithmetic gives it.
    EXPECT_TRUE(SubtitleParser::readTimes(L"-1:00:00,000 --> 00:00:00,-1", start, end));
    EXPECT_EQ(static_cast<uint32_t>(-3600000), start);
    EXPECT_EQ(static_cast<uint32_t>(-1), end);
    EXPECT_FALSE(SubtitleParser::readTimes(L"", start, end));
    EXPECT_FALSE(SubtitleParser::readTimes(L"00:00:01,000 --> 00:00:02", start, end));
}

TEST(SubtitleParser, AReadErrorIsASubtitleError)
{
    // An unopened file reads nothing but errors.
    FileOnDisk onDisk("1\n00:00:01,000 --> 00:00:02,000\nx\n\n", L"closed.srt");
    FileSystemManager manager;
    File file;
    ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&file, onDisk.path()));
    SubtitleList list;
    EXPECT_EQ(ResultCode::SubtitleError, SubtitleParser(&file).parse(list));
    EXPECT_EQ(nullptr, list.getFirst());
}

namespace {

// A local file that counts the reads made of it.
class CountingFile : public LocalFileInternal {
public:
    CountingFile(LocalFileSystem* fileSystem, FilePath* path, int* reads) : LocalFileInternal(fileSystem, path), reads(reads) {}
    long read(void* buffer, unsigned long count) override
    {
        ++*reads;
        return LocalFileInternal::read(buffer, count);
    }

private:
    int* reads;
};

class BindableFile : public File {
public:
    using File::setInternalFile;
};

} // namespace

TEST(SubtitleParser, ReadsTheFileABlockAtATime)
{
    // An entry whose text runs on for a megabyte (read as lines of 127 characters and
    // passed over), then one more entry.
    const std::string bytes = "1\n00:00:01,000 --> 00:00:02,000\n" + std::string(1 << 20, 'x') +
                              "\n\n2\n00:00:03,000 --> 00:00:04,000\nend\n";
    TempFolder folder;
    folder.write(L"long.srt", bytes);
    LocalFileSystem local;
    int reads = 0;
    {
        BindableFile file;
        file.setInternalFile(new CountingFile(&local, FilePath::create(L"file", folder.path(L"long.srt").c_str()), &reads));
        ASSERT_EQ(ResultCode::Ok, file.open(FileMode::Read));
        SubtitleList list;
        ASSERT_EQ(ResultCode::Ok, SubtitleParser(&file).parse(list));
        ASSERT_NE(nullptr, list.getFirst());
        EXPECT_EQ(std::wstring(127, L'x'), list.getFirst()->firstLine);
        ASSERT_NE(nullptr, list.getFirst()->next);
        EXPECT_EQ(std::wstring(L"end"), list.getFirst()->next->firstLine);
    }
    // About one read for each 4 KiB block, not one for each byte.
    EXPECT_LT(reads, static_cast<int>(bytes.size() / 1000));
}
