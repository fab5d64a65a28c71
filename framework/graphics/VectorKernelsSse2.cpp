// The SSE2 kernels: eight RGB565 pixels fill one 128-bit register. SSE2 is part of every
// x86-64 processor, so no run-time detection is needed; other processors get no entries.
#include "graphics/VectorKernels.h"

#if defined(__SSE2__)

#include "graphics/PixelRules.h"

#include <emmintrin.h>
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

void blendSse2(uint16_t* row, size_t count, uint16_t color, uint32_t weight)
{
    if (weight == 0)
        return;
    const __m128i a = _mm_set1_epi16(static_cast<short>(weight));
    const __m128i mask5 = _mm_set1_epi16(0x1F);
    const __m128i mask6 = _mm_set1_epi16(0x3F);
    const __m128i cr = _mm_set1_epi16(static_cast<short>(color >> 11));
    const __m128i cg = _mm_set1_epi16(static_cast<short>((color >> 5) & 0x3F));
    const __m128i cb = _mm_set1_epi16(static_cast<short>(color & 0x1F));
    for (; count >= 8; count -= 8, row += 8) {
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
        __m128i r = blendChannel(cr, _mm_srli_epi16(d, 11), a);
        __m128i g = blendChannel(cg, _mm_and_si128(_mm_srli_epi16(d, 5), mask6), a);
        __m128i b = blendChannel(cb, _mm_and_si128(d, mask5), a);
        __m128i out = _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 11), _mm_slli_epi16(g, 5)), b);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row), out);
    }
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::blend(color, row[i], weight);
}

inline __m128i to555(__m128i p)
{
    const __m128i blue = _mm_set1_epi16(0x001F);
    const __m128i redGreen = _mm_set1_epi16(static_cast<short>(0xFFC0));
    return _mm_or_si128(_mm_and_si128(p, blue), _mm_srli_epi16(_mm_and_si128(p, redGreen), 1));
}

void rowTo555Sse2(uint16_t* target, const uint16_t* source, size_t count)
{
    for (; count >= 8; count -= 8, target += 8, source += 8)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(target),
                         to555(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source))));
    for (size_t i = 0; i < count; ++i)
        target[i] = PixelRules::toRgb555(source[i]);
}

// Eight columns of eight rows at a time: the rows are loaded, turned into columns with
// three rounds of interleaving, and each column stored as one run.
void transposeBandSse2(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source, ptrdiff_t sourceStride,
                       size_t count, bool convert)
{
    size_t x = 0;
    for (; x + 8 <= count; x += 8) {
        __m128i r[8];
        for (int i = 0; i < 8; ++i)
            r[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i * sourceStride + x));
        __m128i a[8];
        for (int i = 0; i < 4; ++i) {
            a[2 * i] = _mm_unpacklo_epi16(r[2 * i], r[2 * i + 1]);
            a[2 * i + 1] = _mm_unpackhi_epi16(r[2 * i], r[2 * i + 1]);
        }
        // a[0]: rows 0,1 of columns 0-3; a[1]: rows 0,1 of columns 4-7; a[2], a[3]: rows 2,3 ...
        __m128i b[8];
        for (int i = 0; i < 2; ++i) {
            b[4 * i] = _mm_unpacklo_epi32(a[4 * i], a[4 * i + 2]);
            b[4 * i + 1] = _mm_unpackhi_epi32(a[4 * i], a[4 * i + 2]);
            b[4 * i + 2] = _mm_unpacklo_epi32(a[4 * i + 1], a[4 * i + 3]);
            b[4 * i + 3] = _mm_unpackhi_epi32(a[4 * i + 1], a[4 * i + 3]);
        }
        // b[0..3]: rows 0-3 of column pairs (0,1), (2,3), (4,5), (6,7); b[4..7]: rows 4-7.
        for (int i = 0; i < 4; ++i) {
            __m128i even = _mm_unpacklo_epi64(b[i], b[i + 4]);
            __m128i odd = _mm_unpackhi_epi64(b[i], b[i + 4]);
            if (convert)
                even = to555(even), odd = to555(odd);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(target + static_cast<ptrdiff_t>(x + 2 * i) * targetPitch),
                             even);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(target + static_cast<ptrdiff_t>(x + 2 * i + 1) * targetPitch),
                             odd);
        }
    }
    for (; x < count; ++x) {
        uint16_t* column = reinterpret_cast<uint16_t*>(target + static_cast<ptrdiff_t>(x) * targetPitch);
        for (int i = 0; i < 8; ++i) {
            uint16_t p = source[i * sourceStride + static_cast<ptrdiff_t>(x)];
            column[i] = convert ? PixelRules::toRgb555(p) : p;
        }
    }
}

const VectorKernels sse2Kernels = {rowTo555Sse2, transposeBandSse2, fillSse2, halfSse2, blendSse2};

} // namespace

const VectorKernels& processorKernels() { return sse2Kernels; }

#else

const VectorKernels& processorKernels()
{
    static const VectorKernels none = {};
    return none;
}

#endif
