#include "FontImages.h"

#include "core/ResultCodes.h"
#include "graphics/ColorShaders.h"
#include "graphics/SurfaceRGBA.h"
#include "support/SurfacePixels.h"
#include "text/Font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using FontImages::glyphColor;
using SurfacePixels::at;

namespace {

// Draws one character at (0, 0) of a fresh black surface and returns the surface's pixels.
std::vector<uint16_t> drawn(Font& font, const wchar_t* text, unsigned long width, unsigned long height)
{
    Owned<Surface> target;
    SurfacePixels::make(target, width, height, 0);
    EXPECT_EQ(ResultCode::Ok, target.drawText(0, 0, &font, 0, text));
    return SurfacePixels::snapshot(target);
}

} // namespace

TEST(Font, GlyphsAreCutFromTheMarkerRuns)
{
    Owned<Surface> image;
    FontImages::make(image, {2, 3, 1}, 4, 2, 2);
    Font font;
    ASSERT_EQ(ResultCode::Ok, font.createFont(L"ABC", &image, nullptr));
    EXPECT_EQ(2u, font.getCharWidth(L'A'));
    EXPECT_EQ(3u, font.getCharWidth(L'B'));
    EXPECT_EQ(1u, font.getCharWidth(L'C'));
    EXPECT_EQ(0u, font.getCharWidth(L'D'));
    EXPECT_EQ(4u, font.getHeight());
    // Each glyph holds its own columns, rows 1 to the bottom.
    EXPECT_EQ(std::vector<uint16_t>(3 * 4, glyphColor(1)), drawn(font, L"B", 3, 4));
}

TEST(Font, AMarkerRowThatEndsEarlyKeepsTheGlyphsFound)
{
    Owned<Surface> image;
    FontImages::make(image, {2, 2}, 3);
    Font font;
    EXPECT_EQ(ResultCode::Ok, font.createFont(L"ABCD", &image, nullptr));
    EXPECT_EQ(2u, font.getCharWidth(L'B'));
    EXPECT_EQ(0u, font.getCharWidth(L'C'));
    EXPECT_EQ(4u, font.getStringWidth(L"ABCD")); // C and D are unknown now

    // A run that touches the right edge is not a glyph.
    FontImages::make(image, {2, 2}, 3, 1, 1, 0);
    EXPECT_EQ(ResultCode::Ok, font.createFont(L"AB", &image, nullptr));
    EXPECT_EQ(2u, font.getCharWidth(L'A'));
    EXPECT_EQ(0u, font.getCharWidth(L'B'));

    // Runs separated by two pixels, the first at the left edge.
    FontImages::make(image, {1, 3}, 3, 0, 2);
    EXPECT_EQ(ResultCode::Ok, font.createFont(L"xy", &image, nullptr));
    EXPECT_EQ(1u, font.getCharWidth(L'x'));
    EXPECT_EQ(3u, font.getCharWidth(L'y'));

    // No run at all: an empty font, which cannot draw.
    SurfacePixels::make(image, 5, 3, FontImages::magenta);
    EXPECT_EQ(ResultCode::Ok, font.createFont(L"AB", &image, nullptr));
    EXPECT_EQ(0u, font.getHeight());
    Owned<Surface> target;
    SurfacePixels::make(target, 4, 4, 0);
    EXPECT_EQ(ResultCode::InvalidFont, target.drawText(0, 0, &font, 0, L"A"));
}

