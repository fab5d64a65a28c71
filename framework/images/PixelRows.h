#ifndef PARVOLIN_PIXEL_ROWS_H
#define PARVOLIN_PIXEL_ROWS_H

#include "pixels/PixelRules.h"
#include "pixels/VectorKernels.h"

#include <cstddef>
#include <cstdint>

// Rows of decoded samples turned into RGB565 by the one conversion rule (PixelRules::pack8:
// the top bits of each channel, no rounding, no dithering).
namespace PixelRows {

// Pixels of `step` bytes whose red, green and blue bytes sit at offsets r, g and b.
template <size_t step, size_t r, size_t g, size_t b>
inline void pack(const uint8_t* in, size_t count, uint16_t* out)
{
    for (size_t i = 0; i < count; ++i, in += step)
        out[i] = PixelRules::pack8(in[r], in[g], in[b]);
}

// 4-byte pixels (RGBX or RGBA): the processor's kernel where it has one.
inline void packRgbx(const uint8_t* in, size_t count, uint16_t* out)
{
    if (auto kernel = vectorKernels().packRgbx)
        kernel(in, count, out);
    else
        pack<4, 0, 1, 2>(in, count, out);
}

// 3-byte pixels (RGB): the processor's kernel where it has one.
inline void packRgb(const uint8_t* in, size_t count, uint16_t* out)
{
    if (auto kernel = vectorKernels().packRgb)
        kernel(in, count, out);
    else
        pack<3, 0, 1, 2>(in, count, out);
}

// An 8-bit opacity every `step` bytes as the grey pixel of an alpha plane.
inline void opacity(const uint8_t* in, size_t step, size_t count, uint16_t* out)
{
    for (size_t i = 0; i < count; ++i, in += step)
        out[i] = PixelRules::pack8(in[0], in[0], in[0]);
}

// A row of fully opaque alpha-plane pixels.
inline void opaque(size_t count, uint16_t* out)
{
    for (size_t i = 0; i < count; ++i)
        out[i] = 0xFFFF;
}

// 256 RGB565 colours indexed by a byte sample: a palette, black beyond its entries, or the
// grey ramp.
struct ColorTable {
    uint16_t colors[256];

    ColorTable()
    {
        for (uint16_t& color : colors)
            color = 0;
    }
    void set(size_t index, uint8_t red, uint8_t green, uint8_t blue)
    {
        colors[index] = PixelRules::pack8(red, green, blue);
    }
    void setGreyRamp()
    {
        for (size_t v = 0; v < 256; ++v)
            set(v, static_cast<uint8_t>(v), static_cast<uint8_t>(v), static_cast<uint8_t>(v));
    }
    // Byte samples every `step` bytes looked up.
    void lookUp(const uint8_t* in, size_t step, size_t count, uint16_t* out) const
    {
        for (size_t i = 0; i < count; ++i, in += step)
            out[i] = colors[*in];
    }
};

} // namespace PixelRows

#endif
