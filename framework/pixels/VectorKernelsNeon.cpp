// The NEON kernels: eight RGB565 pixels fill one 128-bit register. Advanced SIMD is part
// of every 64-bit ARM processor, so no run-time detection is needed. The build compiles
// this file for aarch64 only, in place of the SSE2 and AVX2 ones.
#include "pixels/VectorKernels.h"

#include "pixels/BlitKernels.h"
#include "pixels/PixelRules.h"
#include "pixels/YuvKernels.h"

#include <arm_neon.h>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "pixels are stored low byte first");

namespace {

inline uint16x8_t load(const uint16_t* p) { return vld1q_u16(p); }
inline void store(uint16_t* p, uint16x8_t v) { vst1q_u16(p, v); }

void fillNeon(uint16_t* row, size_t count, uint16_t color)
{
    const uint16x8_t value = vdupq_n_u16(color);
    if (count < 8) {
        for (size_t i = 0; i < count; ++i)
            row[i] = color;
        return;
    }
    // The last eight pixels first: the steps below may then stop short of the end.
    store(row + count - 8, value);
    for (; count >= 32; count -= 32, row += 32) {
        store(row, value);
        store(row + 8, value);
        store(row + 16, value);
        store(row + 24, value);
    }
    for (; count >= 8; count -= 8, row += 8)
        store(row, value);
}

void halfNeon(uint16_t* row, size_t count, uint16_t color)
{
    const uint16x8_t mask = vdupq_n_u16(0xF7DF);
    const uint16x8_t colorHalf = vdupq_n_u16(static_cast<uint16_t>((color & 0xF7DF) >> 1));
    for (; count >= 8; count -= 8, row += 8)
        store(row, vsraq_n_u16(colorHalf, vandq_u16(load(row), mask), 1));
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::half(color, row[i]);
}

// Each channel on its own 16-bit lane: (c - d) * a stays within +-3969, and the
// arithmetic shift gives the floor of the division by 64, as the rule asks.
inline uint16x8_t blendChannel(uint16x8_t c, uint16x8_t d, int16x8_t weight)
{
    const int16x8_t difference = vreinterpretq_s16_u16(vsubq_u16(c, d));
    return vreinterpretq_u16_s16(
        vsraq_n_s16(vreinterpretq_s16_u16(d), vmulq_s16(difference, weight), 6));
}

// Eight colours c over eight destinations d with eight weights a (each 0..63). The
// blended channels stay within their fields, so shifting each in over the one below
// assembles the pixel.
inline uint16x8_t blendPixels(uint16x8_t c, uint16x8_t d, int16x8_t a)
{
    const uint16x8_t mask5 = vdupq_n_u16(0x1F);
    const uint16x8_t mask6 = vdupq_n_u16(0x3F);
    const uint16x8_t r = blendChannel(vshrq_n_u16(c, 11), vshrq_n_u16(d, 11), a);
    const uint16x8_t g =
        blendChannel(vandq_u16(vshrq_n_u16(c, 5), mask6), vandq_u16(vshrq_n_u16(d, 5), mask6), a);
    const uint16x8_t b = blendChannel(vandq_u16(c, mask5), vandq_u16(d, mask5), a);
    return vsliq_n_u16(vsliq_n_u16(b, g, 5), r, 11);
}

void blendNeon(uint16_t* row, size_t count, uint16_t color, uint32_t weight)
{
    if (weight == 0)
        return;
    const int16x8_t a = vdupq_n_s16(static_cast<int16_t>(weight));
    const uint16x8_t c = vdupq_n_u16(color);
    for (; count >= 8; count -= 8, row += 8)
        store(row, blendPixels(c, load(row), a));
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::blend(color, row[i], weight);
}

void copyKeyedNeon(uint16_t* row, const uint16_t* source, size_t count, uint16_t key)
{
    const uint16x8_t k = vdupq_n_u16(key);
    for (; count >= 8; count -= 8, row += 8, source += 8) {
        const uint16x8_t s = load(source);
        store(row, vbslq_u16(vceqq_u16(s, k), load(row), s));
    }
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::keyed(row[i], source[i], key);
}

void fillKeyedNeon(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    const uint16x8_t k = vdupq_n_u16(key);
    const uint16x8_t f = vdupq_n_u16(fill);
    for (; count >= 8; count -= 8, row += 8, source += 8)
        store(row, vbslq_u16(vceqq_u16(load(source), k), load(row), f));
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::fillKeyed(row[i], source[i], key, fill);
}

void fillBackgroundNeon(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    const uint16x8_t k = vdupq_n_u16(key);
    const uint16x8_t f = vdupq_n_u16(fill);
    for (; count >= 8; count -= 8, row += 8, source += 8) {
        const uint16x8_t s = load(source);
        store(row, vbslq_u16(vceqq_u16(s, k), f, s));
    }
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::fillBackground(source[i], key, fill);
}

// The colour shaders on the expanded channels (8-bit values with their low bits zero, one
// per 16-bit lane). Every product stays within 16 bits: at most 256 * 252 for multiply,
// 255 * 255 for screen and overlay and 64088 for the luma sum.
struct ChannelLanes {
    uint16x8_t red, green, blue;
};

inline ChannelLanes expandChannels(uint16x8_t p)
{
    return {vandq_u16(vshrq_n_u16(p, 8), vdupq_n_u16(0xF8)), vandq_u16(vshrq_n_u16(p, 3), vdupq_n_u16(0xFC)),
            vandq_u16(vshlq_n_u16(p, 3), vdupq_n_u16(0xF8))};
}

// PixelRules::pack8 of three channels of at most 255. Moved to the top of their lanes, each
// channel is shifted in below the bits kept of the one before: five of red, then six of green.
inline uint16x8_t packChannels(uint16x8_t r, uint16x8_t g, uint16x8_t b)
{
    return vsriq_n_u16(vsriq_n_u16(vshlq_n_u16(r, 8), vshlq_n_u16(g, 8), 5), vshlq_n_u16(b, 8), 11);
}

// A factor of 255 keeps the channel, which is what a factor of 256 does.
inline uint16x8_t multiplyLanes(uint16x8_t c, uint16x8_t factor) { return vshrq_n_u16(vmulq_u16(c, factor), 8); }

inline uint16x8_t screenLanes(uint16x8_t c, uint16x8_t factor)
{
    return vsraq_n_u16(c, vmulq_u16(vsubq_u16(vdupq_n_u16(255), c), factor), 8);
}

inline uint16x8_t overlayLanes(uint16x8_t c, uint16x8_t factor)
{
    const uint16x8_t full = vdupq_n_u16(255);
    const uint16x8_t dark = vshrq_n_u16(vmulq_u16(factor, c), 7);
    const uint16x8_t light = vsubq_u16(full, vshrq_n_u16(vmulq_u16(vsubq_u16(full, factor), vsubq_u16(full, c)), 7));
    return vbslq_u16(vcltq_u16(c, vdupq_n_u16(128)), dark, light);
}

template <uint16x8_t (*rule)(uint16x8_t, uint16x8_t)>
void shadeEachChannel(uint16_t* row, const uint16_t* source, size_t count, uint16x8_t kr, uint16x8_t kg,
                      uint16x8_t kb)
{
    for (; count >= 8; count -= 8, row += 8, source += 8) {
        const ChannelLanes c = expandChannels(load(source));
        store(row, packChannels(rule(c.red, kr), rule(c.green, kg), rule(c.blue, kb)));
    }
}

void shadeGray(uint16_t* row, const uint16_t* source, size_t count)
{
    for (; count >= 8; count -= 8, row += 8, source += 8) {
        const uint16x8_t p = load(source);
        const ChannelLanes c = expandChannels(p);
        const uint16x8_t sum =
            vmlaq_n_u16(vmlaq_n_u16(vmulq_n_u16(c.red, 77), c.green, 150), vandq_u16(p, vdupq_n_u16(0x1F)), 232);
        const uint16x8_t y = vshrq_n_u16(sum, 8);
        store(row, packChannels(y, y, y));
    }
}

void shadeChannelsNeon(uint16_t* row, const uint16_t* source, size_t count, const ChannelShading& shading)
{
    const size_t whole = count & ~size_t(7);
    auto factor = [&](uint16_t k) {
        return vdupq_n_u16(static_cast<uint16_t>(shading.rule == ChannelShading::Multiply && k == 255 ? 256 : k));
    };
    const uint16x8_t kr = factor(shading.red), kg = factor(shading.green), kb = factor(shading.blue);
    switch (shading.rule) {
    case ChannelShading::Multiply:
        shadeEachChannel<multiplyLanes>(row, source, whole, kr, kg, kb);
        break;
    case ChannelShading::Overlay:
        shadeEachChannel<overlayLanes>(row, source, whole, kr, kg, kb);
        break;
    case ChannelShading::Screen:
        shadeEachChannel<screenLanes>(row, source, whole, kr, kg, kb);
        break;
    case ChannelShading::Gray:
        shadeGray(row, source, whole);
        break;
    }
    BlitKernels::plain::shadeChannels(row + whole, source + whole, count - whole, shading);
}

template <bool recolour>
void keyedGlyphRows(uint16_t* rows, long rowPitch, const uint16_t* source, size_t width, size_t height, uint16_t key,
                    uint16_t fill)
{
    // Lanes past the glyph's width keep the destination, as key pixels do.
    static const uint16_t lanes[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    const uint16x8_t outside = vcgeq_u16(vld1q_u16(lanes), vdupq_n_u16(static_cast<uint16_t>(width)));
    const uint16x8_t k = vdupq_n_u16(key);
    const uint16x8_t f = vdupq_n_u16(fill);
    for (size_t j = 0; j < height; ++j, rows += rowPitch, source += 8) {
        const uint16x8_t s = load(source);
        const uint16x8_t keep = vorrq_u16(vceqq_u16(s, k), outside);
        store(rows, vbslq_u16(keep, load(rows), recolour ? f : s));
    }
}

void keyedGlyphNeon(uint16_t* rows, long rowPitch, const uint16_t* source, size_t width, size_t height, uint16_t key,
                    bool recolour, uint16_t fill)
{
    if (recolour)
        keyedGlyphRows<true>(rows, rowPitch, source, width, height, key, fill);
    else
        keyedGlyphRows<false>(rows, rowPitch, source, width, height, key, fill);
}

// Weight 32 makes each channel d + floor((c - d) / 2) = floor((c + d) / 2): the average
// without carries, (c & d) + ((c ^ d) >> 1) with each field's lowest bit kept from
// shifting into its neighbour.
inline uint16x8_t averagePixels(uint16x8_t c, uint16x8_t d)
{
    const uint16x8_t notLowest = vdupq_n_u16(0xF7DE);
    return vsraq_n_u16(vandq_u16(c, d), vandq_u16(veorq_u16(c, d), notLowest), 1);
}

void blendSourceNeon(uint16_t* row, const uint16_t* source, size_t count, uint32_t weight)
{
    if (weight == 0)
        return;
    if (weight == 32) {
        // Opacity 128, the usual "half transparent".
        for (; count >= 8; count -= 8, row += 8, source += 8)
            store(row, averagePixels(load(source), load(row)));
    }
    const int16x8_t a = vdupq_n_s16(static_cast<int16_t>(weight));
    for (; count >= 8; count -= 8, row += 8, source += 8)
        store(row, blendPixels(load(source), load(row), a));
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::blend(source[i], row[i], weight);
}

void blendAlphaNeon(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count)
{
    const uint16x8_t mask6 = vdupq_n_u16(0x3F);
    for (; count >= 8; count -= 8, row += 8, source += 8, alpha += 8) {
        const uint16x8_t a = vandq_u16(vshrq_n_u16(load(alpha), 5), mask6);
        // Sprites are mostly fully transparent or not: eight transparent pixels are skipped.
        if (vmaxvq_u16(a) == 0)
            continue;
        store(row, blendPixels(load(source), load(row), vreinterpretq_s16_u16(a)));
    }
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::blend(source[i], row[i], PixelRules::alphaWeight(alpha[i]));
}

// Eight lanes in reverse order.
inline uint16x8_t reverseLanes(uint16x8_t v)
{
    const uint16x8_t halves = vrev64q_u16(v);
    return vextq_u16(halves, halves, 4);
}

inline uint32x4_t as32(uint16x8_t v) { return vreinterpretq_u32_u16(v); }
inline uint64x2_t as64(uint32x4_t v) { return vreinterpretq_u64_u32(v); }
inline uint16x8_t as16(uint64x2_t v) { return vreinterpretq_u16_u64(v); }

// PixelRules::toRgb555 on eight pixels: red and green shifted in one bit down over blue.
inline uint16x8_t to555(uint16x8_t p)
{
    return vsraq_n_u16(vandq_u16(p, vdupq_n_u16(0x001F)), vandq_u16(p, vdupq_n_u16(0xFFC0)), 1);
}

// Eight source runs (destination columns i0..i0+7, eight rows each) turned into eight
// destination row pieces by an 8x8 transpose in three rounds of transposing pairs: of
// pixels, of pixel pairs, of pixel quads. RGB555 targets get the pixels converted on the way.
template <bool convert>
void copyQuarterTurnBlock(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                          long rowStep)
{
    uint16x8_t a[8];
    for (int i = 0; i < 8; ++i) {
        const uint16_t* run = source + i * columnStep;
        a[i] = rowStep == 1 ? load(run) : reverseLanes(load(run - 7));
        if (convert)
            a[i] = to555(a[i]);
    }
    // t0: a0 and a1 in the even columns, t1: in the odd ones; and so on.
    const uint32x4_t t0 = as32(vtrn1q_u16(a[0], a[1])), t1 = as32(vtrn2q_u16(a[0], a[1]));
    const uint32x4_t t2 = as32(vtrn1q_u16(a[2], a[3])), t3 = as32(vtrn2q_u16(a[2], a[3]));
    const uint32x4_t t4 = as32(vtrn1q_u16(a[4], a[5])), t5 = as32(vtrn2q_u16(a[4], a[5]));
    const uint32x4_t t6 = as32(vtrn1q_u16(a[6], a[7])), t7 = as32(vtrn2q_u16(a[6], a[7]));
    // u0: runs 0..3 of columns 0 and 4, u1: of 1 and 5, u2: of 2 and 6, u3: of 3 and 7;
    // u4..u7 the same of runs 4..7.
    const uint64x2_t u0 = as64(vtrn1q_u32(t0, t2)), u2 = as64(vtrn2q_u32(t0, t2));
    const uint64x2_t u1 = as64(vtrn1q_u32(t1, t3)), u3 = as64(vtrn2q_u32(t1, t3));
    const uint64x2_t u4 = as64(vtrn1q_u32(t4, t6)), u6 = as64(vtrn2q_u32(t4, t6));
    const uint64x2_t u5 = as64(vtrn1q_u32(t5, t7)), u7 = as64(vtrn2q_u32(t5, t7));
    const uint16x8_t rows[8] = {as16(vtrn1q_u64(u0, u4)), as16(vtrn1q_u64(u1, u5)), as16(vtrn1q_u64(u2, u6)),
                                as16(vtrn1q_u64(u3, u7)), as16(vtrn2q_u64(u0, u4)), as16(vtrn2q_u64(u1, u5)),
                                as16(vtrn2q_u64(u2, u6)), as16(vtrn2q_u64(u3, u7))};
    for (int k = 0; k < 8; ++k)
        store(destination + k * destinationPitch, rows[k]);
}

template <bool convert>
void quarterTurnNeon(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                     long rowStep, size_t columns, size_t rows)
{
    const auto plainTurn = convert ? BlitKernels::plain::copyQuarterTurn555 : BlitKernels::plain::copyQuarterTurn;
    const size_t blockColumns = columns & ~size_t(7);
    const size_t blockRows = rows & ~size_t(7);
    for (size_t j = 0; j < blockRows; j += 8) {
        uint16_t* out = destination + static_cast<long>(j) * destinationPitch;
        const uint16_t* in = source + static_cast<long>(j) * rowStep;
        for (size_t i = 0; i < blockColumns; i += 8)
            copyQuarterTurnBlock<convert>(out + i, destinationPitch, in + static_cast<long>(i) * columnStep,
                                          columnStep, rowStep);
    }
    // The columns right of the last whole block, then the rows below it.
    if (blockColumns < columns)
        plainTurn(destination + blockColumns, destinationPitch, source + static_cast<long>(blockColumns) * columnStep,
                  columnStep, rowStep, columns - blockColumns, blockRows);
    if (blockRows < rows)
        plainTurn(destination + static_cast<long>(blockRows) * destinationPitch, destinationPitch,
                  source + static_cast<long>(blockRows) * rowStep, columnStep, rowStep, columns, rows - blockRows);
}

void copyQuarterTurnNeon(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                         long rowStep, size_t columns, size_t rows)
{
    quarterTurnNeon<false>(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
}

void copyQuarterTurn555Neon(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                            long rowStep, size_t columns, size_t rows)
{
    quarterTurnNeon<true>(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
}

void copyReversedNeon(uint16_t* target, const uint16_t* source, size_t count)
{
    uint16_t* end = target + count;
    for (; count >= 16; count -= 16, source += 16, end -= 16) {
        const uint16x8_t first = reverseLanes(load(source));
        const uint16x8_t second = reverseLanes(load(source + 8));
        store(end - 8, first);
        store(end - 16, second);
    }
    if (count >= 8) {
        store(end - 8, reverseLanes(load(source)));
        count -= 8, source += 8, end -= 8;
    }
    BlitKernels::plain::copyReversed(end - count, source, count);
}

// RGB565 from 8-bit channels, as the two bytes of each pixel: shift-and-insert keeps the
// top bits of the first operand. high = (R & 0xF8) | (G >> 5), low = ((G & 0x1C) << 3) | (B >> 3).
inline uint8x16x2_t packBytes(uint8x16_t r, uint8x16_t g, uint8x16_t b)
{
    return {{vsriq_n_u8(vshlq_n_u8(g, 3), b, 3), vsriq_n_u8(r, g, 5)}};
}

inline uint8x8x2_t packBytes(uint8x8_t r, uint8x8_t g, uint8x8_t b)
{
    return {{vsri_n_u8(vshl_n_u8(g, 3), b, 3), vsri_n_u8(r, g, 5)}};
}

// Sixteen or eight pixels of `step` bytes taken apart into one register per byte.
template <size_t step>
struct PixelLoads;

template <>
struct PixelLoads<4> {
    static uint8x16x4_t sixteen(const uint8_t* p) { return vld4q_u8(p); }
    static uint8x8x4_t eight(const uint8_t* p) { return vld4_u8(p); }
};

template <>
struct PixelLoads<3> {
    static uint8x16x3_t sixteen(const uint8_t* p) { return vld3q_u8(p); }
    static uint8x8x3_t eight(const uint8_t* p) { return vld3_u8(p); }
};

// Pixels of `step` bytes, red, green and blue first: the loads take them apart, the stores
// put the two bytes of each result together again. No load reaches past the run's pixels.
template <size_t step>
void packPixels(const uint8_t* in, size_t count, uint16_t* out)
{
    for (; count >= 16; count -= 16, in += 16 * step, out += 16) {
        const auto pixels = PixelLoads<step>::sixteen(in);
        vst2q_u8(reinterpret_cast<uint8_t*>(out), packBytes(pixels.val[0], pixels.val[1], pixels.val[2]));
    }
    if (count >= 8) {
        const auto pixels = PixelLoads<step>::eight(in);
        vst2_u8(reinterpret_cast<uint8_t*>(out), packBytes(pixels.val[0], pixels.val[1], pixels.val[2]));
        count -= 8, in += 8 * step, out += 8;
    }
    for (size_t i = 0; i < count; ++i, in += step)
        out[i] = PixelRules::pack8(in[0], in[1], in[2]);
}

void packRgbxNeon(const uint8_t* in, size_t count, uint16_t* out) { packPixels<4>(in, count, out); }

void packRgbNeon(const uint8_t* in, size_t count, uint16_t* out) { packPixels<3>(in, count, out); }

// The video rule on 16-bit lanes. With y = Y - 16, u = U - 128 and v = V - 128 the rule's
// sums split into a whole part and a rest that fits in 16 bits:
//   R = y + v  + ((42 y + 153 v) >> 8)                   (298 = 256 + 42, 409 = 256 + 153)
//   G = y - v  + ((42 y + 48 v - 100 u + 128) >> 8)      (-208 = -256 + 48)
//   B = y + 2u + ((42 y + 4 u + 128) >> 8)               (516 = 512 + 4)
// Adding a multiple of 256 does not change the floor of the rest, so each is exact. In the
// raw samples each channel is Y + base + ((42 Y + rest) >> 8), base and rest depending on
// the block's chroma alone; the sums inside the shift stay within -20256..29469 (wrapping
// on the way there is harmless), and saturating to bytes does what the clamping table does.
struct ChromaLanes {
    int16x8_t redBase, redRest, greenBase, greenRest, blueBase, blueRest;
};

// Each lane doubled for its block's two columns: `low` for blocks 0..3, `high` for 4..7.
inline int16x8_t doubledLow(int16x8_t terms) { return vzip1q_s16(terms, terms); }
inline int16x8_t doubledHigh(int16x8_t terms) { return vzip2q_s16(terms, terms); }

// Eight U and eight V samples as the terms of sixteen columns.
inline void chromaLanes(uint8x8_t uSamples, uint8x8_t vSamples, ChromaLanes& low, ChromaLanes& high)
{
    const int16x8_t u = vreinterpretq_s16_u16(vmovl_u8(uSamples));
    const int16x8_t v = vreinterpretq_s16_u16(vmovl_u8(vSamples));
    const int16x8_t redBase = vsubq_s16(v, vdupq_n_s16(144));
    const int16x8_t redRest = vmlaq_n_s16(vdupq_n_s16(-20256), v, 153);
    const int16x8_t greenBase = vsubq_s16(vdupq_n_s16(112), v);
    const int16x8_t greenRest = vmlsq_n_s16(vmlaq_n_s16(vdupq_n_s16(6112), v, 48), u, 100);
    const int16x8_t blueBase = vsubq_s16(vaddq_s16(u, u), vdupq_n_s16(272));
    const int16x8_t blueRest = vsubq_s16(vshlq_n_s16(u, 2), vdupq_n_s16(1056));
    low = {doubledLow(redBase),   doubledLow(redRest),  doubledLow(greenBase),
           doubledLow(greenRest), doubledLow(blueBase), doubledLow(blueRest)};
    high = {doubledHigh(redBase),   doubledHigh(redRest),  doubledHigh(greenBase),
            doubledHigh(greenRest), doubledHigh(blueBase), doubledHigh(blueRest)};
}

inline int16x8_t yuvChannel(int16x8_t y, int16x8_t y42, int16x8_t base, int16x8_t rest)
{
    return vaddq_s16(vaddq_s16(y, base), vshrq_n_s16(vaddq_s16(y42, rest), 8));
}

// Both halves of a channel saturated to bytes, in column order.
inline uint8x16_t saturated(int16x8_t low, int16x8_t high) { return vqmovun_high_s16(vqmovun_s16(low), high); }

// Sixteen luma samples of one row with the terms of their eight blocks.
inline void yuvRow(uint16_t* out, const uint8_t* luma, const ChromaLanes& low, const ChromaLanes& high)
{
    const uint8x16_t samples = vld1q_u8(luma);
    const int16x8_t yLow = vreinterpretq_s16_u16(vmovl_u8(vget_low_u8(samples)));
    const int16x8_t yHigh = vreinterpretq_s16_u16(vmovl_high_u8(samples));
    const int16x8_t y42Low = vmulq_n_s16(yLow, 42);
    const int16x8_t y42High = vmulq_n_s16(yHigh, 42);
    const uint8x16_t r = saturated(yuvChannel(yLow, y42Low, low.redBase, low.redRest),
                                   yuvChannel(yHigh, y42High, high.redBase, high.redRest));
    const uint8x16_t g = saturated(yuvChannel(yLow, y42Low, low.greenBase, low.greenRest),
                                   yuvChannel(yHigh, y42High, high.greenBase, high.greenRest));
    const uint8x16_t b = saturated(yuvChannel(yLow, y42Low, low.blueBase, low.blueRest),
                                   yuvChannel(yHigh, y42High, high.blueBase, high.blueRest));
    vst2q_u8(reinterpret_cast<uint8_t*>(out), packBytes(r, g, b));
}

void yuvRowPairNeon(uint16_t* top, uint16_t* bottom, const uint8_t* yTop, const uint8_t* yBottom, const uint8_t* u,
                    const uint8_t* v, size_t pairs)
{
    if (pairs < 8) {
        YuvKernels::plain::convertRowPair(top, bottom, yTop, yBottom, u, v, pairs);
        return;
    }
    // The last step ends at the row's end, going over some blocks a second time: they get
    // the same pixels again.
    for (size_t i = 0;; i += 8) {
        if (i + 8 > pairs)
            i = pairs - 8;
        ChromaLanes low, high;
        chromaLanes(vld1_u8(u + i), vld1_u8(v + i), low, high);
        yuvRow(top + 2 * i, yTop + 2 * i, low, high);
        yuvRow(bottom + 2 * i, yBottom + 2 * i, low, high);
        if (i + 8 == pairs)
            break;
    }
}

void rowTo555Neon(uint16_t* target, const uint16_t* source, size_t count)
{
    for (; count >= 8; count -= 8, target += 8, source += 8)
        store(target, to555(load(source)));
    for (size_t i = 0; i < count; ++i)
        target[i] = PixelRules::toRgb555(source[i]);
}

const VectorKernels neonKernels = {fillNeon,                halfNeon,                blendNeon,
                                   copyKeyedNeon,           fillKeyedNeon,           blendSourceNeon,
                                   blendAlphaNeon,          copyQuarterTurnNeon,     rowTo555Neon,
                                   packRgbxNeon,            yuvRowPairNeon,          copyReversedNeon,
                                   shadeChannelsNeon,       fillBackgroundNeon,      copyQuarterTurn555Neon,
                                   keyedGlyphNeon,          packRgbNeon};

} // namespace

const VectorKernels& baselineKernels() { return neonKernels; }

const VectorKernels& processorKernels() { return neonKernels; }

std::vector<VectorKernels> kernelLevels() { return {neonKernels}; }
