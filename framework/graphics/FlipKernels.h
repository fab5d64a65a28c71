#ifndef PARVOLIN_FLIP_KERNELS_H
#define PARVOLIN_FLIP_KERNELS_H

#include <cstddef>
#include <cstdint>

// The display flip's kernels on x86 (entries rowTo555 and transposeRows of VectorKernels):
// SSE2, which every x86-64 processor has, and AVX2 where the processor has it, chosen once
// at run time. Each gives exactly the bits of the plain rule (display/FlipCopies.cpp).
namespace FlipKernels {

// A run of RGB565 pixels converted to RGB555.
void rowTo555(uint16_t* target, const uint16_t* source, size_t count);

// `rows` rows of `width` pixels (row i at source + i * sourceStride) written as columns:
// pixel x of row i goes to target + x * targetPitch + 2 * i, converted to RGB555 when asked.
void transposeRows(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source, ptrdiff_t sourceStride,
                   size_t width, size_t rows, bool to555);

// Each instruction set's own, so that tests reach both on any processor.
namespace sse2 {
void rowTo555(uint16_t* target, const uint16_t* source, size_t count);
void transposeRows(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source, ptrdiff_t sourceStride,
                   size_t width, size_t rows, bool to555);
} // namespace sse2

namespace avx2 {
bool available();
void rowTo555(uint16_t* target, const uint16_t* source, size_t count);
void transposeRows(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source, ptrdiff_t sourceStride,
                   size_t width, size_t rows, bool to555);
} // namespace avx2

} // namespace FlipKernels

#endif
