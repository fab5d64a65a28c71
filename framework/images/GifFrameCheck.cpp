#include "images/GifFrameCheck.h"

#include "images/ByteOrder.h"
#include "images/DecodeTarget.h"

#include <cstdint>

namespace {

// The pixels all frames may claim together: four images of the largest size.
constexpr uint64_t pixelBudget = 4ull * DecodeTarget::maxSide * DecodeTarget::maxSide;

constexpr unsigned char imageBlock = 0x2C;
constexpr unsigned char extensionBlock = 0x21;

// Skips a colour table when the packed field says there is one; false when it breaks off.
bool skipColorTable(size_t& at, size_t size, unsigned packed)
{
    if (packed & 0x80)
        at += 3u << ((packed & 7) + 1);
    return at <= size;
}

// Skips a chain of sub-blocks up to its empty terminator; false when it breaks off.
bool skipSubBlocks(const unsigned char* data, size_t& at, size_t size)
{
    while (at < size) {
        unsigned length = data[at++];
        if (length == 0)
            return true;
        at += length;
    }
    return false;
}

} // namespace

bool gifFramesFit(const unsigned char* data, size_t size)
{
    const size_t screenDescriptorEnd = 13;
    if (size < screenDescriptorEnd)
        return true;
    size_t at = screenDescriptorEnd;
    if (!skipColorTable(at, size, data[10]))
        return true;
    uint64_t claimed = 0;
    while (at < size) {
        unsigned char block = data[at++];
        if (block == imageBlock) {
            if (size - at < 9)
                return true;
            uint16_t width = ByteOrder::le16(data + at + 4);
            uint16_t height = ByteOrder::le16(data + at + 6);
            if (width > DecodeTarget::maxSide || height > DecodeTarget::maxSide)
                return false;
            claimed += static_cast<uint64_t>(width) * height;
            if (claimed > pixelBudget)
                return false;
            unsigned packed = data[at + 8];
            at += 9;
            // The table, then the code size byte before the image data.
            if (!skipColorTable(at, size, packed) || ++at > size || !skipSubBlocks(data, at, size))
                return true;
        } else if (block == extensionBlock) {
            if (++at > size || !skipSubBlocks(data, at, size))
                return true;
        } else {
            // The trailer, or something giflib will refuse.
            return true;
        }
    }
    return true;
}
