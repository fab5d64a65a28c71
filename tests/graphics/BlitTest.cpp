#include "core/ResultCodes.h"
#include "graphics/KeyShaders.h"
#include "pixels/PixelRules.h"
#include "graphics/SurfaceRGBA.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

#include <random>

using SurfacePixels::at;
using SurfacePixels::make;
using SurfacePixels::snapshot;

namespace {

class Exposed : public Surface {
public:
    using Surface::correctRect;
};

// A width x height surface whose pixel (x, y) is x + 16 * y + 1, so every pixel names its
// origin.
void makeNumbered(Surface& surface, unsigned long width, unsigned long height)
{
    make(surface, width, height, 0);
    for (unsigned long y = 0; y < height; ++y)
        for (unsigned long x = 0; x < width; ++x)
            SurfacePixels::set(surface, x, y, static_cast<uint16_t>(x + 16 * y + 1));
}

} // namespace

TEST(Blit, BltFastCopiesTheRectangleToThePoint)
{
    Owned<Surface> target;
    Owned<Surface> source;
    make(target, 8, 8, 0);
    makeNumbered(source, 4, 4);
    tagRECT inverted{3, 3, 1, 1}; // normalised to (1, 1, 3, 3)
    ASSERT_EQ(ResultCode::Ok, target.bltFast(5, 6, &source, &inverted, nullptr));
    EXPECT_EQ(1 + 16 + 1, at(target, 5, 6));
    EXPECT_EQ(2 + 16 + 1, at(target, 6, 6));
    EXPECT_EQ(1 + 32 + 1, at(target, 5, 7));
    EXPECT_EQ(0, at(target, 4, 6));
    EXPECT_EQ(0, at(target, 7, 6));

    // Full-width rows on both sides take the one-block path.
    Owned<Surface> wide;
    makeNumbered(wide, 8, 3);
    ASSERT_EQ(ResultCode::Ok, target.bltFast(0, 2, &wide, nullptr, nullptr));
    const auto after = snapshot(target);
    EXPECT_EQ(snapshot(wide), std::vector<uint16_t>(after.begin() + 16, after.begin() + 40));
}

TEST(Blit, UnscaledBlitsRefuseWhatDoesNotFitAndDrawNothing)
{
    Owned<Surface> target;
    Owned<Surface> big;
    Owned<Surface> empty;
    make(target, 6, 4, 0x1111);
    make(big, 7, 2, 0x2222);
    const auto before = snapshot(target);
    EXPECT_EQ(ResultCode::InvalidCoordinates, target.bltFast(0, 0, &big, nullptr, nullptr));

    tagRECT one{0, 0, 1, 1};
    tagRECT two{0, 0, 2, 1};
    EXPECT_EQ(ResultCode::InvalidCoordinates, target.bltFast(5, 0, &big, &two, nullptr));
    EXPECT_EQ(ResultCode::InvalidCoordinates, target.bltFast(static_cast<unsigned long>(-1L), 0, &big, &one, nullptr));
    EXPECT_EQ(ResultCode::InvalidCoordinates, target.bltFast(0, 4, &big, &one, nullptr));
    tagRECT outside{6, 0, 8, 1};
    EXPECT_EQ(ResultCode::InvalidCoordinates, target.bltFast(0, 0, &big, &outside, nullptr));
    EXPECT_EQ(before, snapshot(target));

    tagRECT zeroWide{4, 4, 4, 9};
    EXPECT_EQ(ResultCode::Ok, target.bltFast(0, 0, &big, &zeroWide, nullptr));
    EXPECT_EQ(before, snapshot(target));

    EXPECT_EQ(ResultCode::NullParameter, target.bltFast(0, 0, nullptr, nullptr, nullptr));
    EXPECT_EQ(ResultCode::InvalidSurface, target.bltFast(0, 0, &empty, nullptr, nullptr));
    EXPECT_EQ(ResultCode::InvalidSurface, empty.bltFast(0, 0, &big, nullptr, nullptr));

    ASSERT_EQ(ResultCode::Ok, target.bltFast(5, 0, &big, &one, nullptr));
    EXPECT_EQ(0x2222, at(target, 5, 0));
    EXPECT_EQ(0x1111, at(target, 4, 0));
}

TEST(Blit, AlphaBltFastBlendsByTheGreenFieldOfTheAlphaPlane)
{
    Owned<Surface> target;
    Owned<Surface> source;
    Owned<Surface> alpha;
    make(target, 4, 1, 0x0000);
    make(source, 4, 1, 0xFFFF);
    make(alpha, 4, 1, 0);
    SurfacePixels::set(alpha, 0, 0, 0xFFFF);
    SurfacePixels::set(alpha, 1, 0, 0x07E0); // green only: same weight as 0xFFFF
    SurfacePixels::set(alpha, 2, 0, 0xF81F); // red and blue only: weight 0
    SurfacePixels::set(alpha, 3, 0, 0x0400); // weight 32
    ASSERT_EQ(ResultCode::Ok, target.alphaBltFast(0, 0, &source, nullptr, &alpha, nullptr, nullptr));
    const uint16_t nearly = (30 << 11) | (62 << 5) | 30;
    EXPECT_EQ(nearly, at(target, 0, 0));
    EXPECT_EQ(nearly, at(target, 1, 0));
    EXPECT_EQ(0x0000, at(target, 2, 0));
    EXPECT_EQ(PixelRules::blend(0xFFFF, 0, 32), at(target, 3, 0));
}

