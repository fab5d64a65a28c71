// The SSE2 kernels: eight RGB565 pixels fill one 128-bit register. SSE2 is part of every
// x86-64 processor, so no run-time detection is needed; other processors get no entries.
#include "pixels/VectorKernels.h"

#if defined(__SSE2__)

#include "pixels/BlitKernels.h"
#include "pixels/PixelRules.h"
#include "pixels/VectorKernelsAvx2.h"
#include "pixels/VectorKernelsAvx512.h"
#include "pixels/YuvKernels.h"

#include <emmintrin.h>
#include <cstring>
#include <cwchar>

namespace {

static_assert(sizeof(wchar_t) == 4, "a wide character holds a pixel pair");

void fillSse2(uint16_t* row, size_t count, uint16_t color)
{
    // Long runs: the C library's wide fill stores the pixel pair with the widest stores
    // this processor has (it keeps pace with memset), after one pixel that aligns the run
    // to 32 bits.
    if (count >= 64) {
        if (reinterpret_cast<uintptr_t>(row) & 2) {
            *row++ = color;
            --count;
        }
        const uint32_t pair = color | (static_cast<uint32_t>(color) << 16);
        std::wmemset(reinterpret_cast<wchar_t*>(row), static_cast<wchar_t>(pair), count / 2);
        if (count & 1)
            row[count - 1] = color;
        return;
    }
    while (count && (reinterpret_cast<uintptr_t>(row) & 15)) {
        *row++ = color;
        --count;
    }
    const __m128i value = _mm_set1_epi16(static_cast<short>(color));
    for (; count >= 32; count -= 32, row += 32) {
        _mm_store_si128(reinterpret_cast<__m128i*>(row), value);
        _mm_store_si128(reinterpret_cast<__m128i*>(row + 8), value);
        _mm_store_si128(reinterpret_cast<__m128i*>(row + 16), value);
        _mm_store_si128(reinterpret_cast<__m128i*>(row + 24), value);
    }
    for (; count >= 8; count -= 8, row += 8)
        _mm_store_si128(reinterpret_cast<__m128i*>(row), value);
    for (size_t i = 0; i < count; ++i)
        row[i] = color;
}

void halfSse2(uint16_t* row, size_t count, uint16_t color)
{
    const __m128i mask = _mm_set1_epi16(static_cast<short>(0xF7DF));
    const __m128i colorHalf = _mm_set1_epi16(static_cast<short>((color & 0xF7DF) >> 1));
    for (; count >= 8; count -= 8, row += 8) {
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
        d = _mm_add_epi16(colorHalf, _mm_srli_epi16(_mm_and_si128(d, mask), 1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row), d);
    }
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::half(color, row[i]);
}

// Each channel on its own 16-bit lane: (c - d) * a stays within +-3969, and the
// arithmetic shift gives the floor of the division by 64, as the rule asks.
inline __m128i blendChannel(__m128i c, __m128i d, __m128i weight)
{
    return _mm_add_epi16(d, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(c, d), weight), 6));
}

// Eight colours c over eight destinations d with eight weights a (each 0..63).
inline __m128i blendPixels(__m128i c, __m128i d, __m128i a)
{
    const __m128i mask5 = _mm_set1_epi16(0x1F);
    const __m128i mask6 = _mm_set1_epi16(0x3F);
    __m128i r = blendChannel(_mm_srli_epi16(c, 11), _mm_srli_epi16(d, 11), a);
    __m128i g = blendChannel(_mm_and_si128(_mm_srli_epi16(c, 5), mask6), _mm_and_si128(_mm_srli_epi16(d, 5), mask6), a);
    __m128i b = blendChannel(_mm_and_si128(c, mask5), _mm_and_si128(d, mask5), a);
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 11), _mm_slli_epi16(g, 5)), b);
}

inline __m128i load(const uint16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void store(uint16_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// Lanes where the mask is set take `ifSet`, the others `otherwise`.
inline __m128i select(__m128i mask, __m128i ifSet, __m128i otherwise)
{
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, otherwise));
}

