#ifndef PARVOLIN_ROW_KERNELS_H
#define PARVOLIN_ROW_KERNELS_H

#include <cstddef>
#include <cstdint>

// Runs of one colour written into a row of RGB565 pixels by the opacity rule, eight
// pixels per inner step. Each gives exactly the bits of the rule in PixelRules.h.
namespace RowKernels {

void fill(uint16_t* row, size_t count, uint16_t color);
void half(uint16_t* row, size_t count, uint16_t color);
void blend(uint16_t* row, size_t count, uint16_t color, uint32_t weight);

// The same runs on the plain path only, whatever kernels the processor has.
namespace plain {
void fill(uint16_t* row, size_t count, uint16_t color);
void half(uint16_t* row, size_t count, uint16_t color);
void blend(uint16_t* row, size_t count, uint16_t color, uint32_t weight);
} // namespace plain

// The opacity rule over a run: 255 fills, 128 halves, anything else (1..254) blends.
void apply(uint16_t* row, size_t count, uint16_t color, unsigned long opacity);

} // namespace RowKernels

#endif
