#include "core/ResultCodes.h"
#include "graphics/SurfaceRGBA.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

#include <random>

using SurfacePixels::make;
using SurfacePixels::snapshot;

namespace {
std::vector<uint16_t> filled(size_t count, uint16_t value) { return std::vector<uint16_t>(count, value); }

// Lets a test install an alpha plane object of its own making.
Surface* heapSurface(unsigned long width, unsigned long height, uint16_t value)
{
    Surface* surface = new Surface;
    if (width && height)
        make(*surface, width, height, value);
    return surface;
}
} // namespace

TEST(SurfaceRGBA, CreateGivesAnOpaquePlaneAndKeepsBothOnTheSameSize)
{
    Owned<SurfaceRGBA> sprite;
    ASSERT_EQ(ResultCode::Ok, sprite.create(10, 10));
    ASSERT_NE(nullptr, sprite.getAlphaSurface());
    EXPECT_EQ(10u, sprite.getAlphaSurface()->getWidth());
    EXPECT_EQ(filled(100, 0xFFFF), snapshot(*sprite.getAlphaSurface()));

    SurfacePixels::set(sprite, 3, 3, 0x1234);
    SurfacePixels::set(*sprite.getAlphaSurface(), 3, 3, 0x0420);
    Surface* plane = sprite.getAlphaSurface();
    ASSERT_EQ(ResultCode::Ok, sprite.create(10, 10));
    EXPECT_EQ(plane, sprite.getAlphaSurface());
    EXPECT_EQ(0x1234, SurfacePixels::at(sprite, 3, 3));
    EXPECT_EQ(0x0420, SurfacePixels::at(*plane, 3, 3));

    ASSERT_EQ(ResultCode::Ok, sprite.create(0, 5));
    EXPECT_EQ(0u, sprite.getWidth());
    EXPECT_EQ(nullptr, sprite.getAlphaSurface());
    EXPECT_EQ(ResultCode::Ok, sprite.free());
}

TEST(SurfaceRGBA, CopiesBothPlanesOfASource)
{
    Owned<SurfaceRGBA> source;
    Owned<SurfaceRGBA> copy;
    std::mt19937 random(3);
    ASSERT_EQ(ResultCode::Ok, source.create(4, 3));
    SurfacePixels::randomize(source, random);
    SurfacePixels::randomize(*source.getAlphaSurface(), random);

    // Other size: new planes.
    ASSERT_EQ(ResultCode::Ok, copy.create(2, 2));
    ASSERT_EQ(ResultCode::Ok, copy.create(&source));
    EXPECT_EQ(snapshot(source), snapshot(copy));
    EXPECT_EQ(snapshot(*source.getAlphaSurface()), snapshot(*copy.getAlphaSurface()));
    EXPECT_NE(source.getAlphaSurface(), copy.getAlphaSurface());

    // Same size: both planes overwritten with the source's pixels.
    SurfacePixels::randomize(source, random);
    SurfacePixels::randomize(*source.getAlphaSurface(), random);
    ASSERT_EQ(ResultCode::Ok, copy.create(&source));
    EXPECT_EQ(snapshot(source), snapshot(copy));
    EXPECT_EQ(snapshot(*source.getAlphaSurface()), snapshot(*copy.getAlphaSurface()));

    // The inherited colour-only copy of another size leaves no alpha plane.
    Owned<Surface> plain;
    make(plain, 5, 5, 0x1111);
    ASSERT_EQ(ResultCode::Ok, copy.create(static_cast<Surface*>(&plain)));
    EXPECT_EQ(nullptr, copy.getAlphaSurface());
}

