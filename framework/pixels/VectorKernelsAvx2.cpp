// The AVX2 kernels: sixteen RGB565 pixels fill one 256-bit register. Not every x86-64
// processor has AVX2, so these functions alone are compiled for it and are put in the
// table only when the processor says it has it.
#include "pixels/VectorKernelsAvx2.h"

#if defined(__x86_64__) || defined(__i386__)

#include "pixels/PixelRules.h"

#include <immintrin.h>

namespace {

// What the AVX2 kernels leave to the kernels they stand in for.
VectorKernels lower = {};

} // namespace

// Everything up to the matching pop is compiled for AVX2; clang takes the target as an
// attribute on each function, gcc as an option for the region.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace {

inline __m256i load(const uint16_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
inline void store(uint16_t* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

// Eight pixels of one run in the low half and eight of another in the high half.
inline __m256i loadPair(const uint16_t* low, const uint16_t* high)
{
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(high)), 1);
}

inline __m256i splat(uint32_t value) { return _mm256_set1_epi16(static_cast<short>(value)); }

// PixelRules::toRgb555 on sixteen pixels.
inline __m256i to555(__m256i p)
{
    return _mm256_or_si256(_mm256_and_si256(p, splat(0x001F)), _mm256_srli_epi16(_mm256_and_si256(p, splat(0xFFC0)), 1));
}

void rowTo555Avx2(uint16_t* target, const uint16_t* source, size_t count)
{
    for (; count >= 16; count -= 16, target += 16, source += 16)
        store(target, to555(load(source)));
    lower.rowTo555(target, source, count);
}

// Eight 32-bit pixels at a time, each channel's top bits moved into place within its lane
// and the lanes sign-extended from 16 bits so that the signed pack keeps every value (the
// SSE2 kernel's steps).
inline __m256i packRgbxLanes(__m256i pixels)
{
    const __m256i red = _mm256_slli_epi32(_mm256_and_si256(pixels, _mm256_set1_epi32(0xF8)), 8);
    const __m256i green = _mm256_srli_epi32(_mm256_and_si256(pixels, _mm256_set1_epi32(0xFC00)), 5);
    const __m256i blue = _mm256_and_si256(_mm256_srli_epi32(pixels, 19), _mm256_set1_epi32(0x1F));
    return _mm256_srai_epi32(_mm256_slli_epi32(_mm256_or_si256(_mm256_or_si256(red, green), blue), 16), 16);
}

void packRgbxAvx2(const uint8_t* in, size_t count, uint16_t* out)
{
    for (; count >= 16; count -= 16, in += 64, out += 16) {
        const __m256i low = packRgbxLanes(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in)));
        const __m256i high = packRgbxLanes(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 32)));
        // The pack interleaves the halves of its two sources; the permutation restores the
        // pixels' order.
        store(out, _mm256_permute4x64_epi64(_mm256_packs_epi32(low, high), _MM_SHUFFLE(3, 1, 2, 0)));
    }
    lower.packRgbx(in, count, out);
}

// 3-byte pixels: each 128-bit half takes four of them (twelve bytes, read as sixteen) and
// a byte shuffle spreads them into 32-bit lanes, which then pack as 4-byte pixels do. The
// reads run four bytes past the pixels a step converts, so steps stop while that stays
// inside the run.
void packRgbAvx2(const uint8_t* in, size_t count, uint16_t* out)
{
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0, 1, 2, -1, 3, 4, 5,
                                            -1, 6, 7, 8, -1, 9, 10, 11, -1);
    auto eight = [&](const uint8_t* p) {
        return packRgbxLanes(_mm256_shuffle_epi8(loadPair(reinterpret_cast<const uint16_t*>(p),
                                                          reinterpret_cast<const uint16_t*>(p + 12)),
                                                 spread));
    };
    for (; count >= 18; count -= 16, in += 48, out += 16)
        store(out, _mm256_permute4x64_epi64(_mm256_packs_epi32(eight(in), eight(in + 24)), _MM_SHUFFLE(3, 1, 2, 0)));
    for (size_t i = 0; i < count; ++i, in += 3)
        out[i] = PixelRules::pack8(in[0], in[1], in[2]);
}