TEST(Blit, AlphaBltFastStepsEachPlaneByItsOwnWidth)
{
    Owned<Surface> target;
    Owned<Surface> source;
    Owned<Surface> alpha;
    make(target, 2, 2, 0x0000);
    make(source, 2, 2, 0xFFFF);
    make(alpha, 5, 3, 0);
    // The alpha rectangle (3, 1, 5, 3) is opaque on its left column only.
    SurfacePixels::set(alpha, 3, 1, 0xFFFF);
    SurfacePixels::set(alpha, 3, 2, 0xFFFF);
    tagRECT alphaRect{3, 1, 5, 3};
    ASSERT_EQ(ResultCode::Ok, target.alphaBltFast(0, 0, &source, nullptr, &alpha, &alphaRect, nullptr));
    EXPECT_NE(0, at(target, 0, 0));
    EXPECT_NE(0, at(target, 0, 1));
    EXPECT_EQ(0, at(target, 1, 0));
    EXPECT_EQ(0, at(target, 1, 1));

    tagRECT otherSize{0, 0, 2, 3};
    EXPECT_EQ(ResultCode::InvalidCoordinates,
              target.alphaBltFast(0, 0, &source, nullptr, &alpha, &otherSize, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, target.alphaBltFast(0, 0, &source, nullptr, nullptr, nullptr, nullptr));
}

TEST(Blit, AlphaFormsOfSurfaceRGBAUseItsOwnPlane)
{
    Owned<Surface> target;
    Owned<SurfaceRGBA> sprite;
    make(target, 3, 3, 0x0000);
    ASSERT_EQ(ResultCode::Ok, sprite.create(3, 3));
    std::mt19937 random(1);
    SurfacePixels::randomize(sprite, random);
    ASSERT_EQ(ResultCode::Ok, target.alphaBltFast(0, 0, &sprite, nullptr, nullptr));
    for (unsigned long x = 0; x < 3; ++x)
        EXPECT_EQ(PixelRules::blend(at(sprite, x, 1), 0, 63), at(target, x, 1));

    EXPECT_EQ(ResultCode::NullParameter, target.alphaBltFast(0, 0, static_cast<SurfaceRGBA*>(nullptr), nullptr, nullptr));
    EXPECT_EQ(ResultCode::NullParameter,
              target.alphaBlt(nullptr, static_cast<SurfaceRGBA*>(nullptr), nullptr, 0, Surface::FLIP_NONE, nullptr));
    sprite.setAlphaSurface(nullptr);
    EXPECT_EQ(ResultCode::NullParameter, target.alphaBltFast(0, 0, &sprite, nullptr, nullptr));
}

TEST(Blit, BltScalesByRepeatingAndSkippingSourcePixels)
{
    Owned<Surface> target;
    Owned<Surface> source;
    make(target, 22, 22, 0x7777);
    makeNumbered(source, 10, 10);
    tagRECT dest{1, 1, 21, 21};
    ASSERT_EQ(ResultCode::Ok, target.blt(&dest, &source, nullptr, 0, Surface::FLIP_NONE, nullptr));
    for (unsigned long y = 0; y < 20; ++y)
        for (unsigned long x = 0; x < 20; ++x)
            ASSERT_EQ(at(source, x / 2, y / 2), at(target, x + 1, y + 1)) << x << "," << y;
    EXPECT_EQ(0x7777, at(target, 0, 0));
    EXPECT_EQ(0x7777, at(target, 21, 21));

    // Shrinking 4 -> 2 takes columns 0 and 2.
    tagRECT row{0, 0, 4, 1};
    tagRECT half{0, 0, 2, 1};
    ASSERT_EQ(ResultCode::Ok, target.blt(&half, &source, &row, 0, Surface::FLIP_NONE, nullptr));
    EXPECT_EQ(at(source, 0, 0), at(target, 0, 0));
    EXPECT_EQ(at(source, 2, 0), at(target, 1, 0));
}

TEST(Blit, BltRotatesAndMirrorsTheSource)
{
    Owned<Surface> source;
    make(source, 2, 1, 0);
    const uint16_t p = 0x1111;
    const uint16_t q = 0x2222;
    SurfacePixels::set(source, 0, 0, p);
    SurfacePixels::set(source, 1, 0, q);

    Owned<Surface> tall;
    make(tall, 1, 2, 0);
    ASSERT_EQ(ResultCode::Ok, tall.blt(nullptr, &source, nullptr, 90, Surface::FLIP_NONE, nullptr));
    EXPECT_EQ(p, at(tall, 0, 0));
    EXPECT_EQ(q, at(tall, 0, 1));
    ASSERT_EQ(ResultCode::Ok, tall.blt(nullptr, &source, nullptr, 270, Surface::FLIP_NONE, nullptr));
    EXPECT_EQ(q, at(tall, 0, 0));
    EXPECT_EQ(p, at(tall, 0, 1));

    Owned<Surface> wide;
    make(wide, 2, 1, 0);
    ASSERT_EQ(ResultCode::Ok, wide.blt(nullptr, &source, nullptr, 0, Surface::FLIP_HORIZONTAL, nullptr));
    EXPECT_EQ(q, at(wide, 0, 0));
    EXPECT_EQ(p, at(wide, 1, 0));
    ASSERT_EQ(ResultCode::Ok, wide.blt(nullptr, &source, nullptr, 180, Surface::FLIP_NONE, nullptr));
    EXPECT_EQ(q, at(wide, 0, 0));
    // Any other angle is no rotation.
    ASSERT_EQ(ResultCode::Ok, wide.blt(nullptr, &source, nullptr, 45, Surface::FLIP_NONE, nullptr));
    EXPECT_EQ(p, at(wide, 0, 0));
    EXPECT_EQ(q, at(wide, 1, 0));
}

TEST(Blit, BltChecksTheDestinationRectangleFirst)
{
    Owned<Surface> empty;
    Owned<Surface> target;
    make(target, 4, 4, 0x1234);
    EXPECT_EQ(ResultCode::Ok, empty.blt(nullptr, nullptr, nullptr, 0, Surface::FLIP_NONE, nullptr));
    tagRECT some{0, 0, 1, 1};
    EXPECT_EQ(ResultCode::InvalidCoordinates, empty.blt(&some, &target, nullptr, 0, Surface::FLIP_NONE, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, target.blt(nullptr, nullptr, nullptr, 0, Surface::FLIP_NONE, nullptr));
    EXPECT_EQ(ResultCode::InvalidSurface, target.blt(nullptr, &empty, nullptr, 0, Surface::FLIP_NONE, nullptr));
    tagRECT beyond{0, 0, 5, 1};
    EXPECT_EQ(ResultCode::InvalidCoordinates, target.blt(&beyond, &target, nullptr, 0, Surface::FLIP_NONE, nullptr));
}

TEST(Blit, BltWithAShaderWritesTheSameDestinationPixels)
{
    Owned<Surface> source;
    Owned<Surface> plain;
    Owned<Surface> shaded;
    makeNumbered(source, 5, 3);
    make(plain, 9, 9, 0x4444);
    make(shaded, 9, 9, 0x4444);
    ColorKeyShader neverMatches(0x00FFFFFF);
    tagRECT dest{2, 1, 8, 8};
    ASSERT_EQ(ResultCode::Ok, plain.blt(&dest, &source, nullptr, 90, Surface::FLIP_VERTICAL, nullptr));
    ASSERT_EQ(ResultCode::Ok, shaded.blt(&dest, &source, nullptr, 90, Surface::FLIP_VERTICAL, &neverMatches));
    EXPECT_EQ(snapshot(plain), snapshot(shaded));
}

TEST(Blit, AlphaBltRotatesTheAlphaPlaneWithTheSource)
{
    Owned<Surface> target;
    Owned<Surface> source;
    Owned<Surface> alpha;
    make(target, 1, 2, 0);
    make(source, 2, 1, 0xFFFF);
    make(alpha, 2, 1, 0);
    SurfacePixels::set(alpha, 1, 0, 0xFFFF); // only the right pixel shows
    ASSERT_EQ(ResultCode::Ok, target.alphaBlt(nullptr, &source, nullptr, &alpha, nullptr, 90, Surface::FLIP_NONE,
                                              nullptr));
    EXPECT_EQ(0, at(target, 0, 0));
    EXPECT_NE(0, at(target, 0, 1));

    tagRECT other{0, 0, 1, 1};
    EXPECT_EQ(ResultCode::InvalidCoordinates,
              target.alphaBlt(nullptr, &source, nullptr, &alpha, &other, 0, Surface::FLIP_NONE, nullptr));
}

TEST(Blit, CorrectRectMirrorsThenExchangesRangesForQuarterTurns)
{
    Exposed surface;
    make(surface, 10, 6, 0);
    tagRECT r{1, 2, 4, 3};
    tagRECT mirrored = surface.correctRect(&r, 0, Surface::FLIP_BOTH, &surface);
    EXPECT_EQ(6, mirrored.left);
    EXPECT_EQ(9, mirrored.right);
    EXPECT_EQ(3, mirrored.top);
    EXPECT_EQ(4, mirrored.bottom);
    tagRECT turned = surface.correctRect(&r, 90, Surface::FLIP_NONE, &surface);
    EXPECT_EQ(2, turned.left);
    EXPECT_EQ(1, turned.top);
    EXPECT_EQ(3, turned.right);
    EXPECT_EQ(4, turned.bottom);
    tagRECT half = surface.correctRect(&r, 180, Surface::FLIP_NONE, &surface);
    EXPECT_EQ(1, half.left);
    EXPECT_EQ(4, half.right);
    surface.free();
}
