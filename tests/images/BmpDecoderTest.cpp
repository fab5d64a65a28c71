#include "ImageFiles.h"
#include "ImageTestSupport.h"

#include "core/ResultCodes.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

using ImageFiles::Bmp;
using ImageFiles::padRows;
using SurfacePixels::snapshot;

namespace {

const std::vector<uint32_t> fourColors = {0x000000, 0xFF0000, 0x00FF00, 0x123456};

// Loads `bmp` and expects the given pixels, top row first.
void expectPixels(const Bmp& bmp, unsigned long width, const std::vector<uint32_t>& pixels)
{
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, bmp.bytes()));
    EXPECT_EQ(width, surface.getWidth());
    EXPECT_EQ(pixels.size() / width, surface.getHeight());
    EXPECT_EQ(colors565(pixels), snapshot(surface));
}

long loadResult(const Bmp& bmp)
{
    Owned<Surface> surface;
    return loadBytes(surface, bmp.bytes());
}

} // namespace

TEST(BmpDecoder, IndexedDepthsReadBottomUpRowsThroughTheTable)
{
    Bmp mono;
    mono.width = 9;
    mono.height = 2;
    mono.bitCount = 1;
    mono.colors = {0x000000, 0xFFFFFF};
    // Most significant bit first, across a byte boundary; the bottom row comes first.
    mono.pixels = padRows({std::string("\x00\x80", 2), std::string("\xA1\x80", 2)});
    expectPixels(mono, 9,
                 {0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0, 0, 0xFFFFFF, 0xFFFFFF, // top
                  0, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF});

    Bmp nibbles;
    nibbles.width = 3; // odd: the last pixel is the high nibble of its byte
    nibbles.height = 1;
    nibbles.bitCount = 4;
    nibbles.colors = fourColors;
    nibbles.colors.resize(16, 0xFFFFFF);
    nibbles.pixels = padRows({std::string("\x12\x3F", 2)});
    expectPixels(nibbles, 3, {0xFF0000, 0x00FF00, 0x123456});

    Bmp bytes;
    bytes.width = 2;
    bytes.height = 2;
    bytes.bitCount = 8;
    bytes.colors = fourColors;
    bytes.colors.resize(256, 0x0000FF);
    bytes.pixels = padRows({std::string("\x03\xFF", 2), std::string("\x01\x02", 2)});
    expectPixels(bytes, 2, {0xFF0000, 0x00FF00, 0x123456, 0x0000FF});

    // The old core header: 16-bit sides and 3-byte table entries.
    Bmp core = bytes;
    core.headerSize = 12;
    expectPixels(core, 2, {0xFF0000, 0x00FF00, 0x123456, 0x0000FF});
}