void halfAvx2(uint16_t* row, size_t count, uint16_t color)
{
    const __m256i colorHalf = splat((color & 0xF7DFu) >> 1);
    for (; count >= 16; count -= 16, row += 16)
        store(row, _mm256_add_epi16(colorHalf, _mm256_srli_epi16(_mm256_and_si256(load(row), splat(0xF7DF)), 1)));
    lower.half(row, count, color);
}

// One colour over sixteen destinations with one weight a (1..63). Each channel is
// d + floor((c - d) a / 64) = floor((d (64 - a) + c a) / 64), and every product is exact
// in 16 bits: with the channel at the top of its lane, the high half of the product with
// (64 - a) << 10 is d (64 - a) times 32 (red, blue), and with green moved up by one bit,
// d (64 - a) itself. The sums stay below 65536, and the division is a mask or a shift.
struct ConstantBlend {
    ConstantBlend(uint16_t color, uint32_t weight)
        : keep(splat((64 - weight) << 10)), red(splat(((color >> 11) * weight) << 5)),
          green(splat(((color >> 5) & 63) * weight)), blue(splat(((color & 31) * weight) << 5))
    {
    }
    __m256i apply(__m256i d) const
    {
        const __m256i r = _mm256_and_si256(_mm256_add_epi16(_mm256_mulhi_epu16(_mm256_and_si256(d, splat(0xF800)), keep), red),
                                           splat(0xF800));
        const __m256i g2 = _mm256_slli_epi16(_mm256_and_si256(d, splat(0x07E0)), 1);
        const __m256i g = _mm256_and_si256(_mm256_srli_epi16(_mm256_add_epi16(_mm256_mulhi_epu16(g2, keep), green), 1),
                                           splat(0x07E0));
        const __m256i b = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mulhi_epu16(_mm256_slli_epi16(d, 11), keep), blue), 11);
        return _mm256_or_si256(_mm256_or_si256(r, g), b);
    }
    __m256i keep, red, green, blue;
};

void blendAvx2(uint16_t* row, size_t count, uint16_t color, uint32_t weight)
{
    if (weight == 0)
        return;
    const ConstantBlend blend(color, weight);
    for (; count >= 32; count -= 32, row += 32) {
        const __m256i first = blend.apply(load(row));
        const __m256i second = blend.apply(load(row + 16));
        store(row, first);
        store(row + 16, second);
    }
    for (; count >= 16; count -= 16, row += 16)
        store(row, blend.apply(load(row)));
    lower.blend(row, count, color, weight);
}

// Lanes where the mask is set take `ifSet`, the others `otherwise`.
inline __m256i select(__m256i mask, __m256i ifSet, __m256i otherwise)
{
    return _mm256_blendv_epi8(otherwise, ifSet, mask);
}

// The keyed kernels give each pixel a result that a second pass over it would not change
// (a key pixel keeps the destination, any other writes the same value again), so the last
// sixteen pixels of a run of at least sixteen are done as one step ending at its end.
template <typename Step>
inline void keyedRun(uint16_t* row, const uint16_t* source, size_t count, Step step)
{
    size_t i = 0;
    for (; i + 16 <= count; i += 16)
        step(row + i, source + i);
    if (i < count)
        step(row + count - 16, source + count - 16);
}

void copyKeyedAvx2(uint16_t* row, const uint16_t* source, size_t count, uint16_t key)
{
    if (count < 16) {
        lower.copyKeyed(row, source, count, key);
        return;
    }
    const __m256i k = splat(key);
    keyedRun(row, source, count, [&](uint16_t* r, const uint16_t* s) {
        const __m256i pixels = load(s);
        store(r, select(_mm256_cmpeq_epi16(pixels, k), load(r), pixels));
    });
}

void fillKeyedAvx2(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    if (count < 16) {
        lower.fillKeyed(row, source, count, key, fill);
        return;
    }
    const __m256i k = splat(key);
    const __m256i f = splat(fill);
    keyedRun(row, source, count,
             [&](uint16_t* r, const uint16_t* s) { store(r, select(_mm256_cmpeq_epi16(load(s), k), load(r), f)); });
}

