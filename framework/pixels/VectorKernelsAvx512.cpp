// The AVX-512 kernels: thirty-two RGB565 pixels fill one 512-bit register. Compiled for
// AVX-512BW alone and put in the table only when the processor says it has it.
#include "pixels/VectorKernelsAvx512.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f,avx512bw"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f,avx512bw")
#endif

namespace {

inline __m512i splat(uint32_t value) { return _mm512_set1_epi16(static_cast<short>(value)); }

// The first `count` lanes (count below 32) of a run's last step.
inline __mmask32 firstLanes(size_t count) { return static_cast<__mmask32>((1u << count) - 1); }

inline __m512i halve(__m512i d, __m512i colorHalf)
{
    return _mm512_add_epi16(colorHalf, _mm512_srli_epi16(_mm512_and_si512(d, splat(0xF7DF)), 1));
}

void halfAvx512(uint16_t* row, size_t count, uint16_t color)
{
    const __m512i colorHalf = splat((color & 0xF7DFu) >> 1);
    for (; count >= 32; count -= 32, row += 32)
        _mm512_storeu_si512(row, halve(_mm512_loadu_si512(row), colorHalf));
    const __mmask32 rest = firstLanes(count);
    _mm512_mask_storeu_epi16(row, rest, halve(_mm512_maskz_loadu_epi16(rest, row), colorHalf));
}

// One colour over thirty-two destinations with one weight a (1..63): the same exact split
// as the AVX2 kernel's, floor((d (64 - a) + c a) / 64) per channel with the products taken
// as the high halves of 16-bit multiplications.
struct ConstantBlend {
    __m512i keep, red, green, blue;
    __m512i apply(__m512i d) const
    {
        const __m512i r = _mm512_and_si512(
            _mm512_add_epi16(_mm512_mulhi_epu16(_mm512_and_si512(d, splat(0xF800)), keep), red), splat(0xF800));
        const __m512i g2 = _mm512_slli_epi16(_mm512_and_si512(d, splat(0x07E0)), 1);
        const __m512i g = _mm512_and_si512(_mm512_srli_epi16(_mm512_add_epi16(_mm512_mulhi_epu16(g2, keep), green), 1),
                                           splat(0x07E0));
        const __m512i b =
            _mm512_srli_epi16(_mm512_add_epi16(_mm512_mulhi_epu16(_mm512_slli_epi16(d, 11), keep), blue), 11);
        return _mm512_or_si512(_mm512_or_si512(r, g), b);
    }
};

void blendAvx512(uint16_t* row, size_t count, uint16_t color, uint32_t weight)
{
    if (weight == 0)
        return;
    const ConstantBlend blend = {splat((64 - weight) << 10), splat(((color >> 11) * weight) << 5),
                                 splat(((color >> 5) & 63u) * weight), splat(((color & 31u) * weight) << 5)};
    for (; count >= 32; count -= 32, row += 32)
        _mm512_storeu_si512(row, blend.apply(_mm512_loadu_si512(row)));
    const __mmask32 rest = firstLanes(count);
    _mm512_mask_storeu_epi16(row, rest, blend.apply(_mm512_maskz_loadu_epi16(rest, row)));
}

// The keyed kernels store only the lanes that change (the source pixel, or the fill when
// `recolour` is set): the destination is never read.
template <bool recolour>
inline void keyedRun(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    const __m512i k = splat(key);
    const __m512i f = splat(fill);
    for (; count >= 32; count -= 32, row += 32, source += 32) {
        const __m512i s = _mm512_loadu_si512(source);
        _mm512_mask_storeu_epi16(row, _mm512_cmpneq_epi16_mask(s, k), recolour ? f : s);
    }
    const __mmask32 rest = firstLanes(count);
    const __m512i s = _mm512_maskz_loadu_epi16(rest, source);
    _mm512_mask_storeu_epi16(row, _mm512_mask_cmpneq_epi16_mask(rest, s, k), recolour ? f : s);
}

void copyKeyedAvx512(uint16_t* row, const uint16_t* source, size_t count, uint16_t key)
{
    keyedRun<false>(row, source, count, key, 0);
}

void fillKeyedAvx512(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    keyedRun<true>(row, source, count, key, fill);
}

void fillBackgroundAvx512(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    const __m512i k = splat(key);
    const __m512i f = splat(fill);
    for (; count >= 32; count -= 32, row += 32, source += 32) {
        const __m512i s = _mm512_loadu_si512(source);
        _mm512_storeu_si512(row, _mm512_mask_mov_epi16(s, _mm512_cmpeq_epi16_mask(s, k), f));
    }
    const __mmask32 rest = firstLanes(count);
    const __m512i s = _mm512_maskz_loadu_epi16(rest, source);
    _mm512_mask_storeu_epi16(row, rest, _mm512_mask_mov_epi16(s, _mm512_cmpeq_epi16_mask(s, k), f));
}

} // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace VectorKernelsAvx512 {

VectorKernels over(const VectorKernels& base)
{
    VectorKernels kernels = base;
    if (!__builtin_cpu_supports("avx512bw"))
        return kernels;
    if (base.half)
        kernels.half = halfAvx512;
    if (base.blend)
        kernels.blend = blendAvx512;
    if (base.copyKeyed)
        kernels.copyKeyed = copyKeyedAvx512;
    if (base.fillKeyed)
        kernels.fillKeyed = fillKeyedAvx512;
    if (base.fillBackground)
        kernels.fillBackground = fillBackgroundAvx512;
    return kernels;
}

} // namespace VectorKernelsAvx512

#else

namespace VectorKernelsAvx512 {
VectorKernels over(const VectorKernels& base) { return base; }
} // namespace VectorKernelsAvx512

#endif
