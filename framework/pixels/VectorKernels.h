#ifndef PARVOLIN_VECTOR_KERNELS_H
#define PARVOLIN_VECTOR_KERNELS_H

#include <cstddef>
#include <cstdint>
#include <vector>

// The colour shaders' rules (PixelRules.h) with their three channel factors (0..255):
// multiply, overlay and screen act on each channel, gray ignores the factors.
struct ChannelShading {
    enum Rule : uint8_t { Multiply, Overlay, Screen, Gray };
    Rule rule;
    uint16_t red;
    uint16_t green;
    uint16_t blue;
};

// Kernels that this processor can run faster than the plain rules of PixelRules.h, each
// giving exactly the same bits. An entry is null where only the plain path exists; the
// callers fall through to it. With PARVOLIN_SIMD=off in the environment every entry is
// null, so the same binary runs the plain path.
struct VectorKernels {
    void (*fill)(uint16_t* row, size_t count, uint16_t color);
    void (*half)(uint16_t* row, size_t count, uint16_t color);
    void (*blend)(uint16_t* row, size_t count, uint16_t color, uint32_t weight);
    // The blits' row kernels (BlitKernels.h).
    void (*copyKeyed)(uint16_t* row, const uint16_t* source, size_t count, uint16_t key);
    void (*fillKeyed)(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill);
    void (*blendSource)(uint16_t* row, const uint16_t* source, size_t count, uint32_t weight);
    void (*blendAlpha)(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count);
    void (*copyQuarterTurn)(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                            long rowStep, size_t columns, size_t rows);
    // The display's RGB555 flip (display/FlipCopies.h): a run converted by PixelRules::toRgb555;
    // `target` may be `source`.
    void (*rowTo555)(uint16_t* target, const uint16_t* source, size_t count);
    // The decoders' conversion (images/PixelRows.h): 4-byte pixels, red, green and blue
    // in the first three bytes, to RGB565 by PixelRules::pack8.
    void (*packRgbx)(const uint8_t* in, size_t count, uint16_t* out);
    // Video pictures (YuvKernels.h): two luma rows and their chroma row, `pairs` 2x2 blocks.
    void (*yuvRowPair)(uint16_t* top, uint16_t* bottom, const uint8_t* yTop, const uint8_t* yBottom, const uint8_t* u,
                       const uint8_t* v, size_t pairs);
    // The half-turn flip (display/FlipCopies.h): target[count - 1 - i] = source[i]; the
    // two runs do not overlap.
    void (*copyReversed)(uint16_t* target, const uint16_t* source, size_t count);
    // The colour shaders' row kernel (BlitKernels.h): row[i] takes the shaded source[i].
    void (*shadeChannels)(uint16_t* row, const uint16_t* source, size_t count, const ChannelShading& shading);
    // fillBackground: key source pixels become fill, the others are copied.
    void (*fillBackground)(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill);
    // The RGB555 quarter-turn flip: copyQuarterTurn with each pixel converted by
    // PixelRules::toRgb555.
    void (*copyQuarterTurn555)(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                               long rowStep, size_t columns, size_t rows);
    // Narrow glyphs (text/FontIndex.h): `height` rows of `width` pixels (at most eight)
    // from source rows eight pixels apart, keyed as copyKeyed, or as fillKeyed with `fill`
    // when `recolour` is set. Each destination row must have eight pixels from its start:
    // the ones past `width` are written back unchanged.
    void (*keyedGlyph)(uint16_t* rows, long rowPitch, const uint16_t* source, size_t width, size_t height,
                       uint16_t key, bool recolour, uint16_t fill);
    // The decoders' conversion of 3-byte pixels (red, green, blue) by PixelRules::pack8.
    void (*packRgb)(const uint8_t* in, size_t count, uint16_t* out);
};

// The kernels in use: the processor's own unless switched off.
const VectorKernels& vectorKernels();

// The processor's own kernels, whatever the switch says (tests compare them with the
// plain path); entries are null where the processor has none. On x86-64 these are the
// SSE2 kernels with the AVX2 ones in their place where the processor has AVX2, and a few
// AVX-512 ones over those where it has AVX-512BW; on aarch64 the NEON kernels.
const VectorKernels& processorKernels();

// The kernels every processor of this architecture runs (SSE2 on x86-64, NEON on
// aarch64), so that tests reach them on a processor that would choose wider ones.
const VectorKernels& baselineKernels();

// Every level of kernels this processor has, widest first: the table in use, then each
// narrower one that a wider level hides (on x86-64 the AVX2 kernels over the baseline,
// then the baseline); no table twice. Tests prove each level against the plain path.
std::vector<VectorKernels> kernelLevels();

// Switches the vector kernels on or off for the rest of the process (PARVOLIN_SIMD sets
// the initial state).
void setVectorKernelsEnabled(bool enabled);

#endif