void fillBackgroundAvx2(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    if (count < 16) {
        lower.fillBackground(row, source, count, key, fill);
        return;
    }
    const __m256i k = splat(key);
    const __m256i f = splat(fill);
    keyedRun(row, source, count, [&](uint16_t* r, const uint16_t* s) {
        const __m256i pixels = load(s);
        store(r, select(_mm256_cmpeq_epi16(pixels, k), f, pixels));
    });
}

// Each channel on its own 16-bit lane, as in the SSE2 kernel: (c - d) a stays within
// +-3969 and the arithmetic shift is the floor of the division by 64.
inline __m256i blendChannel(__m256i c, __m256i d, __m256i weight)
{
    return _mm256_add_epi16(d, _mm256_srai_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(c, d), weight), 6));
}

inline __m256i blendPixels(__m256i c, __m256i d, __m256i a)
{
    const __m256i r = blendChannel(_mm256_srli_epi16(c, 11), _mm256_srli_epi16(d, 11), a);
    const __m256i g = blendChannel(_mm256_and_si256(_mm256_srli_epi16(c, 5), splat(0x3F)),
                                   _mm256_and_si256(_mm256_srli_epi16(d, 5), splat(0x3F)), a);
    const __m256i b = blendChannel(_mm256_and_si256(c, splat(0x1F)), _mm256_and_si256(d, splat(0x1F)), a);
    return _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(r, 11), _mm256_slli_epi16(g, 5)), b);
}

// The average of weight 32 without carries between the fields (see the SSE2 kernel).
inline __m256i averagePixels(__m256i c, __m256i d)
{
    return _mm256_add_epi16(_mm256_and_si256(c, d),
                            _mm256_srli_epi16(_mm256_and_si256(_mm256_xor_si256(c, d), splat(0xF7DE)), 1));
}

void blendSourceAvx2(uint16_t* row, const uint16_t* source, size_t count, uint32_t weight)
{
    if (weight == 0)
        return;
    if (weight == 32) {
        for (; count >= 16; count -= 16, row += 16, source += 16)
            store(row, averagePixels(load(source), load(row)));
    } else {
        const __m256i a = splat(weight);
        for (; count >= 16; count -= 16, row += 16, source += 16)
            store(row, blendPixels(load(source), load(row), a));
    }
    lower.blendSource(row, source, count, weight);
}

void blendAlphaAvx2(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count)
{
    for (; count >= 16; count -= 16, row += 16, source += 16, alpha += 16) {
        const __m256i a = _mm256_and_si256(_mm256_srli_epi16(load(alpha), 5), splat(0x3F));
        // Sprites are mostly fully transparent or not: sixteen transparent pixels are skipped.
        if (_mm256_testz_si256(a, a))
            continue;
        store(row, blendPixels(load(source), load(row), a));
    }
    lower.blendAlpha(row, source, alpha, count);
}

// Sixteen pixels in reverse order: the two halves are loaded each into the other's place,
// then each is reversed within itself by a byte shuffle (no shuffle across the halves).
inline __m256i loadReversed(const uint16_t* p)
{
    const __m256i order = _mm256_setr_epi8(14, 15, 12, 13, 10, 11, 8, 9, 6, 7, 4, 5, 2, 3, 0, 1, 14, 15, 12, 13, 10, 11,
                                           8, 9, 6, 7, 4, 5, 2, 3, 0, 1);
    return _mm256_shuffle_epi8(loadPair(p + 8, p), order);
}

void copyReversedAvx2(uint16_t* target, const uint16_t* source, size_t count)
{
    uint16_t* end = target + count;
    for (; count >= 32; count -= 32, source += 32, end -= 32) {
        const __m256i first = loadReversed(source);
        const __m256i second = loadReversed(source + 16);
        store(end - 16, first);
        store(end - 32, second);
    }
    for (; count >= 16; count -= 16, source += 16, end -= 16)
        store(end - 16, loadReversed(source));
    lower.copyReversed(end - count, source, count);
}

// Eight pixels of one run and eight of another, converted for RGB555 targets.
template <bool convert>
inline __m256i loadRuns(const uint16_t* low, const uint16_t* high)
{
    const __m256i pixels = loadPair(low, high);
    return convert ? to555(pixels) : pixels;
}

