#ifndef PARVOLIN_SUBTITLE_PARSER_H
#define PARVOLIN_SUBTITLE_PARSER_H

#include <cstdint>

class File;
class SubtitleList;
struct SubtitleEntry;

// Reads SubRip subtitles from an open File. Each byte is one character (the file's bytes
// become the characters of the same codes, so a Latin-1 file keeps its letters); carriage
// returns are skipped; a line holds at most 127 characters and a longer one reads as
// several. An entry is a number line, a time line "h:m:s,ms --> h:m:s,ms", one or two text
// lines and a blank line. Further text lines are passed over up to the blank line; a line
// followed by a time line starts the next entry, so a missing blank line loses nothing.
class SubtitleParser {
public:
    static constexpr unsigned long maxLine = 127;

    explicit SubtitleParser(File* file);

    // Appends the file's entries to `list`: 0; 49 for a read error, a time line that does
    // not match, or an entry without text; 4 when memory runs out.
    long parse(SubtitleList& list);

    // Whether `line` is a time line; its two times in milliseconds.
    static bool readTimes(const wchar_t* line, uint32_t& start, uint32_t& end);
    // The number at the start of a number line ("%d"), 0 when there is none.
    static int32_t readIndex(const wchar_t* line);

private:
    struct Line {
        wchar_t text[maxLine + 1];
        long length;
        // The file had nothing more after this line.
        bool last;
    };

    // The next line, lines given back first; false on a read error.
    bool nextLine(Line& line);
    void giveBack(const Line& line);
    long readEntry(const Line& numberLine, SubtitleList& list);
    long readTextLines(SubtitleEntry& entry);

    File* file;
    // The file is read a block at a time: one system call per line, or per byte, would
    // make a long file slow.
    unsigned char block[4096];
    unsigned long blockLength;
    unsigned long blockPosition;
    // Lines read ahead that belong to the next entry, oldest first.
    Line ahead[2];
    int aheadCount;
};

#endif
