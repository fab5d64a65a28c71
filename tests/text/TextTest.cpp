#include "FontImages.h"

#include "core/ResultCodes.h"
#include "support/SurfacePixels.h"
#include "text/Font.h"
#include "text/Panel.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using FontImages::glyphColor;
using SurfacePixels::at;

namespace {

// "A" 3 wide, "B" 1 wide, both 2 high; no shader, so every glyph pixel is drawn.
struct TestFont {
    TestFont()
    {
        FontImages::make(image, {3, 1}, 2);
        EXPECT_EQ(ResultCode::Ok, font.createFont(L"AB", &image, nullptr));
    }
    Owned<Surface> image;
    Font font;
};

const uint16_t a = glyphColor(0);
const uint16_t b = glyphColor(1);

// Row 0 of the surface as a string of 'a', 'b' and '.' (background).
std::string row0(Surface& surface)
{
    std::string out;
    for (unsigned long x = 0; x < surface.getWidth(); ++x) {
        uint16_t pixel = at(surface, x, 0);
        out += pixel == a ? 'a' : pixel == b ? 'b' : '.';
    }
    return out;
}

} // namespace

TEST(Text, GlyphsFollowOneAnotherWithTheirSpacing)
{
    TestFont test;
    Owned<Surface> target;
    SurfacePixels::make(target, 12, 2, 0);
    ASSERT_EQ(ResultCode::Ok, target.drawText(1, 0, &test.font, 0, L"AB\nA"));
    EXPECT_EQ(".aaaba", row0(target).substr(0, 6)); // the unknown newline takes no room
    test.font.setGlobalSpacing(1);
    test.font.setSpacing(L'B', L'A', 2);
    SurfacePixels::make(target, 12, 2, 0);
    ASSERT_EQ(ResultCode::Ok, target.drawText(0, 0, &test.font, 0, L"ABA"));
    EXPECT_EQ("aaa.b...aaa.", row0(target));
}

TEST(Text, AlignmentMovesTheStart)
{
    TestFont test;
    Owned<Surface> target;
    // Ten A's measure 30: right-aligned at 100 they start at 70.
    SurfacePixels::make(target, 120, 2, 0);
    ASSERT_EQ(ResultCode::Ok, target.drawText(100, 0, &test.font, 1, L"AAAAAAAAAA"));
    EXPECT_EQ(0u, at(target, 69, 0));
    EXPECT_EQ(a, at(target, 70, 0));
    EXPECT_EQ(a, at(target, 99, 0));
    EXPECT_EQ(0u, at(target, 100, 0));
    // Centred with a width of 31: they start at x - 15.
    SurfacePixels::make(target, 120, 2, 0);
    ASSERT_EQ(ResultCode::Ok, target.drawText(50, 0, &test.font, 2, L"AAAAAAAAAAB"));
    EXPECT_EQ(0u, at(target, 34, 0));
    EXPECT_EQ(a, at(target, 35, 0));
    EXPECT_EQ(b, at(target, 65, 0));
    // Any other alignment is the left end.
    SurfacePixels::make(target, 120, 2, 0);
    ASSERT_EQ(ResultCode::Ok, target.drawText(50, 0, &test.font, 7, L"B"));
    EXPECT_EQ(b, at(target, 50, 0));
}

TEST(Text, GlyphsOutsideTheSurfaceAreLeftOut)
{
    TestFont test;
    Owned<Surface> target;
    SurfacePixels::make(target, 6, 2, 0);
    // Right-aligned at 4, "ABA" (width 7) starts at -3: the first A is refused, the rest drawn.
    ASSERT_EQ(ResultCode::Ok, target.drawText(4, 0, &test.font, 1, L"ABA"));
    EXPECT_EQ("baaa..", row0(target));
    // The last glyph sticks out on the right: refused whole.
    SurfacePixels::make(target, 6, 2, 0);
    ASSERT_EQ(ResultCode::Ok, target.drawText(0, 0, &test.font, 0, L"ABAA"));
    EXPECT_EQ("aaab..", row0(target));
}

