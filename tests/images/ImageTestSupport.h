#ifndef PARVOLIN_TEST_IMAGE_TEST_SUPPORT_H
#define PARVOLIN_TEST_IMAGE_TEST_SUPPORT_H

#include "graphics/Surface.h"

#include <cstdint>
#include <string>
#include <vector>

// RGB565 of a 0xRRGGBB colour, written out independently of the library's rule: the top
// 5, 6 and 5 bits of each channel.
inline uint16_t rgb565(uint32_t rrggbb)
{
    return static_cast<uint16_t>((((rrggbb >> 19) & 0x1F) << 11) | (((rrggbb >> 10) & 0x3F) << 5) | ((rrggbb >> 3) & 0x1F));
}

// The grey alpha-plane pixel of an 8-bit opacity.
inline uint16_t alpha565(uint8_t a) { return rgb565(a * 0x010101u); }

// Loads a surface from bytes held in a string (the buffer form).
inline long loadBytes(Surface& surface, const std::string& bytes)
{
    return surface.create(reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data())),
                          static_cast<unsigned long>(bytes.size()));
}

// The expected pixels of a surface from 0xRRGGBB colours.
inline std::vector<uint16_t> colors565(const std::vector<uint32_t>& colors)
{
    std::vector<uint16_t> out;
    for (uint32_t color : colors)
        out.push_back(rgb565(color));
    return out;
}

#endif
