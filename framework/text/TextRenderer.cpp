#include "text/TextRenderer.h"

#include "core/ResultCodes.h"
#include "graphics/CompositeShaders.h"
#include "graphics/Surface.h"
#include "text/Font.h"

#include <cwchar>

GlyphTarget::~GlyphTarget() {}

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
    long index = text[0] ? font->indexOf(text[0]) : -1;
    for (; *text; ++text) {
        const long next = text[1] ? font->indexOf(text[1]) : -1;
        // Unknown characters draw nothing and take no room.
        if (index >= 0) {
            const FontGlyph& glyph = font->glyphs[index];
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
