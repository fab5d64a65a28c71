#ifndef PARVOLIN_TEST_FONT_IMAGES_H
#define PARVOLIN_TEST_FONT_IMAGES_H

#include "graphics/Surface.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Font strips built by the tests: a marker row with one white run per glyph, the glyph
// columns below it, on a magenta background.
namespace FontImages {

constexpr uint16_t magenta = 0xF81F;
constexpr uint16_t white = 0xFFFF;

// The colour that fills glyph i (never white or magenta).
inline uint16_t glyphColor(size_t i) { return static_cast<uint16_t>(0x0841 * (i + 1)); }

// Glyphs of the given widths, `gap` pixels apart, the first at x = `first`, each filled
// with glyphColor(i); `trailing` magenta pixels follow the last run. Glyphs are
// `glyphHeight` rows high.
void make(Surface& image, const std::vector<unsigned long>& widths, unsigned long glyphHeight,
          unsigned long first = 1, unsigned long gap = 1, unsigned long trailing = 1);

} // namespace FontImages

#endif
