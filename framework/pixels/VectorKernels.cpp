#include "pixels/VectorKernels.h"

#include <cstdlib>
#include <cstring>

namespace {
const VectorKernels noKernels = {};

bool enabledByEnvironment()
{
    const char* value = std::getenv("PARVOLIN_SIMD");
    return !(value && (std::strcmp(value, "off") == 0 || std::strcmp(value, "0") == 0));
}

const VectorKernels*& activeKernels()
{
    static const VectorKernels* active = enabledByEnvironment() ? &processorKernels() : &noKernels;
    return active;
}
} // namespace

const VectorKernels& vectorKernels() { return *activeKernels(); }

void setVectorKernelsEnabled(bool enabled) { activeKernels() = enabled ? &processorKernels() : &noKernels; }
