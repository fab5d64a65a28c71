#include "platform/device/GlassImage.h"

#include "platform/device/EmulatedScreen.h"

#include <png.h>

#include <cstring>

namespace {
uint32_t widen(uint32_t value, unsigned bits)
{
    uint32_t wide = value << (8 - bits);
    return wide | (wide >> bits);
}

uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue) { return (red << 16) | (green << 8) | blue; }
} // namespace

namespace Glass {

uint32_t colorOf(uint32_t stored, const FrameBufferLayout& layout)
{
    switch (layout.bitsPerPixel) {
    case 8:
        return rgb(stored & 0xFF, stored & 0xFF, stored & 0xFF);
    case 16:
        if ((layout.format & kfDirect555) && !(layout.format & kfDirect565))
            return rgb(widen((stored >> 10) & 0x1F, 5), widen((stored >> 5) & 0x1F, 5), widen(stored & 0x1F, 5));
        return rgb(widen((stored >> 11) & 0x1F, 5), widen((stored >> 5) & 0x3F, 6), widen(stored & 0x1F, 5));
    default:
        // Bytes blue, green, red (and an unused one) read as a little-endian number.
        return stored & 0xFFFFFF;
    }
}

GlassImage capture(const EmulatedScreen& screen)
{
    const FrameBufferLayout& layout = screen.layout();
    GlassImage image;
    image.width = layout.width;
    image.height = layout.height;
    image.pixels.resize(static_cast<size_t>(layout.width) * layout.height);
    // The window reads every pixel at every frame: 16-bit pixels are read row by row
    // through the pitches, the rest one by one.
    const unsigned char* origin = screen.origin();
    for (uint32_t y = 0; y < layout.height; ++y) {
        uint32_t* out = &image.pixels[static_cast<size_t>(y) * layout.width];
        if (layout.bitsPerPixel != 16) {
            for (uint32_t x = 0; x < layout.width; ++x)
                out[x] = colorOf(screen.rawPixel(x, y), layout);
            continue;
        }
        const unsigned char* row = origin + static_cast<ptrdiff_t>(y) * layout.yPitch;
        for (uint32_t x = 0; x < layout.width; ++x) {
            uint16_t stored;
            std::memcpy(&stored, row + static_cast<ptrdiff_t>(x) * layout.xPitch, sizeof(stored));
            out[x] = colorOf(stored, layout);
        }
    }
    return image;
}

bool writePng(const GlassImage& image, const std::string& hostPath)
{
    if (image.width == 0 || image.height == 0 || image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return false;
    std::vector<unsigned char> bytes(image.pixels.size() * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        bytes[3 * i] = static_cast<unsigned char>(image.pixels[i] >> 16);
        bytes[3 * i + 1] = static_cast<unsigned char>(image.pixels[i] >> 8);
        bytes[3 * i + 2] = static_cast<unsigned char>(image.pixels[i]);
    }
    // libpng's simplified interface reports errors as a result, with no long jump.
    png_image png;
    std::memset(&png, 0, sizeof(png));
    png.version = PNG_IMAGE_VERSION;
    png.width = image.width;
    png.height = image.height;
    png.format = PNG_FORMAT_RGB;
    bool written = png_image_write_to_file(&png, hostPath.c_str(), 0, bytes.data(), 0, nullptr) != 0;
    png_image_free(&png);
    return written;
}

} // namespace Glass
