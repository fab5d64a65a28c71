#ifndef PARVOLIN_FUZZ_INPUT_H
#define PARVOLIN_FUZZ_INPUT_H

// Takes numbers off the front of a fuzz input; past its end every number is 0, so any
// input, however short, is a whole run.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data(data), size(size), at(0) {}

    bool empty() const { return at >= size; }
    size_t left() const { return at < size ? size - at : 0; }

    uint8_t byte() { return at < size ? data[at++] : 0; }
    uint16_t u16() { return static_cast<uint16_t>(byte() | byte() << 8); }
    uint32_t u32() { return static_cast<uint32_t>(u16()) | static_cast<uint32_t>(u16()) << 16; }
    // Below `bound` (which must not be 0).
    unsigned below(unsigned bound) { return (bound <= 256 ? byte() : u16()) % bound; }

    // A coordinate: mostly small, now and then one of the extremes of its type, so that
    // both the common cases and the limits are reached.
    long position()
    {
        switch (byte() % 16) {
        case 0: return LONG_MIN;
        case 1: return LONG_MAX;
        case 2: return INT32_MIN;
        case 3: return INT32_MAX;
        case 4: return static_cast<long>(static_cast<int32_t>(u32()));
        default: return static_cast<long>(static_cast<int16_t>(u16()) % 400);
        }
    }
    int32_t coordinate()
    {
        switch (byte() % 16) {
        case 0: return INT32_MIN;
        case 1: return INT32_MAX;
        case 2: return static_cast<int32_t>(u32());
        default: return static_cast<int32_t>(static_cast<int16_t>(u16()) % 400);
        }
    }

    // The rest of the input, or `count` bytes of it.
    std::string bytes(size_t count)
    {
        size_t take = count < left() ? count : left();
        std::string out(reinterpret_cast<const char*>(data + at), take);
        at += take;
        return out;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t at;
};

#endif
