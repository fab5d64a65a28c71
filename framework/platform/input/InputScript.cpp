#include "platform/input/InputScript.h"

#include "platform/base/HostText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

struct CommandWord {
    const char* word;
    InputCommand::Kind kind;
};

const CommandWord commandWords[] = {
    {"down", InputCommand::Down},         {"move", InputCommand::Move},
    {"up", InputCommand::Up},             {"dblclk", InputCommand::DoubleClick},
    {"keydown", InputCommand::KeyDown},   {"keyup", InputCommand::KeyUp},
    {"deactivate", InputCommand::Deactivate}, {"activate", InputCommand::Activate},
    {"close", InputCommand::Close},       {"shot", InputCommand::Shot},
};

const char* const keyNames[InputCommand::keyNameCount] = {"up", "down", "left", "right", "start", "a", "b", "c"};

constexpr uint64_t largestFrame = 0xFFFFFFFFu;
constexpr uint32_t largestKey = 0xFF;

// White space of every kind separates words and never belongs to one: a script written
// with carriage-return line ends must not give a shot whose name ends in '\r'.
const char blanks[] = " \t\r\v\f";

bool isBlank(char c) { return c != 0 && std::strchr(blanks, c) != nullptr; }

// Splits off the next word; empty at the end of the line.
std::string nextWord(const std::string& line, size_t& at)
{
    while (at < line.size() && isBlank(line[at]))
        ++at;
    size_t start = at;
    while (at < line.size() && !isBlank(line[at]))
        ++at;
    return line.substr(start, at - start);
}

// Stylus positions travel in 16 bits each, as the device's messages carry them.
bool coordinate(const std::string& word, int32_t& value)
{
    bool negative = !word.empty() && word[0] == '-';
    uint64_t magnitude;
    if (!HostText::wholeNumber(negative ? word.substr(1) : word, negative ? 32768 : 32767, magnitude))
        return false;
    value = negative ? -static_cast<int32_t>(magnitude) : static_cast<int32_t>(magnitude);
    return true;
}

bool keyOf(const std::string& word, InputCommand& command)
{
    for (int i = 0; i < InputCommand::keyNameCount; ++i)
        if (word == keyNames[i]) {
            command.keyName = i;
            return true;
        }
    uint64_t value = 0;
    bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    if (hex) {
        if (word.size() > 4)
            return false;
        for (size_t i = 2; i < word.size(); ++i) {
            char c = word[i];
            int digit = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                                     : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
            if (digit < 0)
                return false;
            value = value * 16 + static_cast<uint64_t>(digit);
        }
    } else if (!HostText::wholeNumber(word, largestKey, value)) {
        return false;
    }
    if (value == 0 || value > largestKey)
        return false;
    command.keyName = InputCommand::noKeyName;
    command.key = static_cast<uint32_t>(value);
    return true;
}

// One line that is not blank or a comment; false with `error` saying what is wrong.
bool parseLine(const std::string& line, InputCommand& command, std::string& error)
{
    size_t at = 0;
    std::string frame = nextWord(line, at);
    if (!HostText::wholeNumber(frame, largestFrame, command.frame)) {
        error = "the frame \"" + frame + "\" is not a whole number from 0 to 4294967295";
        return false;
    }
    std::string word = nextWord(line, at);
    const CommandWord* found = nullptr;
    for (const CommandWord& candidate : commandWords)
        if (word == candidate.word)
            found = &candidate;
    if (!found) {
        error = word.empty() ? "a command is missing after the frame" : "unknown command \"" + word + "\"";
        return false;
    }
    command.kind = found->kind;
    switch (command.kind) {
    case InputCommand::Down:
    case InputCommand::Move:
    case InputCommand::Up:
    case InputCommand::DoubleClick: {
        std::string x = nextWord(line, at);
        std::string y = nextWord(line, at);
        if (!coordinate(x, command.x) || !coordinate(y, command.y)) {
            error = word + " takes X and Y, whole numbers from -32768 to 32767";
            return false;
        }
        break;
    }
    case InputCommand::KeyDown:
    case InputCommand::KeyUp:
        if (!keyOf(nextWord(line, at), command)) {
            error = word + " takes a key: up, down, left, right, start, a, b, c, or a code from 1 to 255";
            return false;
        }
        break;
    case InputCommand::Shot: {
        size_t start = line.find_first_not_of(blanks, at);
        size_t end = line.find_last_not_of(blanks);
        if (start == std::string::npos) {
            error = "shot takes the name of a file";
            return false;
        }
        command.path = line.substr(start, end + 1 - start);
        return true;
    }
    default:
        break;
    }
    std::string rest = nextWord(line, at);
    if (!rest.empty()) {
        error = "\"" + rest + "\" is one word too many for " + word;
        return false;
    }
    return true;
}
} // namespace

namespace InputScript {

bool parse(const std::string& text, std::vector<InputCommand>& commands, std::string& error)
{
    commands.clear();
    size_t lineNumber = 0;
    uint64_t lastFrame = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++lineNumber;
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string problem;
        if (line.size() > maxLineLength)
            problem = "longer than " + std::to_string(maxLineLength) + " characters";
        else if (line.find('\0') != std::string::npos)
            problem = "holds a NUL character";
        if (problem.empty()) {
            size_t first = line.find_first_not_of(blanks);
            if (first == std::string::npos || line[first] == '#')
                continue;
            InputCommand command;
            if (parseLine(line, command, problem)) {
                if (command.frame >= lastFrame) {
                    lastFrame = command.frame;
                    commands.push_back(command);
                    continue;
                }
                problem = "frame " + std::to_string(command.frame) + " comes after frame " +
                          std::to_string(lastFrame) + "; frames never go back";
            }
        }
        error = "line " + std::to_string(lineNumber) + ": " + problem;
        commands.clear();
        return false;
    }
    return true;
}

bool load(const std::string& path, std::vector<InputCommand>& commands, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = std::string("cannot be read: ") + std::strerror(errno);
        return false;
    }
    std::string text;
    char block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof(block), file)) > 0) {
        if (text.size() + got > maxScriptBytes) {
            std::fclose(file);
            error = "is larger than " + std::to_string(maxScriptBytes) + " bytes";
            return false;
        }
        text.append(block, got);
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = "cannot be read";
        return false;
    }
    return parse(text, commands, error);
}

std::string format(const InputCommand& command)
{
    std::string line = std::to_string(command.frame) + " ";
    for (const CommandWord& candidate : commandWords)
        if (candidate.kind == command.kind)
            line += candidate.word;
    switch (command.kind) {
    case InputCommand::Down:
    case InputCommand::Move:
    case InputCommand::Up:
    case InputCommand::DoubleClick:
        line += " " + std::to_string(command.x) + " " + std::to_string(command.y);
        break;
    case InputCommand::KeyDown:
    case InputCommand::KeyUp:
        line += " ";
        line += keyNameText(command.keyName) ? keyNameText(command.keyName) : std::to_string(command.key);
        break;
    case InputCommand::Shot:
        line += " " + command.path;
        break;
    default:
        break;
    }
    return line;
}

const char* keyNameText(int keyName)
{
    return keyName >= 0 && keyName < InputCommand::keyNameCount ? keyNames[keyName] : nullptr;
}

} // namespace InputScript
