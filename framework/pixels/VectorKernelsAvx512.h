#ifndef PARVOLIN_VECTOR_KERNELS_AVX512_H
#define PARVOLIN_VECTOR_KERNELS_AVX512_H

#include "pixels/VectorKernels.h"

namespace VectorKernelsAvx512 {

// `base` with the AVX-512 kernels in place of its own where this processor has AVX-512BW
// (asked once, at run time); `base` unchanged otherwise. Only the kernels that measurement
// showed bound by the width of AVX2 are here: 32 pixels per register, and masked loads and
// stores that write key pixels not at all and finish a run without a narrower kernel.
VectorKernels over(const VectorKernels& base);

} // namespace VectorKernelsAvx512

#endif
