#include "graphics/BlitKernels.h"

#include "graphics/PixelRules.h"
#include "graphics/VectorKernels.h"

namespace BlitKernels {

namespace plain {

void copyKeyed(uint16_t* row, const uint16_t* source, size_t count, uint16_t key)
{
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::keyed(row[i], source[i], key);
}

void fillKeyed(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::fillKeyed(row[i], source[i], key, fill);
}

void blendSource(uint16_t* row, const uint16_t* source, size_t count, uint32_t weight)
{
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::blend(source[i], row[i], weight);
}

void blendAlpha(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::blend(source[i], row[i], PixelRules::alphaWeight(alpha[i]));
}

} // namespace plain

void copyKeyed(uint16_t* row, const uint16_t* source, size_t count, uint16_t key)
{
    if (auto kernel = vectorKernels().copyKeyed)
        kernel(row, source, count, key);
    else
        plain::copyKeyed(row, source, count, key);
}

void fillKeyed(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    if (auto kernel = vectorKernels().fillKeyed)
        kernel(row, source, count, key, fill);
    else
        plain::fillKeyed(row, source, count, key, fill);
}

void blendSource(uint16_t* row, const uint16_t* source, size_t count, uint32_t weight)
{
    if (auto kernel = vectorKernels().blendSource)
        kernel(row, source, count, weight);
    else
        plain::blendSource(row, source, count, weight);
}

void blendAlpha(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count)
{
    if (auto kernel = vectorKernels().blendAlpha)
        kernel(row, source, alpha, count);
    else
        plain::blendAlpha(row, source, alpha, count);
}

} // namespace BlitKernels