// Sixteen destination columns of eight rows: source runs i and i + 8 share a register, an
// 8x8 transpose in three rounds of interleaving runs in both halves at once, and each
// destination row piece is 32 contiguous bytes, one store.
template <bool convert>
void copyQuarterTurnBlock(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep)
{
    const long half = 8 * columnStep;
    __m256i r0 = loadRuns<convert>(source, source + half);
    __m256i r1 = loadRuns<convert>(source + columnStep, source + columnStep + half);
    __m256i r2 = loadRuns<convert>(source + 2 * columnStep, source + 2 * columnStep + half);
    __m256i r3 = loadRuns<convert>(source + 3 * columnStep, source + 3 * columnStep + half);
    __m256i r4 = loadRuns<convert>(source + 4 * columnStep, source + 4 * columnStep + half);
    __m256i r5 = loadRuns<convert>(source + 5 * columnStep, source + 5 * columnStep + half);
    __m256i r6 = loadRuns<convert>(source + 6 * columnStep, source + 6 * columnStep + half);
    __m256i r7 = loadRuns<convert>(source + 7 * columnStep, source + 7 * columnStep + half);
    __m256i a0 = _mm256_unpacklo_epi16(r0, r1), a1 = _mm256_unpackhi_epi16(r0, r1);
    __m256i a2 = _mm256_unpacklo_epi16(r2, r3), a3 = _mm256_unpackhi_epi16(r2, r3);
    __m256i a4 = _mm256_unpacklo_epi16(r4, r5), a5 = _mm256_unpackhi_epi16(r4, r5);
    __m256i a6 = _mm256_unpacklo_epi16(r6, r7), a7 = _mm256_unpackhi_epi16(r6, r7);
    __m256i b0 = _mm256_unpacklo_epi32(a0, a2), b1 = _mm256_unpackhi_epi32(a0, a2);
    __m256i b2 = _mm256_unpacklo_epi32(a1, a3), b3 = _mm256_unpackhi_epi32(a1, a3);
    __m256i b4 = _mm256_unpacklo_epi32(a4, a6), b5 = _mm256_unpackhi_epi32(a4, a6);
    __m256i b6 = _mm256_unpacklo_epi32(a5, a7), b7 = _mm256_unpackhi_epi32(a5, a7);
    store(destination, _mm256_unpacklo_epi64(b0, b4));
    store(destination + destinationPitch, _mm256_unpackhi_epi64(b0, b4));
    store(destination + 2 * destinationPitch, _mm256_unpacklo_epi64(b1, b5));
    store(destination + 3 * destinationPitch, _mm256_unpackhi_epi64(b1, b5));
    store(destination + 4 * destinationPitch, _mm256_unpacklo_epi64(b2, b6));
    store(destination + 5 * destinationPitch, _mm256_unpackhi_epi64(b2, b6));
    store(destination + 6 * destinationPitch, _mm256_unpacklo_epi64(b3, b7));
    store(destination + 7 * destinationPitch, _mm256_unpackhi_epi64(b3, b7));
}

