#include "support/SurfacePixels.h"

namespace SurfacePixels {

void make(Surface& surface, unsigned long width, unsigned long height, uint16_t value)
{
    surface.create(width, height);
    Surface::Buffer view;
    surface.getBuffer(&view);
    for (unsigned long i = 0; i < width * height; ++i)
        view.pixels[i] = value;
}

uint16_t at(Surface& surface, unsigned long x, unsigned long y)
{
    Surface::Buffer view;
    surface.getBuffer(&view);
    return view.pixels[y * view.width + x];
}

void set(Surface& surface, unsigned long x, unsigned long y, uint16_t value)
{
    Surface::Buffer view;
    surface.getBuffer(&view);
    view.pixels[y * view.width + x] = value;
}

std::vector<uint16_t> snapshot(Surface& surface)
{
    Surface::Buffer view;
    if (surface.getBuffer(&view) != 0)
        return {};
    return std::vector<uint16_t>(view.pixels, view.pixels + view.width * view.height);
}

void randomize(Surface& surface, std::mt19937& random, uint16_t key, unsigned keyShare)
{
    Surface::Buffer view;
    surface.getBuffer(&view);
    for (unsigned long i = 0; i < view.width * view.height; ++i)
        view.pixels[i] = keyShare && random() % keyShare == 0 ? key : static_cast<uint16_t>(random());
}

} // namespace SurfacePixels
