#include "pixels/BlitKernels.h"

#include "pixels/PixelRules.h"
#include "pixels/VectorKernels.h"

namespace BlitKernels {

namespace {

// The rule of one shading for one pixel.
inline uint16_t shadedPixel(uint32_t p, const ChannelShading& shading)
{
    switch (shading.rule) {
    case ChannelShading::Multiply:
        return PixelRules::perChannel<PixelRules::multiplyChannel>(p, shading.red, shading.green, shading.blue);
    case ChannelShading::Overlay:
        return PixelRules::perChannel<PixelRules::overlayChannel>(p, shading.red, shading.green, shading.blue);
    case ChannelShading::Screen:
        return PixelRules::perChannel<PixelRules::screenChannel>(p, shading.red, shading.green, shading.blue);
    case ChannelShading::Gray:
        break;
    }
    return PixelRules::grayScale(p);
}

template <bool to555>
void quarterTurn(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep, long rowStep,
                 size_t columns, size_t rows)
{
    // Bands of destination rows, so that each source cache line read serves a whole band.
    constexpr size_t band = 32;
    for (size_t top = 0; top < rows; top += band) {
        const size_t count = rows - top < band ? rows - top : band;
        uint16_t* out = destination + static_cast<long>(top) * destinationPitch;
        for (size_t i = 0; i < columns; ++i) {
            const uint16_t* in = source + static_cast<long>(i) * columnStep + static_cast<long>(top) * rowStep;
            for (size_t k = 0; k < count; ++k) {
                const uint16_t p = in[static_cast<long>(k) * rowStep];
                out[static_cast<long>(k) * destinationPitch + static_cast<long>(i)] = to555 ? PixelRules::toRgb555(p) : p;
            }
        }
    }
}

} // namespace

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

void fillBackground(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    for (size_t i = 0; i < count; ++i)
        row[i] = PixelRules::fillBackground(source[i], key, fill);
}

void shadeChannels(uint16_t* row, const uint16_t* source, size_t count, const ChannelShading& shading)
{
    for (size_t i = 0; i < count; ++i)
        row[i] = shadedPixel(source[i], shading);
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

void copyQuarterTurn(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                     long rowStep, size_t columns, size_t rows)
{
    quarterTurn<false>(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
}

void copyQuarterTurn555(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                        long rowStep, size_t columns, size_t rows)
{
    quarterTurn<true>(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
}

void copyReversed(uint16_t* target, const uint16_t* source, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        target[count - 1 - i] = source[i];
}

void keyedGlyph(uint16_t* rows, long rowPitch, const uint16_t* source, size_t width, size_t height, uint16_t key,
                bool recolour, uint16_t fill)
{
    for (size_t j = 0; j < height; ++j, rows += rowPitch, source += 8) {
        if (recolour)
            fillKeyed(rows, source, width, key, fill);
        else
            copyKeyed(rows, source, width, key);
    }
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

void fillBackground(uint16_t* row, const uint16_t* source, size_t count, uint16_t key, uint16_t fill)
{
    if (auto kernel = vectorKernels().fillBackground)
        kernel(row, source, count, key, fill);
    else
        plain::fillBackground(row, source, count, key, fill);
}

void shadeChannels(uint16_t* row, const uint16_t* source, size_t count, const ChannelShading& shading)
{
    if (auto kernel = vectorKernels().shadeChannels)
        kernel(row, source, count, shading);
    else
        plain::shadeChannels(row, source, count, shading);
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

void copyQuarterTurn(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                     long rowStep, size_t columns, size_t rows)
{
    if (auto kernel = vectorKernels().copyQuarterTurn)
        kernel(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
    else
        plain::copyQuarterTurn(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
}

void copyQuarterTurn555(uint16_t* destination, long destinationPitch, const uint16_t* source, long columnStep,
                        long rowStep, size_t columns, size_t rows)
{
    if (auto kernel = vectorKernels().copyQuarterTurn555)
        kernel(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
    else
        plain::copyQuarterTurn555(destination, destinationPitch, source, columnStep, rowStep, columns, rows);
}

void copyReversed(uint16_t* target, const uint16_t* source, size_t count)
{
    if (auto kernel = vectorKernels().copyReversed)
        kernel(target, source, count);
    else
        plain::copyReversed(target, source, count);
}

} // namespace BlitKernels
