#include "ImageFiles.h"
#include "ImageTestSupport.h"

#include "core/ResultCodes.h"
#include "graphics/SurfaceRGBA.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

#include <png.h>

using ImageFiles::Png;
using SurfacePixels::snapshot;

namespace {

std::vector<uint16_t> alphaOf(SurfaceRGBA& surface) { return snapshot(*surface.getAlphaSurface()); }

} // namespace

TEST(PngDecoder, EveryColourTypeComesOutAsRgb565)
{
    struct Case {
        const char* name;
        Png png;
        std::vector<uint32_t> pixels;
    };
    Png rgb;
    rgb.width = 2;
    rgb.samples = std::string("\x12\x34\x56\xFF\xFE\xFD", 6);
    Png rgb16;
    rgb16.bitDepth = 16; // the low byte of each sample is stripped
    rgb16.samples = std::string("\x12\xFF\x34\xFF\x56\xFF", 6);
    Png grey;
    grey.width = 3;
    grey.colorType = PNG_COLOR_TYPE_GRAY;
    grey.samples = std::string("\x00\x80\xFF", 3);
    Png grey2;
    grey2.width = 4;
    grey2.colorType = PNG_COLOR_TYPE_GRAY;
    grey2.bitDepth = 2; // levels 0, 1, 2, 3 widen to 0x00, 0x55, 0xAA, 0xFF
    grey2.samples = std::string("\x1B", 1);
    Png indexed;
    indexed.width = 3;
    indexed.colorType = PNG_COLOR_TYPE_PALETTE;
    indexed.bitDepth = 4;
    indexed.palette = {0x123456, 0xFF0000, 0x00FF00};
    indexed.samples = std::string("\x21\x00", 2);
    Case cases[] = {
        {"rgb", rgb, {0x123456, 0xFFFEFD}},
        {"rgb16", rgb16, {0x123456}},
        {"grey", grey, {0x000000, 0x808080, 0xFFFFFF}},
        {"grey2", grey2, {0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF}},
        {"palette", indexed, {0x00FF00, 0xFF0000, 0x123456}},
        
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        Owned<Surface> surface;
        ASSERT_EQ(ResultCode::Ok, loadBytes(surface, c.png.bytes()));
        EXPECT_EQ(colors565(c.pixels), snapshot(surface));
    }
}

TEST(PngDecoder, OpacityFillsTheAlphaPlane)
{
    // RGBA: the alpha plane holds RGB565(A, A, A).
    Owned<SurfaceRGBA> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, ImageFiles::twoPixelRgbaPng()));
    EXPECT_EQ((std::vector<uint16_t>{alpha565(0x80), 0xFFFF}), alphaOf(surface));

    // Grey and alpha keeps its opacity too.
    Png greyAlpha;
    greyAlpha.width = 2;
    greyAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    greyAlpha.samples = std::string("\x40\x00\xC0\x7F", 4);
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, greyAlpha.bytes()));
    EXPECT_EQ(colors565({0x404040, 0xC0C0C0}), snapshot(surface));
    EXPECT_EQ((std::vector<uint16_t>{alpha565(0), alpha565(0x7F)}), alphaOf(surface));

    // A palette with a transparency chunk becomes RGBA.
    Png indexed;
    indexed.width = 2;
    indexed.colorType = PNG_COLOR_TYPE_PALETTE;
    indexed.palette = {0xFF0000, 0x0000FF};
    indexed.transparent = {0x20};
    indexed.samples = std::string("\x00\x01", 2);
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, indexed.bytes()));
    EXPECT_EQ((std::vector<uint16_t>{alpha565(0x20), 0xFFFF}), alphaOf(surface));

    // Without opacity the plane is opaque.
    Png rgb;
    rgb.samples = std::string("\x01\x02\x03", 3);
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, rgb.bytes()));
    EXPECT_EQ(std::vector<uint16_t>{0xFFFF}, alphaOf(surface));

    // A plain Surface takes the colour and ignores the opacity.
    Owned<Surface> plain;
    ASSERT_EQ(ResultCode::Ok, loadBytes(plain, ImageFiles::twoPixelRgbaPng()));
    EXPECT_EQ(colors565({0x123456, 0xFF0000}), snapshot(plain));
}

TEST(PngDecoder, InterlacedFilesLoad)
{
    Png png;
    png.width = 9;
    png.height = 9;
    png.colorType = PNG_COLOR_TYPE_GRAY;
    png.interlaced = true;
    for (int i = 0; i < 81; ++i)
        png.samples.push_back(static_cast<char>(i * 3));
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, png.bytes()));
    EXPECT_EQ(rgb565(0x787878), SurfacePixels::at(surface, 4, 4)); // pixel 40: level 120
}

TEST(PngDecoder, BrokenOrOversizedFilesAreRefused)
{
    std::string file = ImageFiles::twoPixelRgbaPng();
    Owned<Surface> surface;
    // "PNG" at byte 1 without the whole signature.
    std::string fake = file;
    fake[7] = 'x';
    EXPECT_EQ(ResultCode::UnsupportedImageType, loadBytes(surface, fake));
    EXPECT_EQ(ResultCode::UnsupportedImageType, loadBytes(surface, file.substr(0, 6)));
    // Cut short, or with a damaged header chunk.
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, file.substr(0, file.size() - 20)));
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, file.substr(0, 8)));
    std::string damaged = file;
    damaged[20] ^= 0x40;
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, damaged));

    Png wide;
    wide.width = 8193;
    wide.colorType = PNG_COLOR_TYPE_GRAY;
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, wide.bytes()));
    wide.width = 8192;
    EXPECT_EQ(ResultCode::Ok, loadBytes(surface, wide.bytes()));
}
