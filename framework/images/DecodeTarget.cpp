#include "images/DecodeTarget.h"

#include "core/ResultCodes.h"

DecodeTarget::DecodeTarget(Surface* target) : surface(target), view{0, 0, 0, 0, nullptr} {}

long DecodeTarget::size(unsigned long width, unsigned long height)
{
    if (!sideFits(width) || !sideFits(height))
        return ResultCode::ImageOpenError;
    if (long result = surface->create(width, height))
        return result;
    // A create override that kept some other size would make every row wrong.
    if (surface->getBuffer(&view) != ResultCode::Ok || view.width != width || view.height != height) {
        surface->free();
        return ResultCode::InvalidSurface;
    }
    return ResultCode::Ok;
}

uint16_t* DecodeTarget::row(unsigned long y) { return view.pixels + static_cast<long>(y) * view.yPitch; }

void DecodeTarget::fill(uint16_t value)
{
    for (unsigned long y = 0; y < view.height; ++y) {
        uint16_t* pixels = row(y);
        for (unsigned long x = 0; x < view.width; ++x)
            pixels[x] = value;
    }
}
