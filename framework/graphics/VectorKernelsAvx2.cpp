// The AVX2 kernels: sixteen RGB565 pixels fill one 256-bit register. Not every x86-64
// processor has AVX2, so only these functions are compiled for it (the rest of the
// library must run anywhere) and processorKernels() picks them after asking the processor.
#include "graphics/VectorKernels.h"

#if defined(__x86_64__) || defined(__i386__)

#include "graphics/YuvKernels.h"

#include <immintrin.h>

#define PARVOLIN_AVX2 __attribute__((target("avx2")))

namespace {

// The video rule on sixteen 16-bit lanes, the same split as the SSE2 kernel's: each channel
// is Y + base + ((42 Y + rest) >> 8) with base and rest from the block's chroma alone, and
// the sums inside the shift stay within 16 bits.
struct ChromaLanes {
    __m256i redBase, redRest, greenBase, greenRest, blueBase, blueRest;
};

// A multiplier the compiler cannot see through: it would otherwise turn each multiply
// into shifts and additions, more work for the vector units than one multiply.
PARVOLIN_AVX2 inline __m256i opaqueFactor(short factor)
{
    __m256i value = _mm256_set1_epi16(factor);
    asm("" : "+x"(value));
    return value;
}

PARVOLIN_AVX2 inline __m256i doubledLow(__m256i terms) { return _mm256_unpacklo_epi16(terms, terms); }
PARVOLIN_AVX2 inline __m256i doubledHigh(__m256i terms) { return _mm256_unpackhi_epi16(terms, terms); }

// Sixteen U and V samples widened to lanes (blocks 0..7 in the lower half, 8..15 in the
// upper). Unpacking works within each half, so `low` holds blocks 0..3 and 8..11 doubled
// (columns 0..7 and 16..23) and `high` blocks 4..7 and 12..15 (columns 8..15 and 24..31):
// the same order the luma samples take when they are widened.
PARVOLIN_AVX2 inline void chromaLanes(__m256i u, __m256i v, ChromaLanes& low, ChromaLanes& high)
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

PARVOLIN_AVX2 inline __m256i yuvChannel(__m256i y, __m256i y42, __m256i base, __m256i rest)
{
    return _mm256_add_epi16(_mm256_add_epi16(y, base), _mm256_srai_epi16(_mm256_add_epi16(y42, rest), 8));
}

// Thirty-two luma samples of one row. Saturating to bytes does what the clamping table
// does; then high = (R & 0xF8) | (G >> 5), low = ((G & 0x1C) << 3) | (B >> 3), and the
// halves are put back in column order.
PARVOLIN_AVX2 inline void yuvRow(uint16_t* out, const uint8_t* luma, const ChromaLanes& low, const ChromaLanes& high,
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

PARVOLIN_AVX2 void yuvRowPairAvx2(uint16_t* top, uint16_t* bottom, const uint8_t* yTop, const uint8_t* yBottom,
                                  const uint8_t* u, const uint8_t* v, size_t pairs)
{
    // Fewer than sixteen blocks: the SSE2 kernel's width.
    if (pairs < 16) {
        sse2Kernels().yuvRowPair(top, bottom, yTop, yBottom, u, v, pairs);
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

const VectorKernels& avx2Kernels()
{
    static const VectorKernels kernels = [] {
        VectorKernels table = sse2Kernels();
        table.yuvRowPair = yuvRowPairAvx2;
        return table;
    }();
    return kernels;
}

bool processorHasAvx2() { return __builtin_cpu_supports("avx2"); }

#else

const VectorKernels& avx2Kernels() { return sse2Kernels(); }

bool processorHasAvx2() { return false; }

#endif
