#ifndef PARVOLIN_BLIT_KERNELS_H
#define PARVOLIN_BLIT_KERNELS_H

#include "pixels/VectorKernels.h"

#include <cstddef>
#include <cstdint>

// A row of source pixels combined into a row of destination pixels, for the blits. Each
// gives exactly the bits of its rule in PixelRules.h, applied pixel by pixel with `row`
// holding the destination on entry and the result on exit.
namespace BlitKernels {

// keyed: source pixels equal to key leave the destination.
void copyKeyed(uint16_t* row, const uint16_t* source, size_t count, uint16_t key);
// fillKeyed: non-key source pixels become fill, key pixels leave the destination.
void fillKeyed(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill);
// fillBackground: key source pixels become fill, the others are copied.
void fillBackground(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill);
// The colour shaders' rule of each source pixel (the destination is replaced).
void shadeChannels(uint16_t* row, const uint16_t* source, size_t count, const ChannelShading& shading);
// blend of each source pixel over the destination with one weight (0..63).
void blendSource(uint16_t* row, const uint16_t* source, size_t count, uint32_t weight);
// blend of each source pixel with the weight of the alpha pixel beside it.
void blendAlpha(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count);

// A columns x rows block read from a quarter-turned view: destination pixel (i, j) at
// destination[j * destinationPitch + i] takes source[i * columnStep + j * rowStep], where
// rowStep is +1 or -1 (the view's rows run along the source's rows, its columns across).
void copyQuarterTurn(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                     long rowStep, size_t columns, size_t rows);
// The same with each pixel converted to RGB555 (PixelRules::toRgb555).
void copyQuarterTurn555(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                        long rowStep, size_t columns, size_t rows);
// target[count - 1 - i] = source[i], for runs that do not overlap.
void copyReversed(uint16_t* target, const uint16_t* source, size_t count);

// The same on the plain path only, whatever kernels the processor has.
namespace plain {
void copyKeyed(uint16_t* row, const uint16_t* source, size_t count, uint16_t key);
void fillKeyed(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill);
void fillBackground(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill);
void shadeChannels(uint16_t* row, const uint16_t* source, size_t count, const ChannelShading& shading);
void blendSource(uint16_t* row, const uint16_t* source, size_t count, uint32_t weight);
void blendAlpha(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count);
void copyQuarterTurn(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                     long rowStep, size_t columns, size_t rows);
void copyQuarterTurn555(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                        long rowStep, size_t columns, size_t rows);
void copyReversed(uint16_t* target, const uint16_t* source, size_t count);
// The glyph kernel's rule (VectorKernels::keyedGlyph), row by row.
void keyedGlyph(uint16_t* rows, long rowPitch, const uint16_t* source, size_t width, size_t height, uint16_t key,
                bool recolour, uint16_t fill);
} // namespace plain

} // namespace BlitKernels

#endif
