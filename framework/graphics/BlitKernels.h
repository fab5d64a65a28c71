#ifndef PARVOLIN_BLIT_KERNELS_H
#define PARVOLIN_BLIT_KERNELS_H

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
// blend of each source pixel over the destination with one weight (0..63).
void blendSource(uint16_t* row, const uint16_t* source, size_t count, uint32_t weight);
// blend of each source pixel with the weight of the alpha pixel beside it.
void blendAlpha(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count);

// The same on the plain path only, whatever kernels the processor has.
namespace plain {
void copyKeyed(uint16_t* row, const uint16_t* source, size_t count, uint16_t key);
void fillKeyed(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill);
void blendSource(uint16_t* row, const uint16_t* source, size_t count, uint32_t weight);
void blendAlpha(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count);
} // namespace plain

} // namespace BlitKernels

#endif
