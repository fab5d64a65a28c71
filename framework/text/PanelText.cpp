#include "core/ResultCodes.h"
#include "text/Panel.h"
#include "text/TextRenderer.h"

// Text on a panel: panel coordinates, every glyph through the panel's clipped blits, so
// glyphs are cut at its edges and those wholly outside are skipped.

namespace {

class PanelGlyphs : public GlyphTarget {
public:
    explicit PanelGlyphs(Panel* panel) : panel(panel) {}
    long ready() override { return panel->getBackSurface(nullptr) ? ResultCode::Ok : ResultCode::InvalidSurface; }
    long drawGlyph(unsigned long x, unsigned long y, Surface* image, Surface* alpha, Shader* shader) override
    {
        // Back to the signed panel position the unsigned arithmetic wrapped around.
        const long panelX = static_cast<long>(x);
        const long panelY = static_cast<long>(y);
        if (alpha)
            return panel->alphaBltFast(panelX, panelY, image, nullptr, alpha, nullptr, shader);
        return panel->bltFast(panelX, panelY, image, nullptr, shader);
    }

private:
    Panel* panel;
};

} // namespace

long Panel::drawText(long x, long y, Font* font, unsigned long alignment, const wchar_t* text)
{
    PanelGlyphs target(this);
    return TextRenderer::draw(target, font, static_cast<unsigned long>(x), static_cast<unsigned long>(y), alignment,
                              text);
}

long Panel::drawFormattedText(long x, long y, Font* font, unsigned long alignment, const wchar_t* format, ...)
{
    PanelGlyphs target(this);
    va_list arguments;
    va_start(arguments, format);
    long result = TextRenderer::drawFormatted(target, font, static_cast<unsigned long>(x),
                                              static_cast<unsigned long>(y), alignment, format, arguments);
    va_end(arguments);
    return result;
}
