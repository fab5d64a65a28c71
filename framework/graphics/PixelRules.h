#ifndef PARVOLIN_PIXEL_RULES_H
#define PARVOLIN_PIXEL_RULES_H

#include <cstdint>

// The pixel rules of the whole library, each written once as plain scalar code. They are
// the definition: any faster kernel must give exactly the same bits.
namespace PixelRules {

// COLORREF 0x00BBGGRR to RGB565, keeping the top bits of each channel.
inline uint16_t toNative(unsigned long colorref)
{
    return static_cast<uint16_t>(((colorref & 0xF8) << 8) | ((colorref >> 5) & 0x07E0) |
                                 ((colorref >> 19) & 0x1F));
}

// RGB565 to COLORREF, each field moved to the top of its byte without bit replication.
inline unsigned long toColorref(unsigned long native)
{
    return ((native >> 8) & 0xF8) | (((native >> 3) & 0xFC) << 8) | (((native << 3) & 0xF8) << 16);
}

// RGB565 to RGB555: blue stays, red and the upper five bits of green move down one bit,
// the lowest green bit is dropped.
inline uint16_t toRgb555(uint32_t p) { return static_cast<uint16_t>((p & 0x001F) | ((p & 0xFFC0) >> 1)); }

// Colour c over destination d with weight a (0..63): each channel d + floor((c - d) * a / 64).
// Red and blue share one multiplication; the fields cannot borrow from each other because
// the partial products that spill below the red field stay within the masked-out green bits.
inline uint16_t blend(uint32_t c, uint32_t d, uint32_t a)
{
    uint32_t rb = (d & 0xF81F) + ((((c & 0xF81F) - (d & 0xF81F)) * a) >> 6);
    uint32_t g = (d & 0x07E0) + ((((c & 0x07E0) - (d & 0x07E0)) * a) >> 6);
    return static_cast<uint16_t>((rb & 0xF81F) | (g & 0x07E0));
}

// The exact half of c and d: each channel's lowest bit is dropped before halving so that
// no channel borrows from its neighbour.
inline uint16_t half(uint32_t c, uint32_t d)
{
    return static_cast<uint16_t>(((c & 0xF7DF) >> 1) + ((d & 0xF7DF) >> 1));
}

// The opacity rule of the drawing primitives (opacity 1..255; 0 is handled by the caller):
// 255 writes, 128 halves, every other value blends with weight opacity >> 2.
inline uint16_t applyOpacity(uint32_t c, uint32_t d, unsigned long opacity)
{
    if (opacity >= 255)
        return static_cast<uint16_t>(c);
    if (opacity == 128)
        return half(c, d);
    return blend(c, d, static_cast<uint32_t>(opacity >> 2));
}

} // namespace PixelRules

#endif
