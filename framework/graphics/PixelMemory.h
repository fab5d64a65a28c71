#ifndef PARVOLIN_PIXEL_MEMORY_H
#define PARVOLIN_PIXEL_MEMORY_H

#include <cstddef>

// The allocator of surface pixels: 64-byte aligned blocks whose heap address is kept in
// the pointer-sized word just below the returned address.
namespace PixelMemory {

// Largest byte count a surface may ask for: what the 32-bit device could address. A
// request above it (or one whose size computation overflowed) is refused.
constexpr unsigned long long maxBytes = 0xFFFFFFFFull - 128;

// Null for a size of 0, a size above maxBytes, or when the heap fails. Not cleared.
void* allocate(unsigned long long size);
void release(void* block);

} // namespace PixelMemory

#endif
