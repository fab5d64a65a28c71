#include "ImageFiles.h"
#include "ImageTestSupport.h"

#include "core/ResultCodes.h"
#include "graphics/SurfaceRGBA.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

using ImageFiles::Gif;
using ImageFiles::GifFrame;
using SurfacePixels::snapshot;

namespace {

const std::vector<uint32_t> palette = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00};

// A width x height frame whose pixel (x, y) has index (x + y) % 4.
GifFrame diagonalFrame(int width, int height)
{
    GifFrame frame;
    frame.width = width;
    frame.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame.indices.push_back(static_cast<uint8_t>((x + y) % 4));
    return frame;
}

std::vector<uint16_t> diagonalPixels(int width, int height)
{
    std::vector<uint16_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(rgb565(palette[(x + y) % 4]));
    return pixels;
}

} // namespace

TEST(GifDecoder, FirstFrameThroughTheGlobalMap)
{
    Gif gif;
    gif.width = 5;
    gif.height = 3;
    gif.colors = palette;
    gif.frames = {diagonalFrame(5, 3), diagonalFrame(5, 3)};
    gif.frames[1].indices.assign(15, 1); // later frames are ignored
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, gif.bytes()));
    EXPECT_EQ(diagonalPixels(5, 3), snapshot(surface));
}

TEST(GifDecoder, InterlacedRowsComeInDisplayOrder)
{
    // Twenty rows reach every one of the four passes more than once.
    Gif gif;
    gif.width = 3;
    gif.height = 20;
    gif.colors = palette;
    gif.frames = {diagonalFrame(3, 20)};
    gif.frames[0].interlaced = true;
    std::string bytes = gif.bytes();
    ASSERT_EQ(0x40, static_cast<unsigned char>(bytes[13 + 12 + 9]) & 0x40) << "the file is not interlaced";
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, bytes));
    EXPECT_EQ(diagonalPixels(3, 20), snapshot(surface));
}

TEST(GifDecoder, TransparencyIsIgnored)
{
    Gif gif;
    gif.width = 4;
    gif.height = 1;
    gif.colors = palette;
    gif.frames = {diagonalFrame(4, 1)};
    gif.frames[0].transparentIndex = 2;
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, gif.bytes()));
    EXPECT_EQ(diagonalPixels(4, 1), snapshot(surface));
    // Through a path form the alpha plane comes out opaque; the buffer form wants one filled.
    Owned<SurfaceRGBA> rgba;
    EXPECT_EQ(ResultCode::UnknownError, loadBytes(rgba, gif.bytes()));
    EXPECT_EQ(0u, rgba.getWidth());
}

TEST(GifDecoder, FramesSmallerOffsetOrLargerThanTheScreenStayInside)
{
    Gif gif;
    gif.width = 4;
    gif.height = 3;
    gif.background = 3;
    gif.colors = palette;
    gif.frames = {diagonalFrame(2, 2)};
    gif.frames[0].left = 1;
    gif.frames[0].top = 1;
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, gif.bytes()));
    const uint16_t g = rgb565(0x00FF00);
    const uint16_t k = rgb565(0x000000);
    const uint16_t w = rgb565(0xFFFFFF);
    const uint16_t r = rgb565(0xFF0000);
    EXPECT_EQ((std::vector<uint16_t>{g, g, g, g, //
                                     g, k, w, g, //
                                     g, w, r, g}),
              snapshot(surface));

    // Reaching past the right and bottom edges: the part on the screen shows.
    gif.frames = {diagonalFrame(6, 6)};
    gif.frames[0].left = 2;
    gif.frames[0].top = 1;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, gif.bytes()));
    EXPECT_EQ((std::vector<uint16_t>{g, g, g, g, //
                                     g, g, k, w, //
                                     g, g, w, r}),
              snapshot(surface));

    // Wholly off the screen: only the background.
    gif.frames[0].left = 40;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, gif.bytes()));
    EXPECT_EQ(std::vector<uint16_t>(12, g), snapshot(surface));
}

TEST(GifDecoder, AFrameWithItsOwnMapIsDrawnWithIt)
{
    // A two-colour global map, and a smaller frame coded with a local map of eight
    // colours: the frame in its own colours, the screen around it in the global
    // background colour.
    Gif gif;
    gif.width = 9;
    gif.height = 1;
    gif.background = 1;
    gif.colors = {0xFFFFFF, 0xFF0000};
    GifFrame frame;
    frame.width = 8;
    frame.localColors = {0x000000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x808080};
    frame.indices = {0, 1, 2, 3, 4, 5, 6, 7};
    gif.frames = {frame};
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, gif.bytes()));
    std::vector<uint16_t> expected;
    for (uint32_t color : frame.localColors)
        expected.push_back(rgb565(color));
    expected.push_back(rgb565(0xFF0000));
    EXPECT_EQ(expected, snapshot(surface));
}

TEST(GifDecoder, UnusableFilesAreRefused)
{
    // No global map: the frame's own map serves.
    Gif noGlobalMap;
    noGlobalMap.width = 2;
    noGlobalMap.height = 1;
    GifFrame frame = diagonalFrame(2, 1);
    frame.localColors = palette;
    noGlobalMap.frames = {frame};
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, noGlobalMap.bytes()));
    EXPECT_EQ(diagonalPixels(2, 1), snapshot(surface));

    // giflib's own read refuses a file without frames.
    Gif noFrame;
    noFrame.colors = palette;
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, noFrame.bytes()));

    Gif good;
    good.width = 2;
    good.height = 1;
    good.colors = palette;
    good.frames = {diagonalFrame(2, 1)};
    std::string bytes = good.bytes();
    // No map at all (the global one taken out of a good file): refused, the format
    // defining no default map to draw with.
    std::string mapless = bytes;
    mapless[10] = static_cast<char>(mapless[10] & 0x7F);
    mapless.erase(13, 3 * palette.size());
    EXPECT_EQ(ResultCode::UnsupportedImageType, loadBytes(surface, mapless));
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, bytes.substr(0, 12)));
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, bytes.substr(0, bytes.size() - 4)));

    // A logical screen of 0 or above the limit, and a frame that claims a huge raster.
    Gif empty = good;
    empty.width = 0;
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, empty.bytes()));
    Gif wide = good;
    wide.width = 8193;
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, wide.bytes()));
    std::string huge = bytes;
    const size_t descriptor = 13 + 12 + 1; // the frame's width and height after its left and top
    huge[descriptor + 4] = huge[descriptor + 5] = huge[descriptor + 6] = huge[descriptor + 7] = '\xFF';
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, huge));
}