TEST(SurfaceRGBA, RefusedCopiesChangeNothing)
{
    Owned<SurfaceRGBA> target;
    Owned<Surface> color;
    Owned<Surface> tallAlpha;
    Owned<Surface> empty;
    ASSERT_EQ(ResultCode::Ok, target.create(2, 2));
    make(color, 4, 4, 0x1111);
    make(tallAlpha, 4, 5, 0xFFFF);
    const auto before = snapshot(target);
    Surface* plane = target.getAlphaSurface();

    EXPECT_EQ(ResultCode::InvalidSurface, target.create(&color, &tallAlpha));
    EXPECT_EQ(ResultCode::NullParameter, target.create(static_cast<Surface*>(nullptr), &tallAlpha));
    EXPECT_EQ(ResultCode::NullParameter, target.create(&color, nullptr));
    EXPECT_EQ(ResultCode::InvalidSurface, target.create(&empty, &tallAlpha));
    EXPECT_EQ(ResultCode::InvalidSurface, target.create(&color, &empty));
    EXPECT_EQ(ResultCode::NullParameter, target.create(static_cast<SurfaceRGBA*>(nullptr)));

    Owned<SurfaceRGBA> withoutPlane;
    ASSERT_EQ(ResultCode::Ok, withoutPlane.create(3, 3));
    withoutPlane.setAlphaSurface(nullptr);
    EXPECT_EQ(ResultCode::NullParameter, target.create(&withoutPlane));
    Owned<SurfaceRGBA> emptyRGBA;
    EXPECT_EQ(ResultCode::InvalidSurface, target.create(&emptyRGBA));

    EXPECT_EQ(before, snapshot(target));
    EXPECT_EQ(plane, target.getAlphaSurface());
}

TEST(SurfaceRGBA, CopyingFromItsOwnPlanesIsSafe)
{
    // The alpha plane handed in is released by the copy: it must be read first.
    Owned<SurfaceRGBA> sprite;
    ASSERT_EQ(ResultCode::Ok, sprite.create(3, 2));
    SurfacePixels::set(*sprite.getAlphaSurface(), 0, 0, 0x0420);
    sprite.setAlphaSurface(heapSurface(4, 4, 0x0840));
    Owned<Surface> color;
    make(color, 4, 4, 0x7777);
    ASSERT_EQ(ResultCode::Ok, sprite.create(&color, sprite.getAlphaSurface()));
    EXPECT_EQ(filled(16, 0x0840), snapshot(*sprite.getAlphaSurface()));
    EXPECT_EQ(filled(16, 0x7777), snapshot(sprite));

    // A colour-only copy from its own alpha plane of another size.
    sprite.setAlphaSurface(heapSurface(2, 2, 0x0123));
    ASSERT_EQ(ResultCode::Ok, sprite.create(sprite.getAlphaSurface()));
    EXPECT_EQ(filled(4, 0x0123), snapshot(sprite));

    ASSERT_EQ(ResultCode::Ok, sprite.create(4, 4));
    ASSERT_EQ(ResultCode::Ok, sprite.create(&sprite));
}

TEST(SurfaceRGBA, SetAlphaSurfaceReplacesAndReleasesThePlane)
{
    Owned<SurfaceRGBA> sprite;
    ASSERT_EQ(ResultCode::Ok, sprite.create(2, 2));
    Surface* replacement = heapSurface(2, 2, 0x0000);
    sprite.setAlphaSurface(replacement);
    EXPECT_EQ(replacement, sprite.getAlphaSurface());
    sprite.setAlphaSurface(replacement); // the plane it holds: kept, not released
    EXPECT_EQ(filled(4, 0x0000), snapshot(*sprite.getAlphaSurface()));
    sprite.setAlphaSurface(nullptr);
    EXPECT_EQ(nullptr, sprite.getAlphaSurface());
    // Without a plane, the size form keeps the colour plane as it is.
    EXPECT_EQ(ResultCode::Ok, sprite.create(2, 2));
    EXPECT_EQ(nullptr, sprite.getAlphaSurface());
}

TEST(SurfaceRGBA, CreateReplacesAnEmptyPlaneWithAnOpaqueOne)
{
    // An empty plane object, as a decoder without opacity data leaves it.
    Owned<SurfaceRGBA> sprite;
    sprite.setAlphaSurface(heapSurface(0, 0, 0));
    ASSERT_EQ(ResultCode::Ok, sprite.create(3, 2));
    ASSERT_NE(nullptr, sprite.getAlphaSurface());
    EXPECT_EQ(filled(6, 0xFFFF), snapshot(*sprite.getAlphaSurface()));
}

TEST(SurfaceRGBA, CopiesShareBothPlanes)
{
    Owned<SurfaceRGBA> sprite;
    ASSERT_EQ(ResultCode::Ok, sprite.create(2, 2));
    SurfaceRGBA shallow(sprite);
    EXPECT_EQ(sprite.getAlphaSurface(), shallow.getAlphaSurface());
    SurfacePixels::set(shallow, 1, 1, 0x4321);
    EXPECT_EQ(0x4321, SurfacePixels::at(sprite, 1, 1));
}