void blendSse2(uint16_t* row, size_t count, uint16_t color, uint32_t weight)
{
    if (weight == 0)
        return;
    const __m128i a = _mm_set1_epi16(static_cast<short>(weight));
    const __m128i c = _mm_set1_epi16(static_cast<short>(color));
    for (; count >= 8; count -= 8, row += 8)
        store(row, blendPixels(c, load(row), a));
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::blend(color, row[i], weight);
}

void copyKeyedSse2(uint16_t* row, const uint16_t* source, size_t count, uint16_t key)
{
    const __m128i k = _mm_set1_epi16(static_cast<short>(key));
    for (; count >= 8; count -= 8, row += 8, source += 8) {
        __m128i s = load(source);
        store(row, select(_mm_cmpeq_epi16(s, k), load(row), s));
    }
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::keyed(row[i], source[i], key);
}

void fillKeyedSse2(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    const __m128i k = _mm_set1_epi16(static_cast<short>(key));
    const __m128i f = _mm_set1_epi16(static_cast<short>(fill));
    for (; count >= 8; count -= 8, row += 8, source += 8)
        store(row, select(_mm_cmpeq_epi16(load(source), k), load(row), f));
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::fillKeyed(row[i], source[i], key, fill);
}

void fillBackgroundSse2(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    const __m128i k = _mm_set1_epi16(static_cast<short>(key));
    const __m128i f = _mm_set1_epi16(static_cast<short>(fill));
    for (; count >= 8; count -= 8, row += 8, source += 8) {
        const __m128i s = load(source);
        store(row, select(_mm_cmpeq_epi16(s, k), f, s));
    }
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::fillBackground(source[i], key, fill);
}

// The colour shaders on the expanded channels (8-bit values with their low bits zero, one
// per 16-bit lane). Every product stays within 16 bits: at most 256 * 252 for multiply,
// 255 * 255 for screen, 255 * 127 for overlay and 64088 for the luma sum.
struct ChannelLanes {
    __m128i red, green, blue;
};

inline ChannelLanes expandChannels(__m128i p)
{
    return {_mm_and_si128(_mm_srli_epi16(p, 8), _mm_set1_epi16(0xF8)),
            _mm_and_si128(_mm_srli_epi16(p, 3), _mm_set1_epi16(0xFC)),
            _mm_and_si128(_mm_slli_epi16(p, 3), _mm_set1_epi16(0xF8))};
}

// PixelRules::pack8 of three channels of at most 255.
inline __m128i packChannels(__m128i r, __m128i g, __m128i b)
{
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_and_si128(r, _mm_set1_epi16(0xF8)), 8),
                                     _mm_slli_epi16(_mm_and_si128(g, _mm_set1_epi16(0xFC)), 3)),
                        _mm_srli_epi16(b, 3));
}

// A factor of 255 keeps the channel, which is what a factor of 256 does.
inline __m128i multiplyLanes(__m128i c, __m128i factor) { return _mm_srli_epi16(_mm_mullo_epi16(c, factor), 8); }

inline __m128i screenLanes(__m128i c, __m128i factor)
{
    return _mm_add_epi16(c, _mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(_mm_set1_epi16(255), c), factor), 8));
}

inline __m128i overlayLanes(__m128i c, __m128i factor)
{
    const __m128i full = _mm_set1_epi16(255);
    const __m128i dark = _mm_srli_epi16(_mm_mullo_epi16(factor, c), 7);
    const __m128i light =
        _mm_sub_epi16(full, _mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(full, factor), _mm_sub_epi16(full, c)), 7));
    return select(_mm_cmplt_epi16(c, _mm_set1_epi16(128)), dark, light);
}

template <__m128i (*rule)(__m128i, __m128i)>
void shadeEachChannel(uint16_t* row, const uint16_t* source, size_t count, __m128i kr, __m128i kg, __m128i kb)
{
    for (; count >= 8; count -= 8, row += 8, source += 8) {
        const ChannelLanes c = expandChannels(load(source));
        store(row, packChannels(rule(c.red, kr), rule(c.green, kg), rule(c.blue, kb)));
    }
}

