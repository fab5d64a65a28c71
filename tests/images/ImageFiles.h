#ifndef PARVOLIN_TEST_IMAGE_FILES_H
#define PARVOLIN_TEST_IMAGE_FILES_H

#include <cstdint>
#include <string>
#include <vector>

// Image files built by the tests themselves: bitmaps byte by byte, the rest with the
// libraries' own encoders.
namespace ImageFiles {

// A bitmap file. The defaults make a valid 40-byte-header bitmap whose pixel data follows
// the colour table or masks; every field can be bent to make a broken one.
struct Bmp {
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t imageSize = 0;        // header field; the pixel bytes' size when 0
    std::vector<uint32_t> colors;  // 0x00RRGGBB entries of the colour table
    std::vector<uint32_t> masks;   // written after the header when given
    std::string pixels;            // the pixel data as stored
    int64_t pixelOffset = -1;      // right after the table or masks when negative

    std::string bytes() const;
};

// Rows of `stride` bytes padded with zeros to a multiple of 4.
std::string padRows(const std::vector<std::string>& rows);

// A PNG through libpng: `samples` holds height rows of width x channels samples of the
// bit depth (16-bit samples big-endian, low depths packed as libpng expects).
struct Png {
    uint32_t width = 1;
    uint32_t height = 1;
    int colorType = 2; // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    std::string samples;
    std::vector<uint32_t> palette;    // 0x00RRGGBB
    std::vector<uint8_t> transparent; // tRNS: palette alphas, or one grey/RGB value (16-bit big-endian each)
    bool interlaced = false;

    std::string bytes() const;
};

// A GIF through giflib: a logical screen with a global colour map (or none), one or more
// frames with optional local maps, interlacing, and a transparent colour.
struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 1;
    int height = 1;
    bool interlaced = false;
    std::vector<uint32_t> localColors; // 0x00RRGGBB, a power of two entries
    std::vector<uint8_t> indices;      // width x height, rows top to bottom in display order
    int transparentIndex = -1;
};
struct Gif {
    int width = 1;
    int height = 1;
    int background = 0;
    std::vector<uint32_t> colors; // global map, a power of two entries; empty: none
    std::vector<GifFrame> frames;

    std::string bytes() const;
};

// A baseline JPEG through libjpeg: `samples` holds rows of width x components bytes;
// components 1 (grey), 3 (RGB) or 4 (CMYK). `jfif` false leaves out the JFIF segment
// and writes an Exif one in its place.
struct Jpeg {
    uint32_t width = 8;
    uint32_t height = 8;
    int components = 3;
    std::string samples;
    int quality = 90;
    bool jfif = true;
    bool progressive = false;

    std::string bytes() const;
};

// A 2 x 1 RGBA PNG: 0x123456 at opacity 0x80, then opaque red.
std::string twoPixelRgbaPng();

// What libjpeg itself makes of a JPEG: rows of RGB or grey samples, untouched.
std::string decodeJpegSamples(const std::string& jpeg, uint32_t& width, uint32_t& height, int& components);

// What libpng reads back from a PNG: the header's colour type and the 8-bit samples.
std::string decodePngSamples(const std::string& png, uint32_t& width, uint32_t& height, int& colorType);

} // namespace ImageFiles

#endif
