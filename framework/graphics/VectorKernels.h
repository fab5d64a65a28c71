#ifndef PARVOLIN_VECTOR_KERNELS_H
#define PARVOLIN_VECTOR_KERNELS_H

#include <cstddef>
#include <cstdint>

// Kernels that this processor can run faster than the plain rules of PixelRules.h, each
// giving exactly the same bits. An entry is null where only the plain path exists; the
// callers fall through to it. With PARVOLIN_SIMD=off in the environment every entry is
// null, so the same binary runs the plain path.
struct VectorKernels {
    // The display's flip (graphics/FlipKernels.h): a run converted to RGB555, and rows
    // written as columns of contiguous pixels.
    void (*rowTo555)(uint16_t* target, const uint16_t* source, size_t count);
    void (*transposeRows)(unsigned char* target, ptrdiff_t targetPitch, const uint16_t* source,
                          ptrdiff_t sourceStride, size_t width, size_t rows, bool to555);
    void (*fill)(uint16_t* row, size_t count, uint16_t color);
    void (*half)(uint16_t* row, size_t count, uint16_t color);
    void (*blend)(uint16_t* row, size_t count, uint16_t color, uint32_t weight);
};

// The kernels in use: the processor's own unless switched off.
const VectorKernels& vectorKernels();

// The processor's own kernels, whatever the switch says (tests compare them with the
// plain path); entries are null where the processor has none.
const VectorKernels& processorKernels();

// Switches the vector kernels on or off for the rest of the process (PARVOLIN_SIMD sets
// the initial state).
void setVectorKernelsEnabled(bool enabled);

#endif
