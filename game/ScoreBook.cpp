#include "ScoreBook.h"

#include <Parvolin/Parvolin.h>

#include <cstdio>

ScoreBook::ScoreBook(const wchar_t* path) : path(path), played(false), last(0), best(0) { load(); }

void ScoreBook::record(int32_t score)
{
    played = true;
    last = score;
    if (score > best) {
        best = score;
        save();
    }
}

void ScoreBook::load()
{
    FileSystemManager files;
    File file;
    if (files.resolveFile(&file, path) != 0 || file.open(FileMode::Read) != 0)
        return;
    char text[longestText + 1] = {};
    const long got = file.read(text, longestText + 1);
    file.close();
    if (got <= 0 || got > static_cast<long>(longestText))
        return;
    int64_t value = 0;
    long i = 0;
    for (; i < got && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT32_MAX)
            return;
    }
    // Digits, then at most a line end.
    if (i == 0 || (i < got && !(text[i] == '\n' && i + 1 == got)))
        return;
    best = static_cast<int32_t>(value);
}

void ScoreBook::save()
{
    FileSystemManager files;
    File file;
    if (files.resolveFile(&file, path) != 0 ||
        file.open(FileMode::Write | FileMode::Create | FileMode::Truncate) != 0)
        return;
    char text[longestText + 1];
    const int length = std::snprintf(text, sizeof(text), "%ld\n", static_cast<long>(best));
    file.write(text, static_cast<unsigned long>(length));
    file.close();
}
