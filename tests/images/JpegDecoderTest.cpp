#include "ImageFiles.h"
#include "ImageTestSupport.h"

#include "core/ResultCodes.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

using ImageFiles::Jpeg;
using SurfacePixels::snapshot;

namespace {

// A gradient with some detail, so that the decoder has real work in every block.
Jpeg gradient(uint32_t width, uint32_t height, int components)
{
    Jpeg jpeg;
    jpeg.width = width;
    jpeg.height = height;
    jpeg.components = components;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                jpeg.samples.push_back(static_cast<char>((x * 7 + y * 3 + c * 60 + ((x ^ y) & 4) * 8) & 0xFF));
    return jpeg;
}

// libjpeg's own output for the file, packed to RGB565 by the top bits of each sample.
std::vector<uint16_t> expectedPixels(const std::string& file)
{
    uint32_t width = 0;
    uint32_t height = 0;
    int components = 0;
    std::string samples = ImageFiles::decodeJpegSamples(file, width, height, components);
    std::vector<uint16_t> pixels;
    for (size_t i = 0; i + components <= samples.size(); i += components) {
        uint32_t r = static_cast<uint8_t>(samples[i]);
        uint32_t g = static_cast<uint8_t>(samples[i + (components == 3 ? 1 : 0)]);
        uint32_t b = static_cast<uint8_t>(samples[i + (components == 3 ? 2 : 0)]);
        pixels.push_back(rgb565((r << 16) | (g << 8) | b));
    }
    return pixels;
}

} // namespace

TEST(JpegDecoder, ColourAndGreyMatchTheLibrarysOwnSamples)
{
    for (int components : {3, 1}) {
        SCOPED_TRACE(components);
        std::string file = gradient(37, 19, components).bytes();
        Owned<Surface> surface;
        ASSERT_EQ(ResultCode::Ok, loadBytes(surface, file));
        EXPECT_EQ(37u, surface.getWidth());
        EXPECT_EQ(19u, surface.getHeight());
        EXPECT_EQ(expectedPixels(file), snapshot(surface));
    }
}

TEST(JpegDecoder, ATruncatedFileKeepsItsFirstRowsAndSucceeds)
{
    std::string file = gradient(64, 64, 3).bytes();
    std::vector<uint16_t> whole = expectedPixels(file);
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, file.substr(0, file.size() * 2 / 3)));
    ASSERT_EQ(64u, surface.getHeight());
    std::vector<uint16_t> cut = snapshot(surface);
    // The first band of 8 rows arrived whole.
    EXPECT_TRUE(std::equal(whole.begin(), whole.begin() + 64 * 8, cut.begin()));
    EXPECT_NE(whole, cut);
}

TEST(JpegDecoder, FilesOfOneOrThreeComponentsLoadWhateverSegmentComesFirst)
{
    // An Exif segment first, as cameras write: the same pixels as with the JFIF one; cut
    // short, the answer it always had.
    Jpeg exif = gradient(8, 8, 3);
    exif.jfif = false;
    Owned<Surface> photo;
    ASSERT_EQ(ResultCode::Ok, loadBytes(photo, exif.bytes()));
    EXPECT_EQ(expectedPixels(exif.bytes()), snapshot(photo));
    EXPECT_EQ(ResultCode::UnsupportedImageType, loadBytes(photo, exif.bytes().substr(0, 30)));
    // The start-of-image marker with no marker after it is no JPEG.
    EXPECT_EQ(ResultCode::UnsupportedImageType, loadBytes(photo, std::string("\xFF\xD8\x00\x10JFIF", 9)));

    Owned<Surface> surface;

    // CMYK, with an Adobe segment after the JFIF one, is refused instead of left unsized.
    Jpeg cmyk = gradient(8, 8, 4);
    std::string cmykFile = cmyk.bytes();
    cmykFile.insert(2, std::string("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18));
    EXPECT_EQ(ResultCode::UnsupportedImageType, loadBytes(surface, cmykFile));
    EXPECT_EQ(0u, surface.getWidth());

    // The JFIF marker alone, and a header cut short.
    std::string file = gradient(8, 8, 3).bytes();
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, file.substr(0, 20)));
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, file.substr(0, 9)));
}

TEST(JpegDecoder, ImagesAboveTheSizeLimitGive8)
{
    Owned<Surface> surface;
    EXPECT_EQ(ResultCode::Ok, loadBytes(surface, gradient(8192, 1, 1).bytes()));
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, gradient(8193, 1, 1).bytes()));
    // A header that claims a huge image over a few bytes of data is refused before
    // anything is allocated for it.
    std::string file = gradient(8, 8, 1).bytes();
    size_t frame = file.find("\xFF\xC0");
    ASSERT_NE(std::string::npos, frame);
    file[frame + 5] = file[frame + 6] = file[frame + 7] = file[frame + 8] = '\xFF';
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, file));
}

TEST(JpegDecoder, AProgressiveFileOfEndlessScansIsRefused)
{
    Jpeg jpeg = gradient(16, 16, 3);
    jpeg.progressive = true;
    std::string file = jpeg.bytes();
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, file));
    EXPECT_EQ(expectedPixels(file), snapshot(surface));

    // The first scan again and again: each one costs a pass over the image, so a small
    // file could keep the decoder busy for minutes. Hundreds of scans are refused.
    const size_t first = file.find("\xFF\xDA");
    const size_t second = file.find("\xFF\xDA", first + 2);
    ASSERT_NE(std::string::npos, second);
    const std::string scan = file.substr(first, second - first);
    std::string endless = file;
    for (int i = 0; i < 600; ++i)
        endless.insert(second, scan);
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, endless));
    // A few repeats are only odd, not hostile.
    std::string repeated = file;
    for (int i = 0; i < 20; ++i)
        repeated.insert(second, scan);
    EXPECT_EQ(ResultCode::Ok, loadBytes(surface, repeated));
}
