#include "core/ResultCodes.h"
#include "graphics/ColorShaders.h"
#include "graphics/CompositeShaders.h"
#include "graphics/KeyShaders.h"
#include "graphics/OpacityShader.h"
#include "pixels/PixelRules.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

namespace {

// What a blit stores for one destination pixel under one source pixel: it is the only way
// to reach a shader's native operation from outside.
uint16_t shadeOne(Shader& shader, uint16_t destination, uint16_t source)
{
    Owned<Surface> target;
    Owned<Surface> sprite;
    SurfacePixels::make(target, 1, 1, destination);
    SurfacePixels::make(sprite, 1, 1, source);
    EXPECT_EQ(ResultCode::Ok, target.bltFast(0, 0, &sprite, nullptr, &shader));
    return SurfacePixels::at(target, 0, 0);
}

uint16_t pack(unsigned r5, unsigned g6, unsigned b5) { return static_cast<uint16_t>((r5 << 11) | (g6 << 5) | b5); }

// A game's own shader: swaps red and blue, and records what it was given.
class SwapShader : public Shader {
public:
    unsigned long process(unsigned long destination, unsigned long source) override
    {
        seenDestination = destination;
        seenSource = source;
        return ((source & 0xFF) << 16) | (source & 0xFF00) | ((source >> 16) & 0xFF) | 0xFF000000;
    }
    unsigned long seenDestination = 0;
    unsigned long seenSource = 0;
};

// A class derived from a built-in that overrides only the colour level.
class LoudMultiply : public MultiplyShader {
public:
    using MultiplyShader::MultiplyShader;
    unsigned long process(unsigned long, unsigned long) override { return 0x00FFFFFF; }
};

} // namespace

TEST(Shader, MultiplyScalesEachChannelAndKeepsFactor255)
{
    MultiplyShader identity(0x00FFFFFF);
    MultiplyShader black;
    MultiplyShader nearWhite(0x00FEFEFE);
    for (uint16_t p : {0x0000, 0x1234, 0xF81F, 0xFFFF})
        EXPECT_EQ(p, shadeOne(identity, 0, p));
    EXPECT_EQ(0, shadeOne(black, 0x5555, 0xFFFF));
    EXPECT_EQ(pack(30, 62, 30), shadeOne(nearWhite, 0, 0xFFFF));
    // Channels are independent: red 0x80 halves red, the others stay.
    MultiplyShader redHalf(0x00FFFF80);
    EXPECT_EQ(pack(15, 63, 31), shadeOne(redHalf, 0, 0xFFFF));
}

TEST(Shader, ScreenAndOverlayFollowTheirChannelRules)
{
    ScreenShader none;
    ScreenShader white(0x00FFFFFF);
    EXPECT_EQ(0x1234, shadeOne(none, 0, 0x1234));
    EXPECT_EQ(0xFFFF, shadeOne(white, 0, 0x0000));

    // Green 128 exactly (G6 32) takes the upper formula: 255 - ((255 - k) * 127 >> 7).
    OverlayShader overlay(0x00004000);
    uint32_t upper = 255 - (((255 - 0x40) * (255 - 128)) >> 7);
    EXPECT_EQ(pack(0, (upper & 0xFC) >> 2, 0), shadeOne(overlay, 0, pack(0, 32, 0)));
    // Green 124 (G6 31) takes the lower one: k * c >> 7.
    EXPECT_EQ(pack(0, ((0x40 * 124 >> 7) & 0xFC) >> 2, 0), shadeOne(overlay, 0, pack(0, 31, 0)));
}

TEST(Shader, GrayScaleOfWhiteIs250)
{
    GrayScaleShader gray;
    EXPECT_EQ(pack(31, 62, 31), shadeOne(gray, 0, 0xFFFF));
    EXPECT_EQ(0, shadeOne(gray, 0xFFFF, 0));
    // Pure blue: 232 * 31 >> 8 = 28.
    EXPECT_EQ(pack(28 >> 3, 28 >> 2, 28 >> 3), shadeOne(gray, 0, 0x001F));
}

TEST(Shader, KeysChooseBetweenSourceDestinationAndFill)
{
    ColorKeyShader magenta(0x00FF00FF);
    EXPECT_EQ(0x1111, shadeOne(magenta, 0x1111, 0xF81F));
    EXPECT_EQ(0xF81E, shadeOne(magenta, 0x1111, 0xF81E));
    // A COLORREF key is truncated: 0x00FB03FA names the same native pixel.
    magenta.setColorKey(0x00FB03FA);
    EXPECT_EQ(0x1111, shadeOne(magenta, 0x1111, 0xF81F));
    ColorKeyShader black;
    EXPECT_EQ(0x2222, shadeOne(black, 0x2222, 0x0000));

    FillForeShader silhouette(0x00FF00FF, 0x00FFFFFF);
    EXPECT_EQ(0x1111, shadeOne(silhouette, 0x1111, 0xF81F));
    EXPECT_EQ(0xFFFF, shadeOne(silhouette, 0x1111, 0x0420));
    FillBackShader background(0x00FF00FF, 0x000000FF);
    EXPECT_EQ(0xF800, shadeOne(background, 0x1111, 0xF81F));
    EXPECT_EQ(0x0420, shadeOne(background, 0x1111, 0x0420));
}

