// The display flip's SSE2 kernels (eight RGB565 pixels to a register), and the choice of
// the widest kernels this processor runs.
#include "graphics/FlipKernels.h"

#if defined(__SSE2__)

#include "graphics/PixelRules.h"

#include <emmintrin.h>

#include <cstring>

namespace {

inline __m128i loadPixels(const uint16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void storePixels(void* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

inline __m128i to555(__m128i p)
{
    const __m128i blue = _mm_set1_epi16(0x001F);
    const __m128i redGreen = _mm_set1_epi16(static_cast<short>(0xFFC0));
    return _mm_or_si128(_mm_and_si128(p, blue), _mm_srli_epi16(_mm_and_si128(p, redGreen), 1));
}

template <bool convert> inline uint16_t converted(uint16_t p) { return convert ? PixelRules::toRgb555(p) : p; }

// Eight rows of eight pixels turned into eight columns with three rounds of interleaving.
inline void transpose8(__m128i& r0, __m128i& r1, __m128i& r2, __m128i& r3, __m128i& r4, __m128i& r5, __m128i& r6,
                       __m128i& r7)
{
    // Rows (0, 1), (2, 3), (4, 5), (6, 7) interleaved: columns 0-3 in the low halves' results,
    // columns 4-7 in the high ones.
    __m128i a0 = _mm_unpacklo_epi16(r0, r1), a1 = _mm_unpackhi_epi16(r0, r1);
    __m128i a2 = _mm_unpacklo_epi16(r2, r3), a3 = _mm_unpackhi_epi16(r2, r3);
    __m128i a4 = _mm_unpacklo_epi16(r4, r5), a5 = _mm_unpackhi_epi16(r4, r5);
    __m128i a6 = _mm_unpacklo_epi16(r6, r7), a7 = _mm_unpackhi_epi16(r6, r7);
    // Rows 0-3 of the column pairs (0, 1), (2, 3), (4, 5), (6, 7); then rows 4-7 of them.
    __m128i b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
    __m128i b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
    __m128i b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
    __m128i b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
    r0 = _mm_unpacklo_epi64(b0, b4), r1 = _mm_unpackhi_epi64(b0, b4);
    r2 = _mm_unpacklo_epi64(b1, b5), r3 = _mm_unpackhi_epi64(b1, b5);
    r4 = _mm_unpacklo_epi64(b2, b6), r5 = _mm_unpackhi_epi64(b2, b6);
    r6 = _mm_unpacklo_epi64(b3, b7), r7 = _mm_unpackhi_epi64(b3, b7);
}

// Pixels one by one: the columns and rows that do not fill a block of eight.
template <bool convert>
void transposeScalar(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source, ptrdiff_t sourceStride,
                     size_t firstColumn, size_t width, size_t rows)
{
    for (size_t row = 0; row < rows; ++row) {
        const uint16_t* line = source + static_cast<ptrdiff_t>(row) * sourceStride;
        for (size_t x = firstColumn; x < width; ++x) {
            uint16_t p = converted<convert>(line[x]);
            std::memcpy(target + static_cast<ptrdiff_t>(x) * targetPitch + 2 * static_cast<ptrdiff_t>(row), &p, 2);
        }
    }
}

// Eight rows of eight columns: every column becomes 16 contiguous bytes, one store.
template <bool convert>
inline void transposeBlock8(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* s, ptrdiff_t sourceStride)
{
    __m128i r0 = loadPixels(s), r1 = loadPixels(s + sourceStride), r2 = loadPixels(s + 2 * sourceStride);
    __m128i r3 = loadPixels(s + 3 * sourceStride), r4 = loadPixels(s + 4 * sourceStride);
    __m128i r5 = loadPixels(s + 5 * sourceStride), r6 = loadPixels(s + 6 * sourceStride);
    __m128i r7 = loadPixels(s + 7 * sourceStride);
    transpose8(r0, r1, r2, r3, r4, r5, r6, r7);
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

// Bands of eight rows, eight columns at a time; what does not fill a block goes pixel by
// pixel.
template <bool convert>
void transposeRowsSse2(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source, ptrdiff_t sourceStride,
                       size_t width, size_t rows)
{
    size_t row = 0;
    for (; row + 8 <= rows; row += 8) {
        unsigned char* band = target + 2 * static_cast<ptrdiff_t>(row);
        const uint16_t* first = source + static_cast<ptrdiff_t>(row) * sourceStride;
        size_t x = 0;
        for (; x + 8 <= width; x += 8)
            transposeBlock8<convert>(band + static_cast<ptrdiff_t>(x) * targetPitch, targetPitch, first + x,
                                     sourceStride);
        transposeScalar<convert>(band, targetPitch, first, sourceStride, x, width, 8);
    }
    transposeScalar<convert>(target + 2 * static_cast<ptrdiff_t>(row), targetPitch,
                             source + static_cast<ptrdiff_t>(row) * sourceStride, sourceStride, 0, width, rows - row);
}

bool useAvx2()
{
    static const bool available = FlipKernels::avx2::available();
    return available;
}

} // namespace

namespace FlipKernels {

namespace sse2 {

void rowTo555(uint16_t* target, const uint16_t* source, size_t count)
{
    for (; count >= 32; count -= 32, target += 32, source += 32) {
        __m128i p0 = loadPixels(source), p1 = loadPixels(source + 8);
        __m128i p2 = loadPixels(source + 16), p3 = loadPixels(source + 24);
        storePixels(target, to555(p0));
        storePixels(target + 8, to555(p1));
        storePixels(target + 16, to555(p2));
        storePixels(target + 24, to555(p3));
    }
    for (; count >= 8; count -= 8, target += 8, source += 8)
        storePixels(target, to555(loadPixels(source)));
    for (size_t i = 0; i < count; ++i)
        target[i] = PixelRules::toRgb555(source[i]);
}

void transposeRows(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source, ptrdiff_t sourceStride,
                   size_t width, size_t rows, bool to555)
{
    if (to555)
        transposeRowsSse2<true>(target, targetPitch, source, sourceStride, width, rows);
    else
        transposeRowsSse2<false>(target, targetPitch, source, sourceStride, width, rows);
}

} // namespace sse2

void rowTo555(uint16_t* target, const uint16_t* source, size_t count)
{
    (useAvx2() ? avx2::rowTo555 : sse2::rowTo555)(target, source, count);
}

void transposeRows(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source, ptrdiff_t sourceStride,
                   size_t width, size_t rows, bool to555)
{
    (useAvx2() ? avx2::transposeRows : sse2::transposeRows)(target, targetPitch, source, sourceStride, width, rows,
                                                             to555);
}

} // namespace FlipKernels

#endif
