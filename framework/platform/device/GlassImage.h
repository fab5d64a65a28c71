#ifndef PARVOLIN_GLASS_IMAGE_H
#define PARVOLIN_GLASS_IMAGE_H

#include "platform/device/DeviceProfile.h"

#include <cstdint>
#include <string>
#include <vector>

class EmulatedScreen;

// The screen as a person sees it: the frame buffer, whatever its pitches, pixel format and
// rotation in memory, turned into the upright picture on the device's glass.
struct GlassImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row from the top left of the glass

    uint32_t at(uint32_t x, uint32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

namespace Glass {

// The colour a stored pixel shows, each channel widened to 8 bits by repeating its top
// bits: RGB565 or RGB555 at 16 bits per pixel (by the layout's format), bytes blue,
// green, red at 24, 0x00RRGGBB at 32, a grey level at 8.
uint32_t colorOf(uint32_t stored, const FrameBufferLayout& layout);

// The glass of `screen` as it is now.
GlassImage capture(const EmulatedScreen& screen);

// Writes the image as an 8-bit RGB PNG file at a host path; false when it cannot.
bool writePng(const GlassImage& image, const std::string& hostPath);

} // namespace Glass

#endif
