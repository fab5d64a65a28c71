#include "platform/device/EmulatedScreen.h"

#include "platform/base/Clock.h"
#include "platform/base/Host.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace {
// Far more than any handheld's screen; a profile describing more is refused.
constexpr size_t maxFrameBufferBytes = 64u << 20;
constexpr uint64_t refreshNanoseconds = 1000000000ull / 60;

struct Current {
    std::unique_ptr<EmulatedScreen> screen;
    FrameBufferLayout layout = {};
    bool tried = false;
    std::string failure;
};

Current& currentScreen()
{
    static Current instance;
    return instance;
}

std::string hex(uintptr_t value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "0x%llX", static_cast<unsigned long long>(value));
    return text;
}
} // namespace

bool sameLayout(const FrameBufferLayout& a, const FrameBufferLayout& b)
{
    return a.width == b.width && a.height == b.height && a.xPitch == b.xPitch && a.yPitch == b.yPitch &&
           a.bitsPerPixel == b.bitsPerPixel && a.format == b.format && a.fixedAddress == b.fixedAddress;
}

FrameBufferSpan spanOf(const FrameBufferLayout& layout)
{
    FrameBufferSpan span;
    if (layout.width == 0 || layout.height == 0 || layout.bitsPerPixel == 0 || layout.bitsPerPixel % 8 ||
        layout.bitsPerPixel > 32)
        return span;
    long long right = static_cast<long long>(layout.width - 1) * layout.xPitch;
    long long down = static_cast<long long>(layout.height - 1) * layout.yPitch;
    long long lowest = std::min(0LL, right) + std::min(0LL, down);
    long long highest = std::max(0LL, right) + std::max(0LL, down) + layout.bitsPerPixel / 8;
    if (static_cast<unsigned long long>(highest - lowest) > maxFrameBufferBytes)
        return span;
    span.lowest = static_cast<ptrdiff_t>(lowest);
    span.bytes = static_cast<size_t>(highest - lowest);
    return span;
}

// The bytes behind the glass: ordinary memory, or pages mapped at the address where the
// device's hardware has its frame buffer (programs for it write there directly).
class EmulatedScreen::Memory {
public:
    static std::unique_ptr<Memory> anywhere(size_t bytes)
    {
        unsigned char* bytesAt = new (std::nothrow) unsigned char[bytes]();
        return bytesAt ? std::unique_ptr<Memory>(new Memory(bytesAt, bytes, nullptr, 0)) : nullptr;
    }

    static std::unique_ptr<Memory> at(uintptr_t start, size_t bytes, std::string& why)
    {
        uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
        uintptr_t first = start / page * page;
        size_t length = (start + bytes + page - 1) / page * page - first;
        void* wanted = reinterpret_cast<void*>(first);
        void* mapped = mmap(wanted, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE,
                            -1, 0);
        if (mapped == MAP_FAILED || mapped != wanted) {
            int error = mapped == MAP_FAILED ? errno : EEXIST;
            // An old kernel ignores the flag and maps elsewhere: that is no use either.
            if (mapped != MAP_FAILED)
                munmap(mapped, length);
            why = "the pages from " + hex(first) + " to " + hex(first + length) + " cannot be mapped (" +
                  std::strerror(error) + ")";
            return nullptr;
        }
        return std::unique_ptr<Memory>(
            new Memory(reinterpret_cast<unsigned char*>(start), bytes, static_cast<unsigned char*>(mapped), length));
    }

    ~Memory()
    {
        if (mapping)
            munmap(mapping, mappingLength);
        else
            delete[] bytes;
    }

    unsigned char* const bytes;
    const size_t size;

private:
    Memory(unsigned char* bytes, size_t size, unsigned char* mapping, size_t mappingLength)
        : bytes(bytes), size(size), mapping(mapping), mappingLength(mappingLength)
    {
    }

    unsigned char* const mapping;
    const size_t mappingLength;
};

EmulatedScreen::EmulatedScreen(const FrameBufferLayout& layout, std::unique_ptr<Memory> storage,
                               ptrdiff_t originOffset)
    : frameLayout(layout), storage(std::move(storage)), memory(this->storage->bytes),
      memoryBytes(this->storage->size), originOffset(originOffset)
{
}

EmulatedScreen::~EmulatedScreen() = default;

std::unique_ptr<EmulatedScreen> EmulatedScreen::make(const DeviceProfile& device, std::string& why)
{
    const FrameBufferLayout& layout = device.frameBuffer;
    FrameBufferSpan span = spanOf(layout);
    if (span.bytes == 0) {
        why = "its frame buffer layout describes no usable memory";
        return nullptr;
    }
    std::unique_ptr<Memory> storage;
    if (layout.fixedAddress) {
        uintptr_t start = layout.fixedAddress + static_cast<uintptr_t>(span.lowest);
        storage = Memory::at(start, span.bytes, why);
        if (!storage) {
            why = "its frame buffer belongs at " + hex(layout.fixedAddress) +
                  ", where programs write it directly, but " + why;
#if defined(__SANITIZE_ADDRESS__)
            why += "; AddressSanitizer keeps that address range for itself";
#endif
            return nullptr;
        }
    } else {
        storage = Memory::anywhere(span.bytes);
        if (!storage) {
            why = "there is no memory for its frame buffer";
            return nullptr;
        }
    }
    return std::unique_ptr<EmulatedScreen>(new (std::nothrow) EmulatedScreen(layout, std::move(storage), -span.lowest));
}

EmulatedScreen* EmulatedScreen::current()
{
    Current& state = currentScreen();
    const DeviceProfile& device = DeviceProfiles::current();
    if (state.tried && sameLayout(state.layout, device.frameBuffer))
        return state.screen.get();
    // The old screen goes first: a fixed address can only be mapped once.
    state.screen.reset();
    state.layout = device.frameBuffer;
    state.tried = true;
    state.failure.clear();
    state.screen = make(device, state.failure);
    if (!state.screen) {
        if (state.failure.empty())
            state.failure = "there is no memory for its screen";
        state.failure = std::string("the device ") + device.name + " cannot be emulated here: " + state.failure;
        std::fprintf(stderr, "Parvolin: %s\n", state.failure.c_str());
    }
    return state.screen.get();
}

std::string EmulatedScreen::failureReason() { return currentScreen().failure; }

unsigned char* EmulatedScreen::originFor(const FrameBufferLayout& description) const
{
    FrameBufferSpan span = spanOf(description);
    if (span.bytes == 0 || span.bytes > memoryBytes)
        return nullptr;
    return memory - span.lowest;
}

uint32_t EmulatedScreen::rawPixel(uint32_t x, uint32_t y) const
{
    if (x >= frameLayout.width || y >= frameLayout.height)
        return 0;
    const unsigned char* at = origin() + static_cast<ptrdiff_t>(x) * frameLayout.xPitch +
                              static_cast<ptrdiff_t>(y) * frameLayout.yPitch;
    uint32_t value = 0;
    std::memcpy(&value, at, frameLayout.bitsPerPixel / 8);
    return value;
}

void EmulatedScreen::present()
{
    lastPresent = Clock::current().nanoseconds();
    Hosts::current().present(*this);
}

void EmulatedScreen::scanOut()
{
    // Only a screen that exists: the program may never have asked for one.
    Current& state = currentScreen();
    EmulatedScreen* screen = state.screen.get();
    if (!screen || !sameLayout(state.layout, DeviceProfiles::current().frameBuffer))
        return;
    if (Clock::current().nanoseconds() - screen->lastPresent >= refreshNanoseconds)
        screen->present();
}
