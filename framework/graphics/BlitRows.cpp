#include "graphics/BlitRows.h"

#include "pixels/BlitKernels.h"
#include "graphics/ColorShaders.h"
#include "graphics/CompositeShaders.h"
#include "graphics/KeyShaders.h"
#include "graphics/OpacityShader.h"
#include "pixels/RowKernels.h"
#include "graphics/Shader.h"

#include <cstring>
#include <typeinfo>

namespace {

// Whether a shader is exactly the built-in class T. The built-in shaders' type records
// exist once, in this library (their key functions are defined here), so their addresses
// tell them apart; type_info's == would compare the names letter by letter whenever the
// types differ.
template <typename T>
bool isExactly(const std::type_info& type)
{
    return &type == &typeid(T);
}

BlitRows::Shading shading(BlitRows::Shading::Kind kind, uint32_t key = 0, uint32_t color = 0, uint32_t weight = 0)
{
    BlitRows::Shading result = {};
    result.kind = kind;
    result.key = static_cast<uint16_t>(key);
    result.color = static_cast<uint16_t>(color);
    result.weight = weight;
    return result;
}

BlitRows::Shading channelShading(ChannelShading::Rule rule, const ChannelFactors& factors)
{
    BlitRows::Shading result = shading(BlitRows::Shading::Channels);
    result.channels = {rule, static_cast<uint16_t>(factors.red), static_cast<uint16_t>(factors.green),
                       static_cast<uint16_t>(factors.blue)};
    return result;
}

// The kernel the processor has, else the plain one.
template <typename Kernel>
Kernel chosen(Kernel vector, Kernel plain)
{
    return vector ? vector : plain;
}

template <typename Kernel, typename... Parameters>
void eachRow(Kernel kernel, uint16_t* rows, long rowPitch, const uint16_t* source, long sourcePitch, size_t width,
             size_t height, Parameters... parameters)
{
    for (size_t j = 0; j < height; ++j, rows += rowPitch, source += sourcePitch)
        kernel(rows, source, width, parameters...);
}

} // namespace

BlitRows::Shading BlitRows::prepare(Shader* shader)
{
    using Kind = Shading::Kind;
    if (!shader)
        return shading(Kind::Copy);
    // Only the exact built-in classes: a subclass may have its own internalProcess.
    const std::type_info& type = typeid(*shader);
    if (isExactly<ColorKeyShader>(type))
        return shading(Kind::Keyed, static_cast<ColorKeyShader*>(shader)->colorKey);
    if (isExactly<OpacityShader>(type))
        return shading(Kind::Blend, 0, 0, static_cast<uint32_t>(static_cast<OpacityShader*>(shader)->opacity >> 2));
    if (isExactly<FillForeShader>(type)) {
        auto* fill = static_cast<FillForeShader*>(shader);
        return shading(Kind::FillKeyed, fill->colorKey, fill->fillColor);
    }
    if (isExactly<FillBackShader>(type)) {
        auto* fill = static_cast<FillBackShader*>(shader);
        return shading(Kind::FillBackground, fill->colorKey, fill->fillColor);
    }
    if (isExactly<MultiplyShader>(type))
        return channelShading(ChannelShading::Multiply, static_cast<MultiplyShader*>(shader)->factors);
    if (isExactly<OverlayShader>(type))
        return channelShading(ChannelShading::Overlay, static_cast<OverlayShader*>(shader)->factors);
    if (isExactly<ScreenShader>(type))
        return channelShading(ChannelShading::Screen, static_cast<ScreenShader*>(shader)->factors);
    if (isExactly<GrayScaleShader>(type))
        return channelShading(ChannelShading::Gray, ChannelFactors());
    if (isExactly<FontShader>(type)) {
        // Glyphs: a key, a font colour or both, with no inner shader.
        auto* font = static_cast<FontShader*>(shader);
        if (!font->shader) {
            if (font->useColorKey && font->useFontColor)
                return shading(Kind::FillKeyed, font->colorKey, font->fontColor);
            if (font->useColorKey)
                return shading(Kind::Keyed, font->colorKey);
            if (font->useFontColor)
                return shading(Kind::Fill, 0, font->fontColor);
            return shading(Kind::Copy);
        }
    }
    Shading perPixel = shading(Kind::PerPixel);
    perPixel.shader = shader;
    return perPixel;
}

void BlitRows::shade(const Shading& shading, uint16_t* row, const uint16_t* source, size_t count)
{
    switch (shading.kind) {
    case Shading::Copy:
        std::memmove(row, source, count * sizeof(uint16_t));
        return;
    case Shading::Keyed:
        BlitKernels::copyKeyed(row, source, count, shading.key);
        return;
    case Shading::FillKeyed:
        BlitKernels::fillKeyed(row, source, count, shading.key, shading.color);
        return;
    case Shading::FillBackground:
        BlitKernels::fillBackground(row, source, count, shading.key, shading.color);
        return;
    case Shading::Blend:
        BlitKernels::blendSource(row, source, count, shading.weight);
        return;
    case Shading::Fill:
        RowKernels::fill(row, count, shading.color);
        return;
    case Shading::Channels:
        BlitKernels::shadeChannels(row, source, count, shading.channels);
        return;
    case Shading::PerPixel:
        break;
    }
    Shader& shader = *shading.shader;
    for (size_t i = 0; i < count; ++i)
        row[i] = static_cast<uint16_t>(shader.internalProcess(row[i], source[i]));
}

void BlitRows::shade(Shader& shader, uint16_t* row, const uint16_t* source, size_t count)
{
    shade(prepare(&shader), row, source, count);
}

void BlitRows::shadeBlock(const Shading& shading, uint16_t* rows, long rowPitch, const uint16_t* source,
                          long sourcePitch, size_t width, size_t height)
{
    const VectorKernels& kernels = vectorKernels();
    switch (shading.kind) {
    case Shading::Keyed:
        eachRow(chosen(kernels.copyKeyed, BlitKernels::plain::copyKeyed), rows, rowPitch, source, sourcePitch, width,
                height, shading.key);
        return;
    case Shading::FillKeyed:
        eachRow(chosen(kernels.fillKeyed, BlitKernels::plain::fillKeyed), rows, rowPitch, source, sourcePitch, width,
                height, shading.key, shading.color);
        return;
    case Shading::Blend:
        eachRow(chosen(kernels.blendSource, BlitKernels::plain::blendSource), rows, rowPitch, source, sourcePitch,
                width, height, shading.weight);
        return;
    default:
        for (size_t j = 0; j < height; ++j, rows += rowPitch, source += sourcePitch)
            shade(shading, rows, source, width);
    }
}

void BlitRows::compose(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count,
                       const Shading& shading)
{
    if (!alpha) {
        shade(shading, row, source, count);
        return;
    }
    if (shading.kind == Shading::Copy) {
        BlitKernels::blendAlpha(row, source, alpha, count);
        return;
    }
    // The shader sees the destination as it was; its result is then blended over it.
    uint16_t shaded[chunk];
    for (size_t done = 0; done < count; done += chunk) {
        size_t n = count - done < chunk ? count - done : chunk;
        std::memcpy(shaded, row + done, n * sizeof(uint16_t));
        shade(shading, shaded, source + done, n);
        BlitKernels::blendAlpha(row + done, shaded, alpha + done, n);
    }
}

void BlitRows::compose(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count, Shader* shader)
{
    compose(row, source, alpha, count, prepare(shader));
}
