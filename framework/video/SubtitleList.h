#ifndef PARVOLIN_SUBTITLE_LIST_H
#define PARVOLIN_SUBTITLE_LIST_H

#include <cstdint>

// One subtitle: shown while start < playing time <= end (milliseconds from the beginning
// of the video). The second line may be null.
struct SubtitleEntry {
    int32_t index;
    uint32_t start;
    uint32_t end;
    wchar_t* firstLine;
    wchar_t* secondLine;
    SubtitleEntry* next;
};

// The subtitles of one file in file order, and the entry playing has reached: it only
// moves forward, so the list follows one forward playback.
class SubtitleList {
public:
    SubtitleList();
    // Releases every entry and its lines.
    ~SubtitleList();
    SubtitleList(const SubtitleList&) = delete;
    SubtitleList& operator=(const SubtitleList&) = delete;

    // Takes `entry` (with its lines) as the last entry.
    void append(SubtitleEntry* entry);
    // Back to the first entry.
    void rewind() { current = first; }
    // The entry due at `timeMs`, or null: entries that ended before it are passed for good.
    SubtitleEntry* due(uint32_t timeMs);

    SubtitleEntry* getFirst() const { return first; }

    // An entry with no lines, or null when memory runs out.
    static SubtitleEntry* newEntry();
    static void deleteEntry(SubtitleEntry* entry);

private:
    SubtitleEntry* first;
    SubtitleEntry* last;
    SubtitleEntry* current;
};

#endif
