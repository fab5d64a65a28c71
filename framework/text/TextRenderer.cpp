#include "text/TextRenderer.h"

#include "core/ResultCodes.h"
#include "graphics/BlitRows.h"
#include "graphics/CompositeShaders.h"
#include "graphics/Surface.h"
#include "pixels/VectorKernels.h"
#include "text/Font.h"
#include "text/FontIndex.h"

#include <cwchar>

GlyphTarget::~GlyphTarget() {}

Surface* GlyphTarget::directSurface() { return nullptr; }

namespace {

// A line's glyphs written straight into a surface's pixels: the shader looked at and the
// kernel chosen once for the line, each glyph checked as bltFast would check it. Narrow
// glyphs go through the glyph kernel, a row per step, when the destination row has room
// for eight pixels.
class DirectGlyphs {
public:
    DirectGlyphs(const Surface::Buffer& view, const BlitRows::Shading& shading)
        : view(view), shading(shading), glyphKernel(vectorKernels().keyedGlyph)
    {
        const bool keyed = shading.kind == BlitRows::Shading::Keyed || shading.kind == BlitRows::Shading::FillKeyed;
        if (!keyed)
            glyphKernel = nullptr;
    }

    void draw(unsigned long x, unsigned long y, const FontGlyph& glyph, const uint16_t* narrowRows)
    {
        const unsigned long w = glyph.image->getWidth();
        const unsigned long h = glyph.image->getHeight();
        if (x >= view.width || y >= view.height || w > view.width - x || h > view.height - y)
            return;
        uint16_t* to = view.pixels + y * view.width + x;
        const long pitch = static_cast<long>(view.width);
        if (narrowRows && glyphKernel && view.width - x >= FontIndex::narrowWidth) {
            glyphKernel(to, pitch, narrowRows, w, h, shading.key, shading.kind == BlitRows::Shading::FillKeyed,
                        shading.color);
            return;
        }
        Surface::Buffer source;
        glyph.image->getBuffer(&source);
        BlitRows::shadeBlock(shading, to, pitch, source.pixels, static_cast<long>(source.width), w, h);
    }

private:
    Surface::Buffer view;
    BlitRows::Shading shading;
    decltype(VectorKernels::keyedGlyph) glyphKernel;
};

} // namespace

long TextRenderer::checkFont(Font* font)
{
    if (!font)
        return ResultCode::NullParameter;
    return font->characterCount == 0 ? ResultCode::InvalidFont : ResultCode::Ok;
}

long TextRenderer::draw(GlyphTarget& target, Font* font, unsigned long x, unsigned long y, unsigned long alignment,
                        const wchar_t* text)
{
    if (long result = target.ready())
        return result;
    if (long result = checkFont(font))
        return result;
    if (!text)
        return ResultCode::NullParameter;
    if (alignment == TextAlign::Right)
        x -= font->getStringWidth(text);
    else if (alignment == TextAlign::Center)
        x -= font->getStringWidth(text) / 2;
    // Surfaces take the glyphs directly unless the shader works pixel by pixel.
    Surface* surface = target.directSurface();
    const BlitRows::Shading shading = BlitRows::prepare(font->shader);
    Surface::Buffer view = {};
    const bool direct = surface && shading.kind != BlitRows::Shading::PerPixel && surface->getBuffer(&view) == 0 &&
                        view.xPitch == 1 && view.yPitch == static_cast<long>(view.width);
    DirectGlyphs glyphs(view, shading);
    long index = text[0] ? font->indexOf(text[0]) : -1;
    for (; *text; ++text) {
        const long next = text[1] ? font->indexOf(text[1]) : -1;
        // Unknown characters draw nothing and take no room.
        if (index >= 0) {
            const FontGlyph& glyph = font->glyphs[index];
            if (direct && !glyph.alpha)
                glyphs.draw(x, y, glyph, font->lookup->narrowRows(index));
            else
                target.drawGlyph(x, y, glyph.image, glyph.alpha, font->shader);
            x += font->advance(index, next);
        }
        index = next;
    }
    return ResultCode::Ok;
}

long TextRenderer::drawFormatted(GlyphTarget& target, Font* font, unsigned long x, unsigned long y,
                                 unsigned long alignment, const wchar_t* format, va_list arguments)
{
    if (long result = checkFont(font))
        return result;
    if (!format)
        return ResultCode::NullParameter;
    wchar_t line[formatCapacity];
    if (std::vswprintf(line, formatCapacity, format, arguments) < 0)
        return ResultCode::StringTooLarge;
    return draw(target, font, x, y, alignment, line);
}
