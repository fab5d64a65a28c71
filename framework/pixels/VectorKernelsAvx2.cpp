// The AVX2 kernels: sixteen RGB565 pixels fill one 256-bit register. Not every x86-64
// processor has AVX2, so these functions alone are compiled for it and are put in the
// table only when the processor says it has it.
#include "pixels/VectorKernelsAvx2.h"

#if defined(__x86_64__) || defined(__i386__)

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

void rowTo555Avx2(uint16_t* target, const uint16_t* source, size_t count)
{
    const __m256i blue = _mm256_set1_epi16(0x001F);
    const __m256i redGreen = _mm256_set1_epi16(static_cast<short>(0xFFC0));
    for (; count >= 16; count -= 16, target += 16, source += 16) {
        __m256i p = load(source);
        store(target, _mm256_or_si256(_mm256_and_si256(p, blue), _mm256_srli_epi16(_mm256_and_si256(p, redGreen), 1)));
    }
    lower.rowTo555(target, source, count);
}

// Sixteen destination columns of eight rows: source runs i and i + 8 share a register, an
// 8x8 transpose in three rounds of interleaving runs in both halves at once, and each
// destination row piece is 32 contiguous bytes, one store.
void copyQuarterTurnBlock(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep)
{
    const long half = 8 * columnStep;
    __m256i r0 = loadPair(source, source + half);
    __m256i r1 = loadPair(source + columnStep, source + columnStep + half);
    __m256i r2 = loadPair(source + 2 * columnStep, source + 2 * columnStep + half);
    __m256i r3 = loadPair(source + 3 * columnStep, source + 3 * columnStep + half);
    __m256i r4 = loadPair(source + 4 * columnStep, source + 4 * columnStep + half);
    __m256i r5 = loadPair(source + 5 * columnStep, source + 5 * columnStep + half);
    __m256i r6 = loadPair(source + 6 * columnStep, source + 6 * columnStep + half);
    __m256i r7 = loadPair(source + 7 * columnStep, source + 7 * columnStep + half);
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
void copyQuarterTurnAvx2(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                         long rowStep, size_t columns, size_t rows)
{
    if (rowStep != 1) {
        lower.copyQuarterTurn(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
        return;
    }
    const size_t blockColumns = columns & ~size_t(15);
    const size_t blockRows = rows & ~size_t(7);
    for (size_t i = 0; i < blockColumns; i += 16) {
        uint16_t* out = destination + i;
        const uint16_t* in = source + static_cast<long>(i) * columnStep;
        for (size_t j = 0; j < blockRows; j += 8)
            copyQuarterTurnBlock(out + static_cast<long>(j) * destinationPitch, destinationPitch,
                                 in + static_cast<long>(j), columnStep);
    }
    if (blockColumns < columns)
        lower.copyQuarterTurn(destination + blockColumns, destinationPitch,
                              source + static_cast<long>(blockColumns) * columnStep, columnStep, rowStep,
                              columns - blockColumns, blockRows);
    if (blockRows < rows)
        lower.copyQuarterTurn(destination + static_cast<long>(blockRows) * destinationPitch, destinationPitch,
                              source + static_cast<long>(blockRows), columnStep, rowStep, columns, rows - blockRows);
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
    return kernels;
}

} // namespace VectorKernelsAvx2

#else

namespace VectorKernelsAvx2 {
VectorKernels over(const VectorKernels& base) { return base; }
} // namespace VectorKernelsAvx2

#endif
