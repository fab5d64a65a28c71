#ifndef PARVOLIN_TEST_SURFACE_PIXELS_H
#define PARVOLIN_TEST_SURFACE_PIXELS_H

#include "graphics/Surface.h"

#include <cstdint>
#include <random>
#include <vector>

// Test access to a surface's native pixels through its public view.
namespace SurfacePixels {

// A surface of the given size whose pixels are all `value`.
void make(Surface& surface, unsigned long width, unsigned long height, uint16_t value);
uint16_t at(Surface& surface, unsigned long x, unsigned long y);
void set(Surface& surface, unsigned long x, unsigned long y, uint16_t value);
std::vector<uint16_t> snapshot(Surface& surface);
// Random pixels; roughly one in `keyShare` equal to `key` when keyShare is not 0.
void randomize(Surface& surface, std::mt19937& random, uint16_t key = 0, unsigned keyShare = 0);

} // namespace SurfacePixels

// A Surface that releases its pixels when it goes, so that tests cannot leak them.
template <typename Base>
class Owned : public Base {
public:
    ~Owned() override { this->free(); }
};

#endif