TEST(Shader, OpacityBlendsAndClampsAbove255)
{
    OpacityShader clamped(300);
    OpacityShader full;
    OpacityShader none(0);
    EXPECT_EQ(shadeOne(full, 0x0000, 0xFFFF), shadeOne(clamped, 0x0000, 0xFFFF));
    // Weight 63: each channel 31 * 63 / 64 -> 30, 63 * 63 / 64 -> 62.
    EXPECT_EQ(pack(30, 62, 30), shadeOne(full, 0x0000, 0xFFFF));
    EXPECT_EQ(0x1234, shadeOne(none, 0x1234, 0xFFFF));
    OpacityShader at128(128);
    EXPECT_EQ(PixelRules::blend(0xFFFF, 0x0000, 32), shadeOne(at128, 0x0000, 0xFFFF));
}

TEST(Shader, CascadeKeysFirstThenTintsWhatItIsHanded)
{
    ColorKeyShader key(0x00FF00FF);
    MultiplyShader halve(0x00808080);
    CascadeShader cascade(&key, &halve);
    // A key pixel yields the destination, tinted: the multiply works on whatever it gets.
    uint16_t tinted = shadeOne(halve, 0, 0xFFFF);
    EXPECT_EQ(tinted, shadeOne(cascade, 0xFFFF, 0xF81F));
    EXPECT_EQ(tinted, shadeOne(cascade, 0x0000, 0xFFFF));
    // A missing member passes its source on instead of failing.
    CascadeShader half(&key, nullptr);
    EXPECT_EQ(0x3333, shadeOne(half, 0x3333, 0xF81F));
}

TEST(Shader, FontShaderKeysRecoloursAndSkipsTheInnerShaderOnKeyPixels)
{
    FontShader plain;
    EXPECT_EQ(0x1234, shadeOne(plain, 0x5555, 0x1234));
    FontShader keyed(0x00FF00FF);
    EXPECT_EQ(0x5555, shadeOne(keyed, 0x5555, 0xF81F));
    EXPECT_EQ(0x1234, shadeOne(keyed, 0x5555, 0x1234));
    keyed.setFontColor(0x000000FF);
    EXPECT_EQ(0xF800, shadeOne(keyed, 0x5555, 0x1234));
    EXPECT_EQ(0x5555, shadeOne(keyed, 0x5555, 0xF81F));

    SwapShader inner;
    keyed.setShader(&inner);
    EXPECT_EQ(0x5555, shadeOne(keyed, 0x5555, 0xF81F));
    EXPECT_EQ(0u, inner.seenSource) << "key pixels never reach the inner shader";
    // The font colour (red) goes to the inner shader, which swaps it to blue.
    EXPECT_EQ(0x001F, shadeOne(keyed, 0x5555, 0x1234));
    EXPECT_EQ(0x000000F8u, inner.seenSource);

    FontShader colourOnly;
    colourOnly.setFontColor(0x0000FF00);
    EXPECT_EQ(0x07E0, shadeOne(colourOnly, 0x5555, 0xF81F));
}

TEST(Shader, GameShaderSeesTruncatedColoursAndIsTruncatedBack)
{
    SwapShader swap;
    EXPECT_EQ(0x001F, shadeOne(swap, 0xFFFF, 0xF800));
    EXPECT_EQ(0x00F8FCF8u, swap.seenDestination) << "low bits cleared, no replication";
    EXPECT_EQ(0x000000F8u, swap.seenSource);
    // Called directly, a game shader works on the colours as given.
    EXPECT_EQ(0xFF030201u, swap.process(0, 0x00010203));
}

TEST(Shader, BuiltInProcessWorksThroughTheNativeRule)
{
    MultiplyShader nearWhite(0x00FEFEFE);
    // White as COLORREF: native 0xFFFF, multiplied to (30, 62, 30), back to COLORREF.
    EXPECT_EQ(0x00F0F8F0u, nearWhite.process(0, 0x00FFFFFF));
    ColorKeyShader key(0x00FF00FF);
    EXPECT_EQ(0x00F8FCF8u, key.process(0x00FFFFFF, 0x00FF00FF));
    // A subclass overriding only process does not change what the blits draw.
    LoudMultiply loud(0x00FFFFFF);
    EXPECT_EQ(0x1234, shadeOne(loud, 0, 0x1234));
    EXPECT_EQ(0x00FFFFFFu, loud.process(0, 0x1234));
}

TEST(Shader, CopiesKeepParametersAndBorrowedPointers)
{
    MultiplyShader original(0x00FEFEFE);
    MultiplyShader copy(original);
    original.setShaderColor(0);
    EXPECT_EQ(pack(30, 62, 30), shadeOne(copy, 0, 0xFFFF));

    ColorKeyShader key(0x00FF00FF);
    FontShader font(0);
    font.setShader(&key);
    FontShader fontCopy = font;
    key.setColorKey(0x00FFFFFF);
    // The copy points at the same inner shader, so it sees the new key.
    EXPECT_EQ(0x4444, shadeOne(fontCopy, 0x4444, 0xFFFF));
    Shader* asPointer = copy;
    EXPECT_EQ(&copy, asPointer);
}
