#ifndef PARVOLIN_FONT_H
#define PARVOLIN_FONT_H

/// \file
/// Font, a proportional bitmap font, and the built-in fonts.
/// \ingroup text

#include <Parvolin/Export.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

class FontIndex;
class FontShader;
class Shader;
class Surface;
class SurfaceRGBA;

/// \addtogroup text
/// @{

/// One glyph of a font: its image, its alpha image (null when the font has none), and its
/// spacing row: entry j is the extra distance after this glyph when character j follows.
/// The font owns all three.
struct FontGlyph {
    Surface* image;    ///< The glyph's pixels.
    Surface* alpha;    ///< Its opacity, or null.
    int32_t* spacing;  ///< Extra distance after it, per following character.
};

/// A proportional bitmap font cut out of one image strip. Row 0 of the strip is a marker
/// row: each maximal run of white (0xFFFF) pixels marks the columns of one glyph, in the
/// order of the character string, and the rows below it hold the glyphs. A run that
/// touches the right edge is not a glyph. Text is drawn one line at a time by
/// Surface::drawText and Panel::drawText, through the font's FontShader.
///
/// The glyphs are copies: the strip may be freed once the font is made.
class PARVOLIN_API Font {
public:
    /// An empty font.
    Font();
    /// Releases what the font owns.
    virtual ~Font();
    Font(const Font&) = delete;             ///< Not copyable: the font owns its glyphs.
    Font& operator=(const Font&) = delete;  ///< Not copyable.

    /// Builds the font from `image` and an optional alpha image of the same layout, for
    /// the characters of `characters` in the strip's order. A marker row with fewer runs
    /// than characters keeps the glyphs found (result 0) and cuts the characters to match.
    /// ResultCode::NullParameter for null characters or image, ResultCode::InvalidSurface
    /// for an image without pixels, OutOfMemory.
    long createFont(const wchar_t* characters, Surface* image, Surface* alphaImage);
    /// The same without alpha, then a FontShader with `colorKey` (a COLORREF) as its key:
    /// the strip's background colour, which stays transparent.
    long createFont(const wchar_t* characters, Surface* image, unsigned long colorKey);
    /// Any other integer is a colour key too: without this, a key written as a plain int
    /// (0 for black above all) would be ambiguous between the key and the alpha image.
    template <typename Key, typename = typename std::enable_if<std::is_integral<Key>::value>::type>
    long createFont(const wchar_t* list, Surface* image, Key colorKey)
    {
        return createFont(list, image, static_cast<unsigned long>(colorKey));
    }
    /// The same from a SurfaceRGBA and its alpha plane; ResultCode::NullParameter for a
    /// null image.
    long createFont(const wchar_t* characters, SurfaceRGBA* image);
    /// Back to an empty font: glyphs, characters, spacing and shader released. 0.
    long releaseFont();

    /// The width of a character's glyph in pixels; 0 for a character the font does not
    /// have, or an empty font.
    unsigned long getCharWidth(wchar_t c);
    /// The height of every glyph in pixels (the strip's height less the marker row); 0
    /// for an empty font.
    unsigned long getHeight();
    /// The pair's own spacing plus the global spacing; 0 when either is unknown.
    long getSpacing(wchar_t first, wchar_t second);
    /// The extra pixels between `first` and a following `second` (negative: closer).
    /// 0, also when the font lacks either character (nothing changes then).
    long setSpacing(wchar_t first, wchar_t second, long spacing);
    /// Pixels added between every two known characters. 0.
    long setGlobalSpacing(long spacing);
    /// Every glyph's width and the spacing between neighbours (none after the last), in
    /// pixels; 0 for null.
    unsigned long getStringWidth(const wchar_t* text);

    /// The background colour (COLORREF) that stays transparent. Each of these three makes
    /// the font's FontShader when it has none (ResultCode::OutOfMemory when it cannot),
    /// then sets it: 0.
    long setColorKey(unsigned long colorref);
    /// Paints every glyph pixel in `colorref` (a COLORREF) from now on.
    long setFontColor(unsigned long colorref);
    /// Applies `shader` (borrowed; null for none) to every glyph pixel after the colour.
    long setShader(Shader* shader);

    /// The built-in font: white glyphs 7 pixels high on a transparent background, for the
    /// space, A-Z, a-z, 0-9 and <tt>!?\"'\#\$\%\&()[]{}_.,;:\<\>/*-+\\\@|</tt>. Made on first use and kept
    /// for the process: it is shared by every caller, so do not delete or release it, and
    /// a colour set on it is seen everywhere it is used. Null when it cannot be made (the
    /// next call tries again).
    static Font* getSystemFont();
    /// The built-in font with a black border around each glyph (each glyph two pixels
    /// wider), for the same characters and shared the same way as getSystemFont.
    static Font* getSystemFontWithBorder();

private:
    friend class TextRenderer;

    // The glyph of a character (the first in the string when it is there twice), or -1.
    long indexOf(wchar_t c);
    // What the pen moves after glyph `index` when glyph `next` follows (-1: an unknown
    // character or none): the glyph's width and, between known glyphs, their spacing.
    unsigned long advance(long index, long next);
    long build(const wchar_t* characters, Surface* image, Surface* alphaImage);
    long cutGlyph(unsigned long index, Surface* image, Surface* alphaImage, long left, long right, size_t rowLength);
    long makeShader();

    FontShader* shader;
    wchar_t* characters;
    FontGlyph* glyphs;
    // Built with the glyphs: the characters found in constant time, narrow glyphs padded.
    FontIndex* lookup;
    int32_t globalSpacing;
    uint32_t characterCount;
};

/// @}

#endif
