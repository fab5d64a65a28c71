// The best score's file: what it may hold and what is made of anything else. (A folder
// that cannot be written is tried on the program, VorlequinProgramTest.)

#include "ScoreBook.h"

#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::wstring filePath(const TempFolder& folder)
{
    return L"file:" + folder.path(L"best.txt");
}

TEST(ScoreBook, TheFileHoldsTheBestAsANumberAnythingElseIsNoBest)
{
    const std::string tooLong(4096, '7');
    const struct {
        std::string text;
        int32_t best;
    } files[] = {
        {"1200\n", 1200}, {"1200", 1200},        {"0\n", 0},   {"2147483647\n", 2147483647},
        {"2147483648\n", 0}, {"99999999999999\n", 0}, {"", 0}, {"\n", 0},
        {"-5\n", 0},      {"12 3\n", 0},          {"12\n\n", 0}, {"abc", 0},
        {"300\r\n", 0},   {tooLong, 0},
    };
    for (const auto& file : files) {
        TempFolder folder;
        folder.write(L"best.txt", file.text);
        const std::wstring path = filePath(folder);
        ScoreBook scores(path.c_str());
        EXPECT_EQ(file.best, scores.getBest()) << '"' << file.text << '"';
        EXPECT_FALSE(scores.hasLast());
    }
}

TEST(ScoreBook, ABetterScoreIsWrittenAWorseOneOnlyRemembered)
{
    TempFolder folder;
    const std::wstring path = filePath(folder);
    {
        ScoreBook scores(path.c_str());
        EXPECT_EQ(0, scores.getBest()) << "no file yet";
        scores.record(0);
        EXPECT_TRUE(scores.hasLast());
        EXPECT_FALSE(std::filesystem::exists(folder.hostPath("best.txt"))) << "nothing to keep";
        scores.record(500);
        scores.record(300);
        EXPECT_EQ(300, scores.getLast());
        EXPECT_EQ(500, scores.getBest());
    }
    EXPECT_EQ("500\n", readTextFile(folder.hostPath("best.txt")));
    ScoreBook again(path.c_str());
    EXPECT_EQ(500, again.getBest());
    EXPECT_FALSE(again.hasLast());
}

} // namespace
