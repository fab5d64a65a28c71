#ifndef PARVOLIN_BMP_LAYOUT_H
#define PARVOLIN_BMP_LAYOUT_H

#include "images/PixelRows.h"

#include <cstddef>
#include <cstdint>

// What a bitmap file's headers say, checked against the bytes that are really there.
struct BmpLayout {
    enum Compression : uint32_t { None = 0, RunLength8 = 1, RunLength4 = 2, BitFields = 3 };

    // One colour channel of a 16 or 32-bit pixel. A shift or loss of 32 or more gives 0.
    struct Channel {
        uint32_t mask;
        uint8_t shift;
        uint8_t loss; // 8 minus the mask's bits: what a narrow field lacks of a byte
        // 16 bits: the field moved up to the top of a byte.
        uint32_t widened(uint32_t pixel) const
        {
            if (shift >= 32 || loss >= 32)
                return 0;
            return ((pixel & mask) >> shift) << loss;
        }
        // 32 bits: the field's low byte as it stands.
        uint32_t lowByte(uint32_t pixel) const { return shift >= 32 ? 0 : ((pixel & mask) >> shift) & 0xFF; }
    };

    unsigned long width;
    unsigned long height;
    bool topDown;
    unsigned bitCount;
    uint32_t compression;
    PixelRows::ColorTable table; // the colour table, black beyond its entries
    Channel red, green, blue;
    const unsigned char* pixels; // the pixel data, `pixelBytes` of them
    uint64_t pixelBytes;
    uint64_t stride; // bytes per row of uncompressed data

    // Reads the headers, the colour table and the masks: 8 for anything short or
    // malformed (a side of 0, above the image limit, or a pixel area the file does not hold).
    long parse(const unsigned char* data, size_t size);
    // Surface row of the y-th row in the file's order.
    unsigned long surfaceRow(unsigned long y) const { return topDown ? y : height - 1 - y; }
};

#endif
