#include "core/ResultCodes.h"
#include "graphics/Surface.h"
#include "text/TextRenderer.h"

// Text on a surface: every glyph through the surface's own blits, which refuse a glyph
// that does not lie wholly inside.

namespace {

class SurfaceGlyphs : public GlyphTarget {
public:
    explicit SurfaceGlyphs(Surface* surface) : surface(surface) {}
    long ready() override
    {
        Surface::Buffer view;
        return surface->getBuffer(&view) == ResultCode::Ok ? ResultCode::Ok : ResultCode::InvalidSurface;
    }
    long drawGlyph(unsigned long x, unsigned long y, Surface* image, Surface* alpha, Shader* shader) override
    {
        if (alpha)
            return surface->alphaBltFast(x, y, image, nullptr, alpha, nullptr, shader);
        return surface->bltFast(x, y, image, nullptr, shader);
    }
    Surface* directSurface() override { return surface; }

private:
    Surface* surface;
};

} // namespace

long Surface::drawText(unsigned long x, unsigned long y, Font* font, unsigned long alignment, const wchar_t* text)
{
    SurfaceGlyphs target(this);
    return TextRenderer::draw(target, font, x, y, alignment, text);
}

long Surface::drawFormattedText(unsigned long x, unsigned long y, Font* font, unsigned long alignment,
                                const wchar_t* format, ...)
{
    SurfaceGlyphs target(this);
    va_list arguments;
    va_start(arguments, format);
    long result = TextRenderer::drawFormatted(target, font, x, y, alignment, format, arguments);
    va_end(arguments);
    return result;
}