void shadeGray(uint16_t* row, const uint16_t* source, size_t count)
{
    for (; count >= 8; count -= 8, row += 8, source += 8) {
        const __m128i p = load(source);
        const ChannelLanes c = expandChannels(p);
        const __m128i sum = _mm_add_epi16(
            _mm_add_epi16(_mm_mullo_epi16(c.red, _mm_set1_epi16(77)), _mm_mullo_epi16(c.green, _mm_set1_epi16(150))),
            _mm_mullo_epi16(_mm_and_si128(p, _mm_set1_epi16(0x1F)), _mm_set1_epi16(232)));
        const __m128i y = _mm_srli_epi16(sum, 8);
        store(row, packChannels(y, y, y));
    }
}

void shadeChannelsSse2(uint16_t* row, const uint16_t* source, size_t count, const ChannelShading& shading)
{
    const size_t whole = count & ~size_t(7);
    auto factor = [&](uint16_t k) {
        return _mm_set1_epi16(static_cast<short>(shading.rule == ChannelShading::Multiply && k == 255 ? 256 : k));
    };
    const __m128i kr = factor(shading.red), kg = factor(shading.green), kb = factor(shading.blue);
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
    const __m128i outside =
        _mm_cmpgt_epi16(_mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7), _mm_set1_epi16(static_cast<short>(width - 1)));
    const __m128i k = _mm_set1_epi16(static_cast<short>(key));
    const __m128i f = _mm_set1_epi16(static_cast<short>(fill));
    for (size_t j = 0; j < height; ++j, rows += rowPitch, source += 8) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
        const __m128i keep = _mm_or_si128(_mm_cmpeq_epi16(s, k), outside);
        store(rows, select(keep, load(rows), recolour ? f : s));
    }
}

void keyedGlyphSse2(uint16_t* rows, long rowPitch, const uint16_t* source, size_t width, size_t height, uint16_t key,
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
inline __m128i averagePixels(__m128i c, __m128i d)
{
    const __m128i notLowest = _mm_set1_epi16(static_cast<short>(0xF7DE));
    return _mm_add_epi16(_mm_and_si128(c, d), _mm_srli_epi16(_mm_and_si128(_mm_xor_si128(c, d), notLowest), 1));
}

void blendSourceSse2(uint16_t* row, const uint16_t* source, size_t count, uint32_t weight)
{
    if (weight == 0)
        return;
    if (weight == 32) {
        // Opacity 128, the usual "half transparent".
        for (; count >= 8; count -= 8, row += 8, source += 8)
            store(row, averagePixels(load(source), load(row)));
    }
    const __m128i a = _mm_set1_epi16(static_cast<short>(weight));
    for (; count >= 8; count -= 8, row += 8, source += 8)
        store(row, blendPixels(load(source), load(row), a));
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::blend(source[i], row[i], weight);
}

void blendAlphaSse2(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count)
{
    const __m128i mask6 = _mm_set1_epi16(0x3F);
    const __m128i zero = _mm_setzero_si128();
    for (; count >= 8; count -= 8, row += 8, source += 8, alpha += 8) {
        __m128i a = _mm_and_si128(_mm_srli_epi16(load(alpha), 5), mask6);
        // Sprites are mostly fully transparent or not: eight transparent pixels are skipped.
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(a, zero)) == 0xFFFF)
            continue;
        store(row, blendPixels(load(source), load(row), a));
    }
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::blend(source[i], row[i], PixelRules::alphaWeight(alpha[i]));
}

// Eight lanes in reverse order.
inline __m128i reverseLanes(__m128i v)
{
    v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(0, 1, 2, 3));
    v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(0, 1, 2, 3));
    return _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2));
}

// PixelRules::toRgb555 on eight pixels.
inline __m128i to555(__m128i p)
{
    return _mm_or_si128(_mm_and_si128(p, _mm_set1_epi16(0x001F)),
                        _mm_srli_epi16(_mm_and_si128(p, _mm_set1_epi16(static_cast<short>(0xFFC0))), 1));
}

