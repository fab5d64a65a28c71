#include "AllocationFaults.h"

#include <cstdlib>
#include <new>

namespace {
bool armed = false;
bool happened = false;
unsigned long target = 0;
unsigned long nothrowAllocations = 0;
unsigned long throwingAllocations = 0;

void* allocate(std::size_t size)
{
    return std::malloc(size ? size : 1);
}

void* allocateOrFail(std::size_t size)
{
    if (armed && ++nothrowAllocations == target) {
        happened = true;
        return nullptr;
    }
    return allocate(size);
}

void* allocateOrThrow(std::size_t size)
{
    if (armed)
        ++throwingAllocations;
    void* memory = allocate(size);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}
} // namespace

namespace AllocationFaults {
void failAt(unsigned long n)
{
    armed = true;
    happened = false;
    target = n;
    nothrowAllocations = 0;
    throwingAllocations = 0;
}
bool disarm()
{
    armed = false;
    return happened;
}
unsigned long nothrowCount() { return nothrowAllocations; }
unsigned long throwingCount() { return throwingAllocations; }
} // namespace AllocationFaults

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocateOrFail(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocateOrFail(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