// Source runs read forwards (rowStep 1) only; runs read backwards, and the columns and rows
// that do not fill a block, go to the kernel below.
template <bool convert>
void quarterTurnAvx2(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                     long rowStep, size_t columns, size_t rows)
{
    const auto lowerTurn = convert ? lower.copyQuarterTurn555 : lower.copyQuarterTurn;
    if (rowStep != 1) {
        lowerTurn(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
        return;
    }
    const size_t blockColumns = columns & ~size_t(15);
    const size_t blockRows = rows & ~size_t(7);
    for (size_t i = 0; i < blockColumns; i += 16) {
        uint16_t* out = destination + i;
        const uint16_t* in = source + static_cast<long>(i) * columnStep;
        for (size_t j = 0; j < blockRows; j += 8)
            copyQuarterTurnBlock<convert>(out + static_cast<long>(j) * destinationPitch, destinationPitch,
                                          in + static_cast<long>(j), columnStep);
    }
    if (blockColumns < columns)
        lowerTurn(destination + blockColumns, destinationPitch, source + static_cast<long>(blockColumns) * columnStep,
                  columnStep, rowStep, columns - blockColumns, blockRows);
    if (blockRows < rows)
        lowerTurn(destination + static_cast<long>(blockRows) * destinationPitch, destinationPitch,
                  source + static_cast<long>(blockRows), columnStep, rowStep, columns, rows - blockRows);
}

void copyQuarterTurnAvx2(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                         long rowStep, size_t columns, size_t rows)
{
    quarterTurnAvx2<false>(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
}

void copyQuarterTurn555Avx2(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                            long rowStep, size_t columns, size_t rows)
{
    quarterTurnAvx2<true>(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
}

// The video rule on sixteen 16-bit lanes, the same split as the SSE2 kernel's: each channel
// is Y + base + ((42 Y + rest) >> 8) with base and rest from the block's chroma alone, and
// the sums inside the shift stay within 16 bits.
struct ChromaLanes {
    __m256i redBase, redRest, greenBase, greenRest, blueBase, blueRest;
};

// A multiplier the compiler cannot see through: it would otherwise turn each multiply
// into shifts and additions, more work for the vector units than one multiply.
inline __m256i opaqueFactor(short factor)
{
    __m256i value = _mm256_set1_epi16(factor);
    asm("" : "+x"(value));
    return value;
}

inline __m256i doubledLow(__m256i terms) { return _mm256_unpacklo_epi16(terms, terms); }
inline __m256i doubledHigh(__m256i terms) { return _mm256_unpackhi_epi16(terms, terms); }

// Sixteen U and V samples widened to lanes (blocks 0..7 in the lower half, 8..15 in the
// upper). Unpacking works within each half, so `low` holds blocks 0..3 and 8..11 doubled
// (columns 0..7 and 16..23) and `high` blocks 4..7 and 12..15 (columns 8..15 and 24..31):
// the same order the luma samples take when they are widened.
inline void chromaLanes(__m256i u, __m256i v, ChromaLanes& low, ChromaLanes& high)
{
    const __m256i redBase = _mm256_sub_epi16(v, _mm256_set1_epi16(144));
    const __m256i redRest = _mm256_sub_epi16(_mm256_mullo_epi16(v, opaqueFactor(153)), _mm256_set1_epi16(20256));
    const __m256i greenBase = _mm256_sub_epi16(_mm256_set1_epi16(112), v);
    const __m256i greenRest = _mm256_add_epi16(
        _mm256_sub_epi16(_mm256_mullo_epi16(v, opaqueFactor(48)), _mm256_mullo_epi16(u, opaqueFactor(100))),
        _mm256_set1_epi16(6112));
    const __m256i blueBase = _mm256_sub_epi16(_mm256_add_epi16(u, u), _mm256_set1_epi16(272));
    const __m256i blueRest = _mm256_sub_epi16(_mm256_slli_epi16(u, 2), _mm256_set1_epi16(1056));
    low = {doubledLow(redBase),   doubledLow(redRest),  doubledLow(greenBase),
           doubledLow(greenRest), doubledLow(blueBase), doubledLow(blueRest)};
    high = {doubledHigh(redBase),   doubledHigh(redRest),  doubledHigh(greenBase),
            doubledHigh(greenRest), doubledHigh(blueBase), doubledHigh(blueRest)};
}

inline __m256i yuvChannel(__m256i y, __m256i y42, __m256i base, __m256i rest)
{
    return _mm256_add_epi16(_mm256_add_epi16(y, base), _mm256_srai_epi16(_mm256_add_epi16(y42, rest), 8));
}

// Thirty-two luma samples of one row. Saturating to bytes does what the clamping table
// does; then high = (R & 0xF8) | (G >> 5), low = ((G & 0x1C) << 3) | (B >> 3), and the
// halves are put back in column order.
inline void yuvRow(uint16_t* out, const uint8_t* luma, const ChromaLanes& low, const ChromaLanes& high,
                                 __m256i factor42)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i samples = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(luma));
    const __m256i yLow = _mm256_unpacklo_epi8(samples, zero);
    const __m256i yHigh = _mm256_unpackhi_epi8(samples, zero);
    const __m256i y42Low = _mm256_mullo_epi16(yLow, factor42);
    const __m256i y42High = _mm256_mullo_epi16(yHigh, factor42);
    const __m256i r = _mm256_packus_epi16(yuvChannel(yLow, y42Low, low.redBase, low.redRest),
                                          yuvChannel(yHigh, y42High, high.redBase, high.redRest));
    const __m256i g = _mm256_packus_epi16(yuvChannel(yLow, y42Low, low.greenBase, low.greenRest),
                                          yuvChannel(yHigh, y42High, high.greenBase, high.greenRest));
    const __m256i b = _mm256_packus_epi16(yuvChannel(yLow, y42Low, low.blueBase, low.blueRest),
                                          yuvChannel(yHigh, y42High, high.blueBase, high.blueRest));
    const __m256i upper = _mm256_or_si256(_mm256_and_si256(r, _mm256_set1_epi8(static_cast<char>(0xF8))),
                                          _mm256_and_si256(_mm256_srli_epi16(g, 5), _mm256_set1_epi8(0x07)));
    const __m256i lower =
        _mm256_or_si256(_mm256_and_si256(_mm256_slli_epi16(g, 3), _mm256_set1_epi8(static_cast<char>(0xE0))),
                        _mm256_and_si256(_mm256_srli_epi16(b, 3), _mm256_set1_epi8(0x1F)));
    const __m256i first = _mm256_unpacklo_epi8(lower, upper);
    const __m256i second = _mm256_unpackhi_epi8(lower, upper);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_permute2x128_si256(first, second, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 16), _mm256_permute2x128_si256(first, second, 0x31));
}