// Eight source runs (destination columns i0..i0+7, eight rows each) turned into eight
// destination row pieces by an 8x8 transpose in three rounds of interleaving; RGB555
// targets get the pixels converted on the way.
template <bool convert>
void copyQuarterTurnBlock(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                          long rowStep)
{
    __m128i a[8];
    for (int i = 0; i < 8; ++i) {
        const uint16_t* run = source + i * columnStep;
        if (rowStep == 1) {
            a[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run));
        } else {
            a[i] = reverseLanes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(run - 7)));
        }
        if (convert)
            a[i] = to555(a[i]);
    }
    __m128i t0 = _mm_unpacklo_epi16(a[0], a[1]), t1 = _mm_unpackhi_epi16(a[0], a[1]);
    __m128i t2 = _mm_unpacklo_epi16(a[2], a[3]), t3 = _mm_unpackhi_epi16(a[2], a[3]);
    __m128i t4 = _mm_unpacklo_epi16(a[4], a[5]), t5 = _mm_unpackhi_epi16(a[4], a[5]);
    __m128i t6 = _mm_unpacklo_epi16(a[6], a[7]), t7 = _mm_unpackhi_epi16(a[6], a[7]);
    __m128i u0 = _mm_unpacklo_epi32(t0, t2), u1 = _mm_unpackhi_epi32(t0, t2);
    __m128i u2 = _mm_unpacklo_epi32(t1, t3), u3 = _mm_unpackhi_epi32(t1, t3);
    __m128i u4 = _mm_unpacklo_epi32(t4, t6), u5 = _mm_unpackhi_epi32(t4, t6);
    __m128i u6 = _mm_unpacklo_epi32(t5, t7), u7 = _mm_unpackhi_epi32(t5, t7);
    const __m128i rows[8] = {_mm_unpacklo_epi64(u0, u4), _mm_unpackhi_epi64(u0, u4), _mm_unpacklo_epi64(u1, u5),
                             _mm_unpackhi_epi64(u1, u5), _mm_unpacklo_epi64(u2, u6), _mm_unpackhi_epi64(u2, u6),
                             _mm_unpacklo_epi64(u3, u7), _mm_unpackhi_epi64(u3, u7)};
    for (int k = 0; k < 8; ++k)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + k * destinationPitch), rows[k]);
}

template <bool convert>
void quarterTurnSse2(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
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

void copyQuarterTurnSse2(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                         long rowStep, size_t columns, size_t rows)
{
    quarterTurnSse2<false>(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
}

void copyQuarterTurn555Sse2(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                            long rowStep, size_t columns, size_t rows)
{
    quarterTurnSse2<true>(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
}

void copyReversedSse2(uint16_t* target, const uint16_t* source, size_t count)
{
    uint16_t* end = target + count;
    for (; count >= 8; count -= 8, source += 8, end -= 8)
        store(end - 8, reverseLanes(load(source)));
    BlitKernels::plain::copyReversed(end - count, source, count);
}

// Four 32-bit pixels at a time, each channel's top bits moved into place within its lane;
// the lanes are sign-extended from 16 bits so that the signed pack keeps every value.
inline __m128i packRgbxLanes(__m128i pixels)
{
    const __m128i red = _mm_slli_epi32(_mm_and_si128(pixels, _mm_set1_epi32(0xF8)), 8);
    const __m128i green = _mm_srli_epi32(_mm_and_si128(pixels, _mm_set1_epi32(0xFC00)), 5);
    const __m128i blue = _mm_and_si128(_mm_srli_epi32(pixels, 19), _mm_set1_epi32(0x1F));
    const __m128i packed = _mm_or_si128(_mm_or_si128(red, green), blue);
    return _mm_srai_epi32(_mm_slli_epi32(packed, 16), 16);
}

void packRgbxSse2(const uint8_t* in, size_t count, uint16_t* out)
{
    for (; count >= 8; count -= 8, in += 32, out += 8) {
        const __m128i low = packRgbxLanes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in)));
        const __m128i high = packRgbxLanes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packs_epi32(low, high));
    }
    for (size_t i = 0; i < count; ++i, in += 4)
        out[i] = PixelRules::pack8(in[0], in[1], in[2]);
}

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
    __m128i redBase, redRest, greenBase, greenRest, blueBase, blueRest;
};