TEST(BmpDecoder, DirectDepthsUseTheirChannelMasks)
{
    Bmp rgb24;
    rgb24.width = 3; // 9 bytes a row, padded to 12
    rgb24.height = 2;
    rgb24.bitCount = 24;
    rgb24.pixels = padRows({std::string("\x56\x34\x12\xFF\xFF\xFF\x00\x00\x00", 9),
                            std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00", 9)});
    expectPixels(rgb24, 3, {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000});

    // 16 bits without masks are RGB555: each 5-bit field moved to the top of its byte.
    Bmp rgb555;
    rgb555.width = 2;
    rgb555.bitCount = 16;
    rgb555.pixels = padRows({std::string("\x00\x7C\xFF\x03", 4)}); // 0x7C00 red, 0x03FF green + blue
    expectPixels(rgb555, 2, {0xF80000, 0x00F8F8});

    // Bit fields 565 keep all six green bits.
    Bmp bitFields = rgb555;
    bitFields.compression = 3;
    bitFields.masks = {0xF800, 0x07E0, 0x001F};
    bitFields.pixels = padRows({std::string("\x00\xF8\xE0\x07", 4)});
    expectPixels(bitFields, 2, {0xF80000, 0x00FC00});

    Bmp rgb32;
    rgb32.width = 1;
    rgb32.bitCount = 32;
    rgb32.pixels = std::string("\x56\x34\x12\x00", 4);
    expectPixels(rgb32, 1, {0x123456});

    // Bit fields in another order; an empty mask gives a zero channel.
    Bmp swapped = rgb32;
    swapped.compression = 3;
    swapped.masks = {0x000000FF, 0x0000FF00, 0};
    expectPixels(swapped, 1, {0x563400});
}

TEST(BmpDecoder, TopDownRowsAndMasksInsideLargerHeaders)
{
    Bmp topDown;
    topDown.width = 1;
    topDown.height = -2;
    topDown.pixels = padRows({std::string("\x00\x00\xFF", 3), std::string("\xFF\x00\x00", 3)});
    expectPixels(topDown, 1, {0xFF0000, 0x0000FF});

    // A version 5 header carries its masks at byte 40 of the header.
    Bmp v5;
    v5.headerSize = 124;
    v5.width = 1;
    v5.bitCount = 16;
    v5.compression = 3;
    v5.pixels = padRows({std::string("\x1F\x00", 2)});
    std::string bytes = v5.bytes();
    const uint32_t masks[3] = {0x001F, 0x07E0, 0xF800}; // red in the low bits
    for (int i = 0; i < 3; ++i)
        for (int b = 0; b < 4; ++b)
            bytes[14 + 40 + 4 * i + b] = static_cast<char>((masks[i] >> (8 * b)) & 0xFF);
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, bytes));
    EXPECT_EQ(rgb565(0xF80000), SurfacePixels::at(surface, 0, 0));
}

TEST(BmpDecoder, RunLengthDataExpandsRunsLiteralsAndEscapes)
{
    Bmp rle8;
    rle8.width = 4;
    rle8.height = 3;
    rle8.bitCount = 8;
    rle8.compression = 1;
    rle8.colors = fourColors;
    rle8.colors.resize(256, 0xFFFFFF); // the table of an 8-bit bitmap has 256 entries
    // Bottom row: a run of 3 then a 1-pixel run, end of line. Middle row: 3 literals
    // (padded to 4 bytes) then end of line. Top row: a delta of 2 to the right, a run of 2.
    rle8.pixels = std::string("\x03\x01\x01\x02\x00\x00"
                              "\x00\x03\x03\x02\x01\x00\x00\x00"
                              "\x00\x02\x02\x00\x02\x03\x00\x01",
                              22);
    expectPixels(rle8, 4,
                 {0x000000, 0x000000, 0x123456, 0x123456, // colour 0 where nothing was written
                  0x123456, 0x00FF00, 0xFF0000, 0x000000,
                  0xFF0000, 0xFF0000, 0xFF0000, 0x00FF00});

    Bmp rle4 = rle8;
    rle4.compression = 2;
    rle4.bitCount = 4;
    rle4.colors.resize(16, 0xFFFFFF);
    // Bottom row: a run of 4 alternating nibbles 1, 2. Middle row: 3 literal nibbles
    // (3, 2, 1 in two bytes, padded to 2). Then the end of the bitmap: the top row stays colour 0.
    rle4.pixels = std::string("\x04\x12\x00\x00"
                              "\x00\x03\x32\x10\x00\x00"
                              "\x00\x01",
                              12);
    expectPixels(rle4, 4,
                 {0x000000, 0x000000, 0x000000, 0x000000,
                  0x123456, 0x00FF00, 0xFF0000, 0x000000,
                  0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00});

    // A run longer than the row carries on at the start of the next one.
    Bmp wrapping = rle8;
    wrapping.width = 2;
    wrapping.height = 2;
    wrapping.pixels = std::string("\x03\x01\x01\x02", 4);
    expectPixels(wrapping, 2, {0xFF0000, 0x00FF00, 0xFF0000, 0xFF0000});
}