void yuvRowPairAvx2(uint16_t* top, uint16_t* bottom, const uint8_t* yTop, const uint8_t* yBottom,
                                  const uint8_t* u, const uint8_t* v, size_t pairs)
{
    // Fewer than sixteen blocks: the kernel below, which covers narrower rows.
    if (pairs < 16) {
        lower.yuvRowPair(top, bottom, yTop, yBottom, u, v, pairs);
        return;
    }
    const __m256i factor42 = opaqueFactor(42);
    // The last step ends at the row's end, going over some blocks a second time: they get
    // the same pixels again.
    for (size_t i = 0;; i += 16) {
        if (i + 16 > pairs)
            i = pairs - 16;
        const __m256i us = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(u + i)));
        const __m256i vs = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(v + i)));
        ChromaLanes low, high;
        chromaLanes(us, vs, low, high);
        yuvRow(top + 2 * i, yTop + 2 * i, low, high, factor42);
        yuvRow(bottom + 2 * i, yBottom + 2 * i, low, high, factor42);
        if (i + 16 == pairs)
            break;
    }
}

} // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace VectorKernelsAvx2 {

VectorKernels over(const VectorKernels& base)
{
    VectorKernels kernels = base;
    if (!__builtin_cpu_supports("avx2"))
        return kernels;
    lower = base;
    if (base.rowTo555)
        kernels.rowTo555 = rowTo555Avx2;
    if (base.copyQuarterTurn)
        kernels.copyQuarterTurn = copyQuarterTurnAvx2;
    if (base.yuvRowPair)
        kernels.yuvRowPair = yuvRowPairAvx2;
    if (base.packRgbx)
        kernels.packRgbx = packRgbxAvx2;
    // The baseline has no byte shuffle to spread 3-byte pixels with: this one stands alone.
    kernels.packRgb = packRgbAvx2;
    if (base.half)
        kernels.half = halfAvx2;
    if (base.blend)
        kernels.blend = blendAvx2;
    if (base.copyKeyed)
        kernels.copyKeyed = copyKeyedAvx2;
    if (base.fillKeyed)
        kernels.fillKeyed = fillKeyedAvx2;
    if (base.fillBackground)
        kernels.fillBackground = fillBackgroundAvx2;
    if (base.blendSource)
        kernels.blendSource = blendSourceAvx2;
    if (base.blendAlpha)
        kernels.blendAlpha = blendAlphaAvx2;
    if (base.copyReversed)
        kernels.copyReversed = copyReversedAvx2;
    if (base.copyQuarterTurn555)
        kernels.copyQuarterTurn555 = copyQuarterTurn555Avx2;
    return kernels;
}

} // namespace VectorKernelsAvx2

#else

namespace VectorKernelsAvx2 {
VectorKernels over(const VectorKernels& base) { return base; }
} // namespace VectorKernelsAvx2

#endif