// A multiplier the compiler cannot see through: it would otherwise turn each multiply
// into three shifts and two additions, more work for the vector units than one multiply.
inline __m128i opaqueFactor(short factor)
{
    __m128i value = _mm_set1_epi16(factor);
    asm("" : "+x"(value));
    return value;
}

// Eight U and eight V samples (widened to lanes) as the terms of sixteen columns: `low`
// for blocks 0..3, `high` for blocks 4..7, each lane doubled for its block's two columns.
inline void chromaLanes(__m128i u, __m128i v, ChromaLanes& low, ChromaLanes& high)
{
    const __m128i redBase = _mm_sub_epi16(v, _mm_set1_epi16(144));
    const __m128i redRest = _mm_sub_epi16(_mm_mullo_epi16(v, opaqueFactor(153)), _mm_set1_epi16(20256));
    const __m128i greenBase = _mm_sub_epi16(_mm_set1_epi16(112), v);
    const __m128i greenRest = _mm_add_epi16(
        _mm_sub_epi16(_mm_mullo_epi16(v, opaqueFactor(48)), _mm_mullo_epi16(u, opaqueFactor(100))), _mm_set1_epi16(6112));
    const __m128i blueBase = _mm_sub_epi16(_mm_add_epi16(u, u), _mm_set1_epi16(272));
    const __m128i blueRest = _mm_sub_epi16(_mm_slli_epi16(u, 2), _mm_set1_epi16(1056));
    low.redBase = _mm_unpacklo_epi16(redBase, redBase);
    high.redBase = _mm_unpackhi_epi16(redBase, redBase);
    low.redRest = _mm_unpacklo_epi16(redRest, redRest);
    high.redRest = _mm_unpackhi_epi16(redRest, redRest);
    low.greenBase = _mm_unpacklo_epi16(greenBase, greenBase);
    high.greenBase = _mm_unpackhi_epi16(greenBase, greenBase);
    low.greenRest = _mm_unpacklo_epi16(greenRest, greenRest);
    high.greenRest = _mm_unpackhi_epi16(greenRest, greenRest);
    low.blueBase = _mm_unpacklo_epi16(blueBase, blueBase);
    high.blueBase = _mm_unpackhi_epi16(blueBase, blueBase);
    low.blueRest = _mm_unpacklo_epi16(blueRest, blueRest);
    high.blueRest = _mm_unpackhi_epi16(blueRest, blueRest);
}

inline __m128i yuvChannel(__m128i y, __m128i y42, __m128i base, __m128i rest)
{
    return _mm_add_epi16(_mm_add_epi16(y, base), _mm_srai_epi16(_mm_add_epi16(y42, rest), 8));
}

