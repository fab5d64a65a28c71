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

// The weight an alpha-plane pixel carries: its 6-bit green field (red and blue do not count).
inline uint32_t alphaWeight(uint32_t alphaPixel) { return (alphaPixel >> 5) & 63; }

// A colour-keyed source pixel: key-coloured pixels let the destination show through.
inline uint16_t keyed(uint32_t d, uint32_t s, uint32_t key) { return static_cast<uint16_t>(s == key ? d : s); }

// A silhouette: every non-key source pixel painted in one colour.
inline uint16_t fillKeyed(uint32_t d, uint32_t s, uint32_t key, uint32_t fill)
{
    return static_cast<uint16_t>(s == key ? d : fill);
}

// The key-coloured background painted, the sprite kept.
inline uint16_t fillBackground(uint32_t s, uint32_t key, uint32_t fill)
{
    return static_cast<uint16_t>(s == key ? fill : s);
}

// The channels of a native pixel moved to the top of a byte (low bits zero), and 8-bit
// channels packed back by truncation.
inline uint32_t red8(uint32_t p) { return (p >> 8) & 0xF8; }
inline uint32_t green8(uint32_t p) { return (p >> 3) & 0xFC; }
inline uint32_t blue8(uint32_t p) { return (p & 0x1F) << 3; }
inline uint16_t pack8(uint32_t r, uint32_t g, uint32_t b)
{
    return static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | ((b & 0xFF) >> 3));
}

// Tint: each channel scaled by k / 256, except that a factor of exactly 255 keeps it.
inline uint32_t multiplyChannel(uint32_t c, uint32_t k) { return k == 255 ? c : (k * c) >> 8; }

// Overlay: darkens the lower half of a channel and lightens the upper half.
inline uint32_t overlayChannel(uint32_t c, uint32_t k)
{
    return c < 128 ? (k * c) >> 7 : 255 - (((255 - k) * (255 - c)) >> 7);
}

// Screen: moves the channel toward white by k / 256 of the distance.
inline uint32_t screenChannel(uint32_t c, uint32_t k) { return c + (((255 - c) * k) >> 8); }

// Applies one channel rule with the factors (kr, kg, kb) to the expanded channels of p.
template <uint32_t (*rule)(uint32_t, uint32_t)>
inline uint16_t perChannel(uint32_t p, uint32_t kr, uint32_t kg, uint32_t kb)
{
    return pack8(rule(red8(p), kr), rule(green8(p), kg), rule(blue8(p), kb));
}

// Luma with weights 77, 150, 29 (out of 256) in all three channels. The blue term 29 * B8
// is 232 * B5, the same value.
inline uint16_t grayScale(uint32_t p)
{
    uint32_t y = (77 * red8(p) + 150 * green8(p) + 232 * (p & 0x1F)) >> 8;
    return pack8(y, y, y);
}

// Y'CbCr to RGB565 for video: the clamping table holds 0 for indices -384..-1, the index
// itself for 0..255 and 255 for 256..639, which covers every sum the rule below can make,
// so no comparison is needed per pixel.
struct ClampTable {
    uint8_t entries[1024];
};

constexpr ClampTable makeClampTable()
{
    ClampTable table = {};
    for (int i = 0; i < 1024; ++i)
        table.entries[i] = static_cast<uint8_t>(i < 384 ? 0 : i > 639 ? 255 : i - 384);
    return table;
}

inline constexpr ClampTable clampTable = makeClampTable();

// clamp[v] is v limited to 0..255, for v from -384 to 639.
inline const uint8_t* const clamp = clampTable.entries + 384;

// What one U and one V sample add to each of the four luma samples of a 2x2 block: red
// has no rounding constant, green and blue add 128 before the shift.
struct ChromaTerms {
    int32_t red;
    int32_t green;
    int32_t blue;
};

inline ChromaTerms chromaTerms(int32_t u, int32_t v)
{
    return {409 * (v - 128), -208 * (v - 128) - 100 * (u - 128) + 128, 516 * (u - 128) + 128};
}

// One luma sample with its block's chroma terms (arithmetic right shifts).
inline uint16_t yuvToNative(int32_t y, const ChromaTerms& chroma)
{
    const int32_t luma = 298 * (y - 16);
    return pack8(clamp[(luma + chroma.red) >> 8], clamp[(luma + chroma.green) >> 8], clamp[(luma + chroma.blue) >> 8]);
}

} // namespace PixelRules

#endif