TEST(Text, ChecksComeInOrder)
{
    TestFont test;
    Font empty;
    Owned<Surface> target;
    Owned<Surface> noPixels;
    SurfacePixels::make(target, 4, 4, 0);
    EXPECT_EQ(ResultCode::InvalidSurface, noPixels.drawText(0, 0, nullptr, 0, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, target.drawText(0, 0, nullptr, 0, nullptr));
    EXPECT_EQ(ResultCode::InvalidFont, target.drawText(0, 0, &empty, 0, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, target.drawText(0, 0, &test.font, 0, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, target.drawFormattedText(0, 0, nullptr, 0, L"x"));
    EXPECT_EQ(ResultCode::InvalidFont, target.drawFormattedText(0, 0, &empty, 0, L"x"));
    EXPECT_EQ(ResultCode::NullParameter, target.drawFormattedText(0, 0, &test.font, 0, nullptr));
    EXPECT_EQ(ResultCode::InvalidSurface, noPixels.drawFormattedText(0, 0, &test.font, 0, L"A"));
    Panel loose;
    EXPECT_EQ(ResultCode::InvalidSurface, loose.drawText(0, 0, &test.font, 0, L"A"));
    EXPECT_EQ(ResultCode::InvalidSurface, loose.drawFormattedText(0, 0, &test.font, 0, L"A"));
}

TEST(Text, FormattedTextFitsIn128Characters)
{
    TestFont test;
    Owned<Surface> target;
    SurfacePixels::make(target, 600, 2, 0);
    // The common game use: a number.
    ASSERT_EQ(ResultCode::Ok, target.drawFormattedText(0, 0, &test.font, 0, L"%dA%ls", 12, L"B"));
    EXPECT_EQ("aaab", row0(target).substr(0, 4)); // the digits are not in the font
    // Narrow strings take %s, wide ones %ls.
    SurfacePixels::make(target, 600, 2, 0);
    ASSERT_EQ(ResultCode::Ok, target.drawFormattedText(0, 0, &test.font, 0, L"%s%ls", "B", L"A"));
    EXPECT_EQ("baaa", row0(target).substr(0, 4));

    // 127 characters and the terminator fit; 128 do not, and nothing is drawn.
    SurfacePixels::make(target, 600, 2, 0);
    std::wstring longest(127, L'B');
    ASSERT_EQ(ResultCode::Ok, target.drawFormattedText(0, 0, &test.font, 0, L"%ls", longest.c_str()));
    EXPECT_EQ(b, at(target, 126, 0));
    SurfacePixels::make(target, 600, 2, 0);
    std::wstring tooLong(128, L'A');
    EXPECT_EQ(ResultCode::StringTooLarge, target.drawFormattedText(0, 0, &test.font, 0, L"%ls", tooLong.c_str()));
    EXPECT_EQ(ResultCode::StringTooLarge, target.drawFormattedText(0, 0, &test.font, 0, L"%0128d", 1));
    EXPECT_EQ(std::string(600, '.'), row0(target));

    Panel panel(&target);
    EXPECT_EQ(ResultCode::Ok, panel.drawFormattedText(0, 0, &test.font, 0, L"%ls", longest.c_str()));
    EXPECT_EQ(ResultCode::StringTooLarge, panel.drawFormattedText(0, 0, &test.font, 0, L"%ls", tooLong.c_str()));
}

TEST(Text, PanelsClipGlyphsAtTheirEdges)
{
    TestFont test;
    Owned<Surface> target;
    SurfacePixels::make(target, 12, 4, 0);
    Panel root(&target);
    Panel inner(&root, tagRECT{2, 1, 7, 3});
    // Panel coordinates: the first A begins one column left of the panel, the last one
    // reaches past its right edge; both are cut, not dropped.
    ASSERT_EQ(ResultCode::Ok, inner.drawText(-1, 0, &test.font, 0, L"ABAA"));
    std::string row;
    for (unsigned long x = 0; x < 12; ++x) {
        uint16_t pixel = at(target, x, 1);
        row += pixel == a ? 'a' : pixel == b ? 'b' : '.';
    }
    EXPECT_EQ("..aabaa.....", row);
    EXPECT_EQ(0u, at(target, 3, 0)); // nothing above the panel
    EXPECT_EQ(0u, at(target, 3, 3)); // nor below
    // Wholly outside: nothing drawn, and still a success.
    EXPECT_EQ(ResultCode::Ok, inner.drawText(-40, 0, &test.font, 0, L"A"));
    EXPECT_EQ(ResultCode::Ok, inner.drawText(0, 10, &test.font, 0, L"A"));
    EXPECT_EQ(ResultCode::Ok, inner.drawText(2, 0, &test.font, 1, L"AAAAA"));
}

// Surfaces take glyphs straight into their pixels (narrow glyphs a row per step, with a
// fallback near the right edge and for wide glyphs); panels blit them one by one. On
// random fonts, shaders and lines that fit, both must leave the same pixels.
TEST(Text, SurfacesDrawWhatGlyphBlitsDraw)
{
    std::mt19937 random(21);
    for (int round = 0; round < 150; ++round) {
        std::vector<unsigned long> widths(1 + random() % 6);
        for (unsigned long& w : widths)
            w = 1 + random() % 12;
        const unsigned long height = 1 + random() % 9;
        Owned<Surface> image;
        FontImages::make(image, widths, height);
        // Glyph pixels below the marker row: random, a third of them the key.
        for (unsigned long y = 1; y <= height; ++y)
            for (unsigned long x = 0; x < image.getWidth(); ++x)
                if (at(image, x, 0) == FontImages::white)
                    SurfacePixels::set(image, x, y,
                                       random() % 3 ? static_cast<uint16_t>(random()) : FontImages::magenta);
        Font font;
        const wchar_t characters[] = L"ABCDEF";
        std::wstring chars(characters, widths.size());
        ASSERT_EQ(ResultCode::Ok, random() % 4 ? font.createFont(chars.c_str(), &image, 0x00FF00FFul)
                                               : font.createFont(chars.c_str(), &image, nullptr));
        if (random() % 2)
            font.setFontColor(random() & 0xFFFFFF);
        std::wstring text;
        for (int i = random() % 12; i > 0; --i)
            text += L"ABCDEFx"[random() % 7];
        Owned<Surface> direct;
        SurfacePixels::make(direct, 10 + random() % 60, height + random() % 4, 0);
        SurfacePixels::randomize(direct, random);
        Owned<Surface> blitted;
        blitted.create(&direct);
        const unsigned long lineWidth = font.getStringWidth(text.c_str());
        if (lineWidth > direct.getWidth())
            continue;
        const unsigned long x = random() % (direct.getWidth() - lineWidth + 1);
        const unsigned long y = random() % (direct.getHeight() - height + 1);
        ASSERT_EQ(ResultCode::Ok, direct.drawText(x, y, &font, 0, text.c_str()));
        Panel whole(&blitted);
        ASSERT_EQ(ResultCode::Ok, whole.drawText(static_cast<long>(x), static_cast<long>(y), &font, 0, text.c_str()));
        ASSERT_EQ(SurfacePixels::snapshot(blitted), SurfacePixels::snapshot(direct)) << "round " << round;
    }
}