// Sixteen luma samples of one row with the terms of their eight blocks. The channels are
// saturated to bytes, then the two bytes of each pixel are assembled:
// high = (R & 0xF8) | (G >> 5), low = ((G & 0x1C) << 3) | (B >> 3).
inline void yuvRow(uint16_t* out, const uint8_t* luma, const ChromaLanes& low, const ChromaLanes& high, __m128i factor42)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i samples = _mm_loadu_si128(reinterpret_cast<const __m128i*>(luma));
    const __m128i yLow = _mm_unpacklo_epi8(samples, zero);
    const __m128i yHigh = _mm_unpackhi_epi8(samples, zero);
    const __m128i y42Low = _mm_mullo_epi16(yLow, factor42);
    const __m128i y42High = _mm_mullo_epi16(yHigh, factor42);
    const __m128i r = _mm_packus_epi16(yuvChannel(yLow, y42Low, low.redBase, low.redRest),
                                       yuvChannel(yHigh, y42High, high.redBase, high.redRest));
    const __m128i g = _mm_packus_epi16(yuvChannel(yLow, y42Low, low.greenBase, low.greenRest),
                                       yuvChannel(yHigh, y42High, high.greenBase, high.greenRest));
    const __m128i b = _mm_packus_epi16(yuvChannel(yLow, y42Low, low.blueBase, low.blueRest),
                                       yuvChannel(yHigh, y42High, high.blueBase, high.blueRest));
    // 16-bit shifts move bits across the bytes of a lane; the masks drop them again.
    const __m128i upper = _mm_or_si128(_mm_and_si128(r, _mm_set1_epi8(static_cast<char>(0xF8))),
                                       _mm_and_si128(_mm_srli_epi16(g, 5), _mm_set1_epi8(0x07)));
    const __m128i lower = _mm_or_si128(_mm_and_si128(_mm_slli_epi16(g, 3), _mm_set1_epi8(static_cast<char>(0xE0))),
                                       _mm_and_si128(_mm_srli_epi16(b, 3), _mm_set1_epi8(0x1F)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(lower, upper));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(lower, upper));
}

void yuvRowPairSse2(uint16_t* top, uint16_t* bottom, const uint8_t* yTop, const uint8_t* yBottom, const uint8_t* u,
                    const uint8_t* v, size_t pairs)
{
    if (pairs < 8) {
        YuvKernels::plain::convertRowPair(top, bottom, yTop, yBottom, u, v, pairs);
        return;
    }
    const __m128i zero = _mm_setzero_si128();
    const __m128i factor42 = opaqueFactor(42);
    // The last step ends at the row's end, going over some blocks a second time: they get
    // the same pixels again.
    for (size_t i = 0;; i += 8) {
        if (i + 8 > pairs)
            i = pairs - 8;
        const __m128i us = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(u + i)), zero);
        const __m128i vs = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(v + i)), zero);
        ChromaLanes low, high;
        chromaLanes(us, vs, low, high);
        yuvRow(top + 2 * i, yTop + 2 * i, low, high, factor42);
        yuvRow(bottom + 2 * i, yBottom + 2 * i, low, high, factor42);
        if (i + 8 == pairs)
            break;
    }
}

void rowTo555Sse2(uint16_t* target, const uint16_t* source, size_t count)
{
    for (; count >= 8; count -= 8, target += 8, source += 8)
        store(target, to555(load(source)));
    for (size_t i = 0; i < count; ++i)
        target[i] = PixelRules::toRgb555(source[i]);
}

const VectorKernels sse2Kernels = {fillSse2,        halfSse2,       blendSse2,           copyKeyedSse2,
                                   fillKeyedSse2,   blendSourceSse2, blendAlphaSse2,   copyQuarterTurnSse2,
                                   rowTo555Sse2,    packRgbxSse2,   yuvRowPairSse2,    copyReversedSse2,
                                   shadeChannelsSse2, fillBackgroundSse2, copyQuarterTurn555Sse2, keyedGlyphSse2,
                                   nullptr /* packRgb: SSE2 has no byte shuffle to spread 3-byte pixels */};

} // namespace

const VectorKernels& baselineKernels() { return sse2Kernels; }

const VectorKernels& processorKernels()
{
    static const VectorKernels kernels = VectorKernelsAvx512::over(VectorKernelsAvx2::over(sse2Kernels));
    return kernels;
}

std::vector<VectorKernels> kernelLevels()
{
    std::vector<VectorKernels> levels;
    for (const VectorKernels& level : {processorKernels(), VectorKernelsAvx2::over(sse2Kernels), sse2Kernels}) {
        bool seen = false;
        for (const VectorKernels& known : levels)
            seen = seen || std::memcmp(&known, &level, sizeof level) == 0;
        if (!seen)
            levels.push_back(level);
    }
    return levels;
}

#else

const VectorKernels& baselineKernels()
{
    static const VectorKernels none = {};
    return none;
}

const VectorKernels& processorKernels() { return baselineKernels(); }

std::vector<VectorKernels> kernelLevels() { return {baselineKernels()}; }

#endif
