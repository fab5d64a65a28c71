#include "graphics/PixelMemory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace PixelMemory {

namespace {
constexpr uintptr_t alignment = 64;
// Room for the alignment and for the heap address stored below the aligned block.
constexpr size_t overhead = alignment - 1 + sizeof(void*);
} // namespace

void* allocate(unsigned long long size)
{
    if (size == 0 || size > maxBytes)
        return nullptr;
    void* heap = std::malloc(static_cast<size_t>(size) + overhead);
    if (!heap)
        return nullptr;
    uintptr_t aligned = (reinterpret_cast<uintptr_t>(heap) + overhead) & ~(alignment - 1);
    std::memcpy(reinterpret_cast<void*>(aligned - sizeof(void*)), &heap, sizeof(void*));
    return reinterpret_cast<void*>(aligned);
}

void release(void* block)
{
    if (!block)
        return;
    void* heap;
    std::memcpy(&heap, static_cast<char*>(block) - sizeof(void*), sizeof(void*));
    std::free(heap);
}

} // namespace PixelMemory
