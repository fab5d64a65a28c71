#ifndef PARVOLIN_TEXT_RENDERER_H
#define PARVOLIN_TEXT_RENDERER_H

#include <cstdarg>
#include <cstddef>

class Font;
class Shader;
class Surface;

// Where the glyphs of a line of text go: a surface, or a panel that clips them. A glyph
// that cannot be drawn there (outside, say) is skipped by the caller.
class GlyphTarget {
public:
    virtual ~GlyphTarget();
    // 5 when there is nothing to draw on.
    virtual long ready() = 0;
    virtual long drawGlyph(unsigned long x, unsigned long y, Surface* image, Surface* alpha, Shader* shader) = 0;
    // The surface whose pixels the glyphs may be written into directly, with drawGlyph's
    // rule (a glyph not wholly inside is skipped); null when every glyph must go through
    // drawGlyph.
    virtual Surface* directSurface();
};

// The text drawing shared by Surface and Panel.
class TextRenderer {
public:
    // Formatted text is expanded into this many wide characters, terminator included.
    static constexpr size_t formatCapacity = 128;

    // One line of text from (x, y), its left end, right end (alignment 1) or centre
    // (alignment 2). Positions are unsigned and wrap, as on the device, so a line that
    // starts left of the target shows the part that lies inside. 5 when the target is not
    // ready, 15 for a null font or text, 13 for an empty font.
    static long draw(GlyphTarget& target, Font* font, unsigned long x, unsigned long y, unsigned long alignment,
                     const wchar_t* text);
    // The format expanded with the platform's wide formatting, then drawn; 7 when it does
    // not fit formatCapacity characters (nothing is drawn then).
    static long drawFormatted(GlyphTarget& target, Font* font, unsigned long x, unsigned long y,
                              unsigned long alignment, const wchar_t* format, va_list arguments);

private:
    // 15 for a null font, 13 for an empty one.
    static long checkFont(Font* font);
};

#endif
