#include "pixels/RowKernels.h"

#include "pixels/PixelRules.h"
#include "pixels/VectorKernels.h"

#include <cstring>

namespace RowKernels {

namespace plain {

void fill(uint16_t* row, size_t count, uint16_t color)
{
    // One pixel on its own when the row starts between two 32-bit words, then two pixels
    // per 32-bit half of a 64-bit store, four stores of eight pixels per step.
    if (count && (reinterpret_cast<uintptr_t>(row) & 2)) {
        *row++ = color;
        --count;
    }
    uint64_t pair = color | (static_cast<uint32_t>(color) << 16);
    uint64_t quad = pair | (pair << 32);
    size_t steps = count / 8;
    for (size_t i = 0; i < steps; ++i) {
        std::memcpy(row, &quad, 8);
        std::memcpy(row + 4, &quad, 8);
        row += 8;
    }
    for (size_t i = 0; i < count % 8; ++i)
        row[i] = color;
}

void half(uint16_t* row, size_t count, uint16_t color)
{
    // The colour's half is the same for every pixel; only the destination's is computed.
    uint16_t colorHalf = static_cast<uint16_t>((color & 0xF7DF) >> 1);
    size_t steps = count / 8;
    for (size_t i = 0; i < steps; ++i) {
        for (int k = 0; k < 8; ++k)
            row[k] = static_cast<uint16_t>(colorHalf + ((row[k] & 0xF7DF) >> 1));
        row += 8;
    }
    for (size_t i = 0; i < count % 8; ++i)
        row[i] = PixelRules::half(color, row[i]);
}

void blend(uint16_t* row, size_t count, uint16_t color, uint32_t weight)
{
    if (weight == 0)
        return;
    const uint32_t colorRB = color & 0xF81F;
    const uint32_t colorG = color & 0x07E0;
    size_t steps = count / 8;
    for (size_t i = 0; i < steps; ++i) {
        for (int k = 0; k < 8; ++k) {
            uint32_t d = row[k];
            uint32_t rb = (d & 0xF81F) + (((colorRB - (d & 0xF81F)) * weight) >> 6);
            uint32_t g = (d & 0x07E0) + (((colorG - (d & 0x07E0)) * weight) >> 6);
            row[k] = static_cast<uint16_t>((rb & 0xF81F) | (g & 0x07E0));
        }
        row += 8;
    }
    for (size_t i = 0; i < count % 8; ++i)
        row[i] = PixelRules::blend(color, row[i], weight);
}

} // namespace plain

void fill(uint16_t* row, size_t count, uint16_t color)
{
    if (auto kernel = vectorKernels().fill)
        kernel(row, count, color);
    else
        plain::fill(row, count, color);
}

void half(uint16_t* row, size_t count, uint16_t color)
{
    if (auto kernel = vectorKernels().half)
        kernel(row, count, color);
    else
        plain::half(row, count, color);
}

void blend(uint16_t* row, size_t count, uint16_t color, uint32_t weight)
{
    if (auto kernel = vectorKernels().blend)
        kernel(row, count, color, weight);
    else
        plain::blend(row, count, color, weight);
}

void apply(uint16_t* row, size_t count, uint16_t color, unsigned long opacity)
{
    if (opacity >= 255)
        fill(row, count, color);
    else if (opacity == 128)
        half(row, count, color);
    else
        blend(row, count, color, static_cast<uint32_t>(opacity >> 2));
}

} // namespace RowKernels
