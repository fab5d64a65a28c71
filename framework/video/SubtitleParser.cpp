#include "video/SubtitleParser.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "video/SubtitleList.h"

#include <climits>
#include <cwchar>
#include <cwctype>
#include <new>

namespace {

// A copy of the line's text for an entry to own; null when memory runs out.
wchar_t* copyText(const wchar_t* text, long length)
{
    wchar_t* copy = new (std::nothrow) wchar_t[static_cast<size_t>(length) + 1];
    if (copy) {
        std::wmemcpy(copy, text, static_cast<size_t>(length));
        copy[length] = 0;
    }
    return copy;
}

// ((hours x 60 + minutes) x 60 + seconds) x 1000 + milliseconds; the two-digit and
// three-digit fields keep this far inside 32 bits, and a negative field wraps as the
// unsigned time it gives.
uint32_t milliseconds(int hours, int minutes, int seconds, int millis)
{
    return static_cast<uint32_t>(((hours * 60 + minutes) * 60 + seconds) * 1000 + millis);
}

} // namespace

SubtitleParser::SubtitleParser(File* file)
    : file(file), block(), blockLength(0), blockPosition(0), ahead(), aheadCount(0)
{
}

bool SubtitleParser::readTimes(const wchar_t* line, uint32_t& start, uint32_t& end)
{
    int h1, m1, s1, ms1, h2, m2, s2, ms2;
    if (std::swscanf(line, L"%2d:%2d:%2d,%3d --> %2d:%2d:%2d,%3d", &h1, &m1, &s1, &ms1, &h2, &m2, &s2, &ms2) != 8)
        return false;
    start = milliseconds(h1, m1, s1, ms1);
    end = milliseconds(h2, m2, s2, ms2);
    return true;
}

int32_t SubtitleParser::readIndex(const wchar_t* line)
{
    // What "%d" reads, without its undefined behaviour on numbers too long for an int.
    while (std::iswspace(static_cast<wint_t>(*line)))
        ++line;
    bool negative = *line == L'-';
    if (*line == L'-' || *line == L'+')
        ++line;
    int64_t value = 0;
    for (; *line >= L'0' && *line <= L'9'; ++line)
        if (value <= INT32_MAX)
            value = value * 10 + (*line - L'0');
    value = negative ? -value : value;
    return static_cast<int32_t>(value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : value);
}

bool SubtitleParser::nextLine(Line& line)
{
    if (aheadCount > 0) {
        line = ahead[0];
        ahead[0] = ahead[1];
        --aheadCount;
        return true;
    }
    // As File::readLine: carriage returns skipped, the line feed consumed, at most maxLine
    // characters (the next byte stays for the next line).
    long stored = 0;
    line.last = false;
    while (stored < static_cast<long>(maxLine)) {
        if (blockPosition == blockLength) {
            long got = file->read(block, sizeof block);
            if (got < 0)
                return false;
            if (got == 0) {
                line.last = true;
                break;
            }
            blockLength = static_cast<unsigned long>(got);
            blockPosition = 0;
        }
        unsigned char byte = block[blockPosition++];
        if (byte == '\n')
            break;
        if (byte != '\r')
            line.text[stored++] = static_cast<wchar_t>(byte);
    }
    line.text[stored] = 0;
    line.length = stored;
    return true;
}

void SubtitleParser::giveBack(const Line& line) { ahead[aheadCount++] = line; }

long SubtitleParser::parse(SubtitleList& list)
{
    Line line;
    for (;;) {
        if (!nextLine(line))
            return ResultCode::SubtitleError;
        // Blank lines between entries are passed over; an empty read at the end ends it.
        if (line.length == 0) {
            if (line.last)
                return ResultCode::Ok;
            continue;
        }
        if (long result = readEntry(line, list))
            return result;
    }
}

long SubtitleParser::readEntry(const Line& numberLine, SubtitleList& list)
{
    SubtitleEntry* entry = SubtitleList::newEntry();
    if (!entry)
        return ResultCode::OutOfMemory;
    entry->index = readIndex(numberLine.text);
    Line line;
    long result = ResultCode::SubtitleError;
    if (nextLine(line) && readTimes(line.text, entry->start, entry->end) && nextLine(line) && line.length > 0) {
        entry->firstLine = copyText(line.text, line.length);
        result = entry->firstLine ? readTextLines(*entry) : ResultCode::OutOfMemory;
    }
    if (result != ResultCode::Ok) {
        SubtitleList::deleteEntry(entry);
        return result;
    }
    list.append(entry);
    return ResultCode::Ok;
}

long SubtitleParser::readTextLines(SubtitleEntry& entry)
{
    Line candidate;
    if (!nextLine(candidate))
        return ResultCode::SubtitleError;
    // Up to the blank line (or the end): the first line is the second text line, the rest
    // are passed over. A line followed by a time line is the next entry's number line.
    while (candidate.length > 0) {
        Line following;
        if (!nextLine(following))
            return ResultCode::SubtitleError;
        uint32_t start, end;
        if (following.length > 0 && readTimes(following.text, start, end)) {
            giveBack(candidate);
            giveBack(following);
            return ResultCode::Ok;
        }
        if (!entry.secondLine) {
            entry.secondLine = copyText(candidate.text, candidate.length);
            if (!entry.secondLine)
                return ResultCode::OutOfMemory;
        }
        candidate = following;
    }
    return ResultCode::Ok;
}
