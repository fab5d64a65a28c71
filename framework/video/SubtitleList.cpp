#include "video/SubtitleList.h"

#include <new>

SubtitleList::SubtitleList() : first(nullptr), last(nullptr), current(nullptr) {}

SubtitleList::~SubtitleList()
{
    // One by one rather than each entry deleting the next: a long file must not take a
    // stack frame per entry.
    while (first) {
        SubtitleEntry* next = first->next;
        deleteEntry(first);
        first = next;
    }
}

void SubtitleList::append(SubtitleEntry* entry)
{
    entry->next = nullptr;
    if (last)
        last->next = entry;
    else
        first = entry;
    last = entry;
}

SubtitleEntry* SubtitleList::due(uint32_t timeMs)
{
    while (current && current->end < timeMs)
        current = current->next;
    if (!current || current->start >= timeMs)
        return nullptr;
    return current;
}

SubtitleEntry* SubtitleList::newEntry()
{
    SubtitleEntry* entry = new (std::nothrow) SubtitleEntry();
    return entry;
}

void SubtitleList::deleteEntry(SubtitleEntry* entry)
{
    if (!entry)
        return;
    delete[] entry->firstLine;
    delete[] entry->secondLine;
    delete entry;
}
