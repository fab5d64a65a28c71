#include "graphics/BlitRows.h"

#include "pixels/BlitKernels.h"
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
// types differ, and this runs once per row: for glyphs, a quarter of drawText's time.
template <typename T>
bool isExactly(const std::type_info& type)
{
    return &type == &typeid(T);
}

} // namespace

void BlitRows::shade(Shader& shader, uint16_t* row, const uint16_t* source, size_t count)
{
    // Only the exact built-in classes: a subclass may have its own internalProcess.
    const std::type_info& type = typeid(shader);
    if (isExactly<ColorKeyShader>(type)) {
        auto& keyShader = static_cast<ColorKeyShader&>(shader);
        BlitKernels::copyKeyed(row, source, count, static_cast<uint16_t>(keyShader.colorKey));
        return;
    }
    if (isExactly<OpacityShader>(type)) {
        auto& opacityShader = static_cast<OpacityShader&>(shader);
        BlitKernels::blendSource(row, source, count, static_cast<uint32_t>(opacityShader.opacity >> 2));
        return;
    }
    if (isExactly<FillForeShader>(type)) {
        auto& fillShader = static_cast<FillForeShader&>(shader);
        BlitKernels::fillKeyed(row, source, count, static_cast<uint16_t>(fillShader.colorKey),
                               static_cast<uint16_t>(fillShader.fillColor));
        return;
    }
    if (isExactly<FontShader>(type)) {
        // Glyphs: a key, a font colour or both, with no inner shader.
        auto& font = static_cast<FontShader&>(shader);
        if (!font.shader) {
            const auto key = static_cast<uint16_t>(font.colorKey);
            const auto color = static_cast<uint16_t>(font.fontColor);
            if (font.useColorKey && font.useFontColor)
                BlitKernels::fillKeyed(row, source, count, key, color);
            else if (font.useColorKey)
                BlitKernels::copyKeyed(row, source, count, key);
            else if (font.useFontColor)
                RowKernels::fill(row, count, color);
            else
                std::memmove(row, source, count * sizeof(uint16_t));
            return;
        }
    }
    for (size_t i = 0; i < count; ++i)
        row[i] = static_cast<uint16_t>(shader.internalProcess(row[i], source[i]));
}

void BlitRows::compose(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count, Shader* shader)
{
    if (!alpha) {
        if (shader)
            shade(*shader, row, source, count);
        else
            std::memmove(row, source, count * sizeof(uint16_t));
        return;
    }
    if (!shader) {
        BlitKernels::blendAlpha(row, source, alpha, count);
        return;
    }
    // The shader sees the destination as it was; its result is then blended over it.
    uint16_t shaded[chunk];
    for (size_t done = 0; done < count; done += chunk) {
        size_t n = count - done < chunk ? count - done : chunk;
        std::memcpy(shaded, row + done, n * sizeof(uint16_t));
        shade(*shader, shaded, source + done, n);
        BlitKernels::blendAlpha(row + done, shaded, alpha + done, n);
    }
}