TEST(BmpDecoder, RunLengthEscapesNeverWriteOutsideTheImage)
{
    Bmp hostile;
    hostile.width = 3;
    hostile.height = 2;
    hostile.bitCount = 8;
    hostile.compression = 1;
    hostile.colors = fourColors;
    hostile.colors.resize(256, 0xFFFFFF);
    const std::string cases[] = {
        std::string("\xFF\x01\xFF\x02", 4),                 // runs far past the last row
        std::string("\x00\x02\xFF\xFF\x05\x01", 6),         // a delta far outside, then a run
        std::string("\x00\x02\xFE\x00\x02\x02", 6),         // a delta that wraps many columns
        std::string("\x00\xFF\x01\x02\x03", 5),             // 255 literals with 3 bytes left
        std::string("\x00\x00\x00\x00\x00\x00\x01\x03", 8), // end of line past the last row
        std::string("\x00\x02\x01", 3),                     // a delta cut short
        std::string("\x05", 1),                             // a run without its value
    };
    for (const std::string& pixels : cases) {
        hostile.pixels = pixels;
        Owned<Surface> surface;
        EXPECT_EQ(ResultCode::Ok, loadBytes(surface, hostile.bytes()));
        EXPECT_EQ(6u, snapshot(surface).size());
    }
    Bmp rle4 = hostile;
    rle4.bitCount = 4;
    rle4.compression = 2;
    rle4.colors.resize(16);
    for (const std::string& pixels : cases) {
        rle4.pixels = pixels;
        Owned<Surface> surface;
        EXPECT_EQ(ResultCode::Ok, loadBytes(surface, rle4.bytes()));
    }
}

TEST(BmpDecoder, MalformedHeadersAndShortDataGive8)
{
    Bmp good;
    good.width = 2;
    good.height = 2;
    good.pixels = padRows({std::string(6, '\0'), std::string(6, '\0')});
    ASSERT_EQ(ResultCode::Ok, loadResult(good));

    auto bent = [&](auto change) {
        Bmp bmp = good;
        change(bmp);
        return loadResult(bmp);
    };
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.width = 0; }));
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.width = -2; }));
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.height = 0; }));
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.height = INT32_MIN; }));
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.width = 8193; }));
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.height = -8193; }));
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.planes = 2; }));
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.headerSize = 11; }));
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.pixels.pop_back(); }));
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.pixelOffset = 1 << 30; }));
    // A stride times height beyond 32 bits is short data, not a wrapped-around small size.
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) {
        b.bitCount = 0xFFFF;
        b.width = 8192;
        b.height = 8192;
    }));
    // A colour table or masks that the file does not hold.
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) {
        b.bitCount = 8;
        b.colors = {0, 0};
        b.pixels = std::string(4, '\0');
        b.pixelOffset = 14 + 40;
    }));
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) {
        b.bitCount = 16;
        b.compression = 3;
        b.pixels = "";
        b.masks = {0xF800};
    }));
    // Short files: the file header, then the info header.
    EXPECT_EQ(ResultCode::ImageOpenError, bent([](Bmp& b) { b.headerSize = 0; b.pixels = ""; }));
    std::string bytes = good.bytes();
    for (size_t length : {3, 13, 14, 37}) {
        Owned<Surface> surface;
        EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, bytes.substr(0, length))) << length;
    }
}

TEST(BmpDecoder, UnsupportedDepthsAndCompressionsGive12)
{
    Bmp bmp;
    bmp.width = 1;
    bmp.bitCount = 2;
    bmp.colors = {0, 0, 0, 0};
    bmp.pixels = std::string(4, '\0');
    EXPECT_EQ(ResultCode::UnsupportedImageType, loadResult(bmp));
    bmp.bitCount = 24;
    bmp.colors.clear();
    bmp.compression = 4; // JPEG inside a bitmap
    bmp.imageSize = 4;
    EXPECT_EQ(ResultCode::UnsupportedImageType, loadResult(bmp));
    bmp.compression = 3; // bit fields need 16 or 32 bits
    EXPECT_EQ(ResultCode::UnsupportedImageType, loadResult(bmp));
}
