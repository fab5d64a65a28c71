// The display flip's AVX2 kernels: sixteen RGB565 pixels to a register. Compiled for AVX2
// function by function and used only when the processor says it has it; what does not fill
// a whole register goes to the SSE2 kernels.
#include "graphics/FlipKernels.h"

#if defined(__x86_64__) || defined(__i386__)

#include "graphics/PixelRules.h"

#include <immintrin.h>

namespace FlipKernels {
namespace avx2 {
bool available() { return __builtin_cpu_supports("avx2"); }
} // namespace avx2
} // namespace FlipKernels

#pragma GCC push_options
#pragma GCC target("avx2")

namespace {

inline __m256i loadPixels(const uint16_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
inline void storePixels(void* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

// Row i of the first eight in the low half, row i + 8 in the high half.
inline __m256i loadRowPair(const uint16_t* first, const uint16_t* second)
{
    __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first));
    __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
}

inline __m256i to555(__m256i p)
{
    const __m256i blue = _mm256_set1_epi16(0x001F);
    const __m256i redGreen = _mm256_set1_epi16(static_cast<short>(0xFFC0));
    return _mm256_or_si256(_mm256_and_si256(p, blue), _mm256_srli_epi16(_mm256_and_si256(p, redGreen), 1));
}

// The SSE2 kernel's eight-by-eight turn, done in both halves at once: the interleaving
// instructions work within each 128-bit half.
inline void transpose8x2(__m256i& r0, __m256i& r1, __m256i& r2, __m256i& r3, __m256i& r4, __m256i& r5, __m256i& r6,
                         __m256i& r7)
{
    __m256i a0 = _mm256_unpacklo_epi16(r0, r1), a1 = _mm256_unpackhi_epi16(r0, r1);
    __m256i a2 = _mm256_unpacklo_epi16(r2, r3), a3 = _mm256_unpackhi_epi16(r2, r3);
    __m256i a4 = _mm256_unpacklo_epi16(r4, r5), a5 = _mm256_unpackhi_epi16(r4, r5);
    __m256i a6 = _mm256_unpacklo_epi16(r6, r7), a7 = _mm256_unpackhi_epi16(r6, r7);
    __m256i b0 = _mm256_unpacklo_epi32(a0, a2), b1 = _mm256_unpackhi_epi32(a0, a2);
    __m256i b2 = _mm256_unpacklo_epi32(a1, a3), b3 = _mm256_unpackhi_epi32(a1, a3);
    __m256i b4 = _mm256_unpacklo_epi32(a4, a6), b5 = _mm256_unpackhi_epi32(a4, a6);
    __m256i b6 = _mm256_unpacklo_epi32(a5, a7), b7 = _mm256_unpackhi_epi32(a5, a7);
    r0 = _mm256_unpacklo_epi64(b0, b4), r1 = _mm256_unpackhi_epi64(b0, b4);
    r2 = _mm256_unpacklo_epi64(b1, b5), r3 = _mm256_unpackhi_epi64(b1, b5);
    r4 = _mm256_unpacklo_epi64(b2, b6), r5 = _mm256_unpackhi_epi64(b2, b6);
    r6 = _mm256_unpacklo_epi64(b3, b7), r7 = _mm256_unpackhi_epi64(b3, b7);
}

// Sixteen rows of eight columns: rows i and i + 8 share a register, so that after the turn
// every column is 32 contiguous bytes, one store.
template <bool convert>
inline void transposeBlock16(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* s, ptrdiff_t sourceStride)
{
    const ptrdiff_t half = 8 * sourceStride;
    __m256i r0 = loadRowPair(s, s + half), r1 = loadRowPair(s + sourceStride, s + sourceStride + half);
    __m256i r2 = loadRowPair(s + 2 * sourceStride, s + 2 * sourceStride + half);
    __m256i r3 = loadRowPair(s + 3 * sourceStride, s + 3 * sourceStride + half);
    __m256i r4 = loadRowPair(s + 4 * sourceStride, s + 4 * sourceStride + half);
    __m256i r5 = loadRowPair(s + 5 * sourceStride, s + 5 * sourceStride + half);
    __m256i r6 = loadRowPair(s + 6 * sourceStride, s + 6 * sourceStride + half);
    __m256i r7 = loadRowPair(s + 7 * sourceStride, s + 7 * sourceStride + half);
    transpose8x2(r0, r1, r2, r3, r4, r5, r6, r7);
    if (convert) {
        r0 = to555(r0), r1 = to555(r1), r2 = to555(r2), r3 = to555(r3);
        r4 = to555(r4), r5 = to555(r5), r6 = to555(r6), r7 = to555(r7);
    }
    storePixels(target, r0);
    storePixels(target + targetPitch, r1);
    storePixels(target + 2 * targetPitch, r2);
    storePixels(target + 3 * targetPitch, r3);
    storePixels(target + 4 * targetPitch, r4);
    storePixels(target + 5 * targetPitch, r5);
    storePixels(target + 6 * targetPitch, r6);
    storePixels(target + 7 * targetPitch, r7);
}

// Bands of sixteen rows, eight columns at a time; the rest goes to the SSE2 kernel.
template <bool convert>
void transposeRowsAvx2(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source, ptrdiff_t sourceStride,
                       size_t width, size_t rows)
{
    size_t row = 0;
    size_t x = 0;
    for (; row + 16 <= rows; row += 16) {
        unsigned char* band = target + 2 * static_cast<ptrdiff_t>(row);
        const uint16_t* first = source + static_cast<ptrdiff_t>(row) * sourceStride;
        for (x = 0; x + 8 <= width; x += 8)
            transposeBlock16<convert>(band + static_cast<ptrdiff_t>(x) * targetPitch, targetPitch, first + x,
                                      sourceStride);
    }
    // The columns right of the last block, then the rows below the last band.
    if (row > 0 && x < width)
        FlipKernels::sse2::transposeRows(target + static_cast<ptrdiff_t>(x) * targetPitch, targetPitch, source + x,
                                         sourceStride, width - x, row, convert);
    FlipKernels::sse2::transposeRows(target + 2 * static_cast<ptrdiff_t>(row), targetPitch,
                                     source + static_cast<ptrdiff_t>(row) * sourceStride, sourceStride, width,
                                     rows - row, convert);
}

} // namespace

namespace FlipKernels {
namespace avx2 {

void rowTo555(uint16_t* target, const uint16_t* source, size_t count)
{
    for (; count >= 32; count -= 32, target += 32, source += 32) {
        __m256i p0 = loadPixels(source), p1 = loadPixels(source + 16);
        storePixels(target, to555(p0));
        storePixels(target + 16, to555(p1));
    }
    sse2::rowTo555(target, source, count);
}

void transposeRows(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source, ptrdiff_t sourceStride,
                   size_t width, size_t rows, bool to555)
{
    if (to555)
        transposeRowsAvx2<true>(target, targetPitch, source, sourceStride, width, rows);
    else
        transposeRowsAvx2<false>(target, targetPitch, source, sourceStride, width, rows);
}

} // namespace avx2
} // namespace FlipKernels

#pragma GCC pop_options

#endif
