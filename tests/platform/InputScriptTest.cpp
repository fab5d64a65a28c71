#include "platform/input/InputScript.h"
#include "platform/windows/CommandLine.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string errorOf(const std::string& text)
{
    std::vector<InputCommand> commands;
    std::string error;
    EXPECT_FALSE(InputScript::parse(text, commands, error)) << text;
    EXPECT_TRUE(commands.empty());
    return error;
}

TEST(InputScript, EveryCommandReadsAndWritesTheSame)
{
    const std::string text = "# a session\n"
                             "\n"
                             "0 down 10 20\r\n"
                             "  0 move -5 32767\n"
                             "1 up 0 -32768\n"
                             "1\tdblclk 3 4\n"
                             "2 keydown start\n"
                             "2 keyup 0xC1\n"
                             "3 keydown 65\n"
                             "4 deactivate\n"
                             "4 activate\n"
                             "   # indented comment\n"
                             "9 shot folder with spaces/shot 1.png  \n"
                             "4294967295 close";
    std::vector<InputCommand> commands;
    std::string error;
    ASSERT_TRUE(InputScript::parse(text, commands, error)) << error;
    std::vector<std::string> lines;
    for (const InputCommand& command : commands)
        lines.push_back(InputScript::format(command));
    EXPECT_EQ((std::vector<std::string>{"0 down 10 20", "0 move -5 32767", "1 up 0 -32768", "1 dblclk 3 4",
                                        "2 keydown start", "2 keyup 193", "3 keydown 65", "4 deactivate",
                                        "4 activate", "9 shot folder with spaces/shot 1.png", "4294967295 close"}),
              lines);
    EXPECT_EQ(InputCommand::Start_, commands[4].keyName);
    EXPECT_EQ(0xC1u, commands[5].key);
}

TEST(InputScript, TrailingWhiteSpaceOfAnyKindIsNoPartOfTheArguments)
{
    // Lines ending in carriage returns (one, two, after a blank), and other white space.
    const std::string text = "1 shot a.png\r\n"
                             "2 shot b c.png \r\r\n"
                             "3 keydown a\r\r\n"
                             "4 down 1 2\t\r\n"
                             "5 shot d.png\v\f\r";
    std::vector<InputCommand> commands;
    std::string error;
    ASSERT_TRUE(InputScript::parse(text, commands, error)) << error;
    ASSERT_EQ(5u, commands.size());
    EXPECT_EQ("a.png", commands[0].path);
    EXPECT_EQ("b c.png", commands[1].path);
    EXPECT_EQ(InputCommand::A_, commands[2].keyName);
    EXPECT_EQ(2, commands[3].y);
    EXPECT_EQ("d.png", commands[4].path);
}

TEST(InputScript, BadLinesAreNamedByNumber)
{
    EXPECT_EQ("line 2: unknown command \"jump\"", errorOf("1 close\n2 jump\n"));
    EXPECT_EQ("line 1: the frame \"x\" is not a whole number from 0 to 4294967295", errorOf("x close"));
    EXPECT_EQ("line 1: the frame \"-1\" is not a whole number from 0 to 4294967295", errorOf("-1 close"));
    EXPECT_EQ("line 1: the frame \"4294967296\" is not a whole number from 0 to 4294967295",
              errorOf("4294967296 close"));
    EXPECT_EQ("line 1: a command is missing after the frame", errorOf("3"));
    EXPECT_EQ("line 1: down takes X and Y, whole numbers from -32768 to 32767", errorOf("0 down 1"));
    EXPECT_EQ("line 1: down takes X and Y, whole numbers from -32768 to 32767", errorOf("0 down 1 32768"));
    EXPECT_EQ("line 1: move takes X and Y, whole numbers from -32768 to 32767", errorOf("0 move 1.5 2"));
    EXPECT_EQ("line 1: \"3\" is one word too many for up", errorOf("0 up 1 2 3"));
    EXPECT_EQ("line 1: \"now\" is one word too many for close", errorOf("0 close now"));
    EXPECT_NE(std::string::npos, errorOf("0 keydown home").find("takes a key"));
    EXPECT_NE(std::string::npos, errorOf("0 keydown 0").find("takes a key"));
    EXPECT_NE(std::string::npos, errorOf("0 keydown 256").find("takes a key"));
    EXPECT_NE(std::string::npos, errorOf("0 keyup 0x100").find("takes a key"));
    EXPECT_EQ("line 1: shot takes the name of a file", errorOf("0 shot   "));
    EXPECT_EQ("line 3: frame 2 comes after frame 5; frames never go back", errorOf("1 close\n5 close\n2 close\n"));
    EXPECT_EQ("line 2: longer than 4096 characters", errorOf("0 close\n0 shot " + std::string(5000, 'a')));
    EXPECT_EQ("line 1: holds a NUL character", errorOf(std::string("0 close\0", 8)));
}

TEST(InputScript, FilesThatCannotBeReadAreRefused)
{
    TempFolder folder;
    std::vector<InputCommand> commands;
    std::string error;
    EXPECT_FALSE(InputScript::load(folder.hostPath("missing.txt"), commands, error));
    EXPECT_NE(std::string::npos, error.find("cannot be read"));
    EXPECT_FALSE(InputScript::load(folder.hostPath(""), commands, error)) << "a folder";
    folder.write(L"big.txt", std::string(InputScript::maxScriptBytes + 1, '\n'));
    EXPECT_FALSE(InputScript::load(folder.hostPath("big.txt"), commands, error));
    EXPECT_NE(std::string::npos, error.find("larger than"));
    folder.write(L"good.txt", "5 close\n");
    ASSERT_TRUE(InputScript::load(folder.hostPath("good.txt"), commands, error)) << error;
    EXPECT_EQ(1u, commands.size());
}

TEST(ProgramEntry, CommandLineHoldsTheArgumentsAfterTheProgramQuotedWhereNeeded)
{
    char program[] = "game", plain[] = "-level", spaced[] = "my save", quoted[] = "say \"hi\"", empty[] = "",
         accented[] = "caf\xc3\xa9";
    char* argv[] = {program, plain, spaced, quoted, empty, accented, nullptr};
    EXPECT_EQ(L"-level \"my save\" \"say \\\"hi\\\"\" \"\" caf\u00e9", ProgramEntry::commandLine(6, argv));
    EXPECT_EQ(L"", ProgramEntry::commandLine(1, argv));
}

} // namespace
