// The SSE2 kernels: eight RGB565 pixels fill one 128-bit register. SSE2 is part of every
// x86-64 processor, so no run-time detection is needed; other processors get no entries.
#include "graphics/VectorKernels.h"

#if defined(__SSE2__)

#include "graphics/FlipKernels.h"
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

const VectorKernels sse2Kernels = {FlipKernels::rowTo555, FlipKernels::transposeRows, fillSse2, halfSse2, blendSse2};

} // namespace

const VectorKernels& processorKernels() { return sse2Kernels; }

#else

const VectorKernels& processorKernels()
{
    static const VectorKernels none = {};
    return none;
}

#endif
