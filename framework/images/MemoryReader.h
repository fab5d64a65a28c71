#ifndef PARVOLIN_MEMORY_READER_H
#define PARVOLIN_MEMORY_READER_H

#include <cstddef>
#include <cstring>

// Serves an encoded image held in memory to a library's read callback: a read copies what
// is left up to the count asked for, and nothing once the end is reached.
struct MemoryReader {
    const unsigned char* current;
    const unsigned char* end;

    size_t read(void* out, size_t count)
    {
        size_t left = static_cast<size_t>(end - current);
        size_t copied = count < left ? count : left;
        if (copied) {
            std::memcpy(out, current, copied);
            current += copied;
        }
        return copied;
    }
};

#endif
