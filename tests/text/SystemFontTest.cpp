#include "core/ResultCodes.h"
#include "support/SurfacePixels.h"
#include "text/Font.h"
#include "text/Panel.h"
#include "text/SystemFontImages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <string>

using SurfacePixels::at;

namespace {

const wchar_t allCharacters[] = L" ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890"
                                L"!?\"'#$%&()[]{}_.,;:<>/*-+\\@|";

// The widths the plain font promises.
unsigned long promisedWidth(wchar_t c)
{
    if (std::wcschr(L"Ii!'.:|", c))
        return 1;
    if (std::wcschr(L"()[],;", c))
        return 2;
    if (std::wcschr(L" EFLTZefltz1\"{}<>/-\\", c))
        return 3;
    if (std::wcschr(L"MNVWXYmnvwxy#%*+@", c))
        return 5;
    return 4;
}

struct Strip {
    unsigned long width;
    unsigned long firstRun;
    unsigned long runs;
    bool gapsOfOneOrTwo;
    bool threeColours; // only magenta, white and black below the marker row
};

Strip examine(const unsigned char* bytes, size_t size)
{
    Owned<Surface> image;
    EXPECT_EQ(ResultCode::Ok, image.create(const_cast<unsigned char*>(bytes), static_cast<unsigned long>(size)));
    Strip strip = {image.getWidth(), 0, 0, true, true};
    EXPECT_EQ(8u, image.getHeight());
    unsigned long x = 0;
    unsigned long lastEnd = 0;
    while (x < image.getWidth()) {
        if (at(image, x, 0) != 0xFFFF) {
            ++x;
            continue;
        }
        if (strip.runs == 0)
            strip.firstRun = x;
        else if (x - lastEnd < 1 || x - lastEnd > 2)
            strip.gapsOfOneOrTwo = false;
        while (x < image.getWidth() && at(image, x, 0) == 0xFFFF)
            ++x;
        lastEnd = x;
        ++strip.runs;
    }
    for (unsigned long y = 1; y < 8; ++y)
        for (unsigned long px = 0; px < image.getWidth(); ++px) {
            uint16_t pixel = at(image, px, y);
            if (pixel != 0xF81F && pixel != 0xFFFF && pixel != 0)
                strip.threeColours = false;
        }
    return strip;
}

} // namespace

TEST(SystemFont, TheStoredImagesFollowTheLayout)
{
    size_t size = 0;
    const unsigned char* plainBytes = SystemFontImages::plain(size);
    Strip plain = examine(plainBytes, size);
    EXPECT_EQ(422u, plain.width);
    EXPECT_EQ(2u, plain.firstRun);
    EXPECT_EQ(91u, plain.runs);
    EXPECT_TRUE(plain.gapsOfOneOrTwo);
    EXPECT_TRUE(plain.threeColours);

    const unsigned char* borderedBytes = SystemFontImages::bordered(size);
    Strip bordered = examine(borderedBytes, size);
    EXPECT_EQ(602u, bordered.width);
    EXPECT_EQ(1u, bordered.firstRun);
    EXPECT_EQ(91u, bordered.runs);
    EXPECT_TRUE(bordered.gapsOfOneOrTwo);
    EXPECT_TRUE(bordered.threeColours);
}

TEST(SystemFont, PlainFontHasThePromisedWidthsAndSpacing)
{
    Font* font = Font::getSystemFont();
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(font, Font::getSystemFont());
    EXPECT_EQ(7u, font->getHeight());
    for (const wchar_t* c = allCharacters; *c; ++c)
        EXPECT_EQ(promisedWidth(*c), font->getCharWidth(*c)) << static_cast<char>(*c);
    EXPECT_EQ(9u, font->getStringWidth(L"AB"));
    EXPECT_EQ(1, font->getSpacing(L'A', L'B'));
    EXPECT_EQ(0u, font->getCharWidth(L'~'));
}

TEST(SystemFont, BorderedFontIsTwoWiderWithoutSpacing)
{
    Font* font = Font::getSystemFontWithBorder();
    ASSERT_NE(nullptr, font);
    EXPECT_NE(Font::getSystemFont(), font);
    EXPECT_EQ(7u, font->getHeight());
    for (const wchar_t* c = allCharacters; *c; ++c)
        EXPECT_EQ(*c == L'{' ? 4u : promisedWidth(*c) + 2, font->getCharWidth(*c)) << static_cast<char>(*c);
    EXPECT_EQ(0, font->getSpacing(L'A', L'B'));
}

TEST(SystemFont, TheBackgroundIsKeyedOut)
{
    Owned<Surface> back;
    SurfacePixels::make(back, 40, 10, 0x001F);
    Panel panel(&back);
    ASSERT_EQ(ResultCode::Ok, panel.drawText(1, 1, Font::getSystemFont(), 0, L"Hi"));
    ASSERT_EQ(ResultCode::Ok, panel.drawText(15, 1, Font::getSystemFontWithBorder(), 0, L"Hi"));
    bool white = false;
    bool black = false;
    for (unsigned long y = 0; y < 10; ++y)
        for (unsigned long x = 0; x < 40; ++x) {
            uint16_t pixel = at(back, x, y);
            EXPECT_NE(0xF81F, pixel);
            white = white || pixel == 0xFFFF;
            black = black || (pixel == 0 && x >= 15);
        }
    EXPECT_TRUE(white);
    EXPECT_TRUE(black);
}

// Every character of both fonts, drawn through drawText, saved as a PNG for a person to
// look at when PARVOLIN_FONT_PREVIEW names the file.
TEST(SystemFont, PreviewOfEveryCharacter)
{
    const char* preview = std::getenv("PARVOLIN_FONT_PREVIEW");
    Owned<Surface> sheet;
    SurfacePixels::make(sheet, 200, 100, 0x2945);
    Panel panel(&sheet);
    const wchar_t* lines[] = {L"ABCDEFGHIJKLM", L"NOPQRSTUVWXYZ", L"abcdefghijklm", L"nopqrstuvwxyz",
                              L"1234567890 !?\"'", L"#$%&()[]{}_.,;:", L"<>/*-+\\@|", L"Score: 1250 (x3)"};
    long y = 2;
    for (const wchar_t* line : lines) {
        ASSERT_EQ(ResultCode::Ok, panel.drawText(2, y, Font::getSystemFont(), 0, line));
        ASSERT_EQ(ResultCode::Ok, panel.drawText(100, y, Font::getSystemFontWithBorder(), 0, line));
        y += 10;
    }
    ASSERT_EQ(ResultCode::Ok, panel.drawFormattedText(2, y, Font::getSystemFont(), 0, L"Level %d, lives %d", 7, 2));
    if (!preview)
        GTEST_SKIP() << "set PARVOLIN_FONT_PREVIEW=<file.png> to save the preview";
    // Six times larger, so that each pixel of a glyph can be seen.
    Owned<Surface> enlarged;
    ASSERT_EQ(ResultCode::Ok, enlarged.create(6 * sheet.getWidth(), 6 * sheet.getHeight()));
    ASSERT_EQ(ResultCode::Ok, enlarged.blt(nullptr, &sheet, nullptr, 0, Surface::FLIP_NONE, nullptr));
    size_t length = std::mbstowcs(nullptr, preview, 0);
    std::wstring path(length, L'\0');
    std::mbstowcs(&path[0], preview, length);
    EXPECT_EQ(ResultCode::Ok, enlarged.save(path.c_str(), Surface::PNG));
}
