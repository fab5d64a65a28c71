#ifndef PARVOLIN_VECTOR_KERNELS_AVX2_H
#define PARVOLIN_VECTOR_KERNELS_AVX2_H

#include "pixels/VectorKernels.h"

namespace VectorKernelsAvx2 {

// `base` with the AVX2 kernels in place of its own where this processor has AVX2 (asked
// once, at run time); `base` unchanged otherwise. The AVX2 kernels hand what they do not
// cover to the entries of `base` they replace.
VectorKernels over(const VectorKernels& base);

} // namespace VectorKernelsAvx2

#endif
