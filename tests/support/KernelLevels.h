#ifndef PARVOLIN_TEST_KERNEL_LEVELS_H
#define PARVOLIN_TEST_KERNEL_LEVELS_H

#include "pixels/VectorKernels.h"
#include "pixels/VectorKernelsAvx2.h"

#include <cstring>
#include <vector>

// Every level of vector kernels this processor has, widest first: the table in use, the
// AVX2 kernels over the baseline (which a wider level hides where the processor has one)
// and the baseline; the same table only once.
inline std::vector<VectorKernels> kernelLevels()
{
    std::vector<VectorKernels> levels = {processorKernels()};
    for (const VectorKernels& level : {VectorKernelsAvx2::over(baselineKernels()), baselineKernels()}) {
        bool seen = false;
        for (const VectorKernels& known : levels)
            seen = seen || std::memcmp(&known, &level, sizeof level) == 0;
        if (!seen)
            levels.push_back(level);
    }
    return levels;
}

#endif