TEST(Font, BadImagesAreRefused)
{
    Owned<Surface> image;
    FontImages::make(image, {2, 2}, 3);
    Font font;
    EXPECT_EQ(ResultCode::NullParameter, font.createFont(nullptr, &image, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, font.createFont(L"AB", nullptr, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, font.createFont(L"AB", static_cast<SurfaceRGBA*>(nullptr)));
    Owned<Surface> empty;
    EXPECT_EQ(ResultCode::InvalidSurface, font.createFont(L"AB", &empty, nullptr));
    ASSERT_EQ(ResultCode::Ok, font.createFont(L"AB", &image, nullptr));
    // An alpha image without pixels: the font was released first.
    EXPECT_EQ(ResultCode::InvalidSurface, font.createFont(L"AB", &image, &empty));
    EXPECT_EQ(0u, font.getCharWidth(L'A'));
    // An alpha image too small for the glyphs: the blit's own code, and nothing kept.
    Owned<Surface> small;
    SurfacePixels::make(small, 3, 4, 0xFFFF);
    EXPECT_EQ(ResultCode::InvalidCoordinates, font.createFont(L"AB", &image, &small));
    EXPECT_EQ(0u, font.getHeight());
}

TEST(Font, SpacingRowsAndGlobalSpacing)
{
    Owned<Surface> image;
    FontImages::make(image, {2, 3, 4}, 3);
    Font font;
    ASSERT_EQ(ResultCode::Ok, font.createFont(L"ABCA", &image, nullptr));
    EXPECT_EQ(0, font.getSpacing(L'A', L'B'));
    EXPECT_EQ(ResultCode::Ok, font.setSpacing(L'A', L'B', -1));
    EXPECT_EQ(ResultCode::Ok, font.setSpacing(L'A', L'?', 5)); // unknown: nothing happens
    EXPECT_EQ(ResultCode::Ok, font.setGlobalSpacing(2));
    EXPECT_EQ(1, font.getSpacing(L'A', L'B'));
    EXPECT_EQ(2, font.getSpacing(L'B', L'A'));
    EXPECT_EQ(0, font.getSpacing(L'A', L'?')); // an unknown partner gets no global spacing
    EXPECT_EQ(0, font.getSpacing(L'\n', L'A'));
    EXPECT_EQ(2u, font.getStringWidth(L"A"));  // none after the last character
    EXPECT_EQ(2u + 1u + 3u + 2u + 4u, font.getStringWidth(L"ABC"));
    // The unknown newline takes no room, and no spacing on either side of it.
    EXPECT_EQ(2u + 3u, font.getStringWidth(L"A\nB"));
    EXPECT_EQ(0u, font.getStringWidth(L""));
    EXPECT_EQ(0u, font.getStringWidth(nullptr));

    // Rebuilding starts afresh: no spacing, no global spacing.
    ASSERT_EQ(ResultCode::Ok, font.createFont(L"ABC", &image, nullptr));
    EXPECT_EQ(0, font.getSpacing(L'A', L'B'));
    EXPECT_EQ(2u + 3u, font.getStringWidth(L"AB"));
}

TEST(Font, TheShaderComesWithTheKeyFormOrASetter)
{
    Owned<Surface> image;
    FontImages::make(image, {3}, 2);
    SurfacePixels::set(image, 3, 2, FontImages::magenta); // glyph pixel (2, 1) is background
    Font font;
    // Without a shader the key colour is drawn like any other.
    ASSERT_EQ(ResultCode::Ok, font.createFont(L"A", &image, nullptr));
    EXPECT_EQ(FontImages::magenta, drawn(font, L"A", 3, 2)[5]);
    ASSERT_EQ(ResultCode::Ok, font.setColorKey(0xF803F8));
    EXPECT_EQ(0u, drawn(font, L"A", 3, 2)[5]);
    // The key form; then a font colour recolours the glyph and keeps the key.
    ASSERT_EQ(ResultCode::Ok, font.createFont(L"A", &image, 0xFF00FFul));
    ASSERT_EQ(ResultCode::Ok, font.setFontColor(0x0000FF));
    std::vector<uint16_t> pixels = drawn(font, L"A", 3, 2);
    EXPECT_EQ(0xF800, pixels[0]);
    EXPECT_EQ(0u, pixels[5]);
    // An inner shader on top of that.
    MultiplyShader half(0x808080);
    ASSERT_EQ(ResultCode::Ok, font.setShader(&half));
    EXPECT_EQ(0x7800, drawn(font, L"A", 3, 2)[0]);
    // A key written as a plain int is a key, black included: the glyph's black pixels
    // leave the (white) target as it was.
    SurfacePixels::set(image, 1, 1, 0); // glyph pixel (0, 0) is black
    ASSERT_EQ(ResultCode::Ok, font.createFont(L"A", &image, 0));
    Owned<Surface> white;
    SurfacePixels::make(white, 3, 2, 0xFFFF);
    ASSERT_EQ(ResultCode::Ok, white.drawText(0, 0, &font, 0, L"A"));
    EXPECT_EQ(0xFFFF, SurfacePixels::snapshot(white)[0]);
    EXPECT_EQ(FontImages::magenta, SurfacePixels::snapshot(white)[5]);
    // A font colour alone makes a shader without a key.
    ASSERT_EQ(ResultCode::Ok, font.createFont(L"A", &image, nullptr));
    ASSERT_EQ(ResultCode::Ok, font.setFontColor(0x00FF00));
    EXPECT_EQ(0x07E0, drawn(font, L"A", 3, 2)[5]);
}

TEST(Font, AnAlphaImageBlendsTheGlyphs)
{
    Owned<SurfaceRGBA> image;
    Owned<Surface> colors;
    FontImages::make(colors, {2}, 1);
    Surface* alpha = new Surface;
    SurfacePixels::make(*alpha, colors.getWidth(), 2, 0xFFFF);
    SurfacePixels::set(*alpha, 2, 1, 0); // the glyph's second pixel is transparent
    ASSERT_EQ(ResultCode::Ok, image.create(&colors, alpha));
    alpha->free();
    delete alpha;
    Font font;
    ASSERT_EQ(ResultCode::Ok, font.createFont(L"A", &image));
    std::vector<uint16_t> pixels = drawn(font, L"A", 2, 1);
    EXPECT_NE(0u, pixels[0]);
    EXPECT_EQ(0u, pixels[1]);
}

TEST(Font, ReleasingAndDestroyingLeaveNothingBehind)
{
    // Run under the leak checker: a font that did not release its glyphs, spacing rows,
    // characters and shader when it goes would be reported.
    Owned<Surface> image;
    FontImages::make(image, {2, 3}, 3);
    Font* font = new Font;
    ASSERT_EQ(ResultCode::Ok, font->createFont(L"AB", &image, 0xF803F8ul));
    ASSERT_EQ(ResultCode::Ok, font->setSpacing(L'A', L'B', 1));
    delete font;
    Font kept;
    ASSERT_EQ(ResultCode::Ok, kept.createFont(L"AB", &image, 0xF803F8ul));
    EXPECT_EQ(ResultCode::Ok, kept.releaseFont());
    EXPECT_EQ(0u, kept.getHeight());
    EXPECT_EQ(0u, kept.getCharWidth(L'A'));
    EXPECT_EQ(ResultCode::Ok, kept.releaseFont());
}

// Characters are found through a table built with the font: a character named twice keeps
// its first glyph, as a search from the start of the string would; characters far apart
// in code, and more than the table's first size, are all found, and others are not.
TEST(Font, EveryCharacterFindsItsFirstGlyph)
{
    const std::wstring characters = L"AbAZ\x4E00" L"0123456789\x00E9!b\x10FFFF";
    std::vector<unsigned long> widths;
    for (size_t i = 0; i < characters.size(); ++i)
        widths.push_back(1 + i % 7);
    Owned<Surface> image;
    FontImages::make(image, widths, 2);
    Font font;
    ASSERT_EQ(ResultCode::Ok, font.createFont(characters.c_str(), &image, nullptr));
    for (size_t i = 0; i < characters.size(); ++i) {
        const size_t first = characters.find(characters[i]);
        EXPECT_EQ(widths[first], font.getCharWidth(characters[i])) << "character " << i;
    }
    for (wchar_t unknown : {L'B', L'a', L'\0', L'\x4E01', L'\xFFFF'})
        EXPECT_EQ(0u, font.getCharWidth(unknown)) << static_cast<unsigned long>(unknown);
    // A rebuilt font forgets the old characters.
    ASSERT_EQ(ResultCode::Ok, font.createFont(L"Q", &image, nullptr));
    EXPECT_EQ(1u, font.getCharWidth(L'Q'));
    EXPECT_EQ(0u, font.getCharWidth(L'A'));
}
