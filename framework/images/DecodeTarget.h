#ifndef PARVOLIN_DECODE_TARGET_H
#define PARVOLIN_DECODE_TARGET_H

#include "graphics/Surface.h"

#include <cstdint>

// The surface a decoder fills. Decoders size it through its virtual create, so that a
// SurfaceRGBA sizes itself by its own rule, and then write whole rows of RGB565 pixels.
class DecodeTarget {
public:
    // No image is larger than this on either side: a small file must not make a decoder
    // ask for a huge surface.
    static constexpr unsigned long maxSide = 8192;

    explicit DecodeTarget(Surface* surface);

    // 8 for a side of 0 or above maxSide; otherwise the surface's own create result.
    long size(unsigned long width, unsigned long height);
    // Row y of the sized surface, left to right.
    uint16_t* row(unsigned long y);
    // Every pixel of the sized surface set to one value.
    void fill(uint16_t value);

    unsigned long width() const { return view.width; }
    unsigned long height() const { return view.height; }

private:
    Surface* surface;
    Surface::Buffer view;
};

// An image side as a decoder may accept it.
inline bool sideFits(uint64_t side) { return side > 0 && side <= DecodeTarget::maxSide; }

#endif
