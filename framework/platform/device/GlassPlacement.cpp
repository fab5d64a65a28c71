#include "platform/device/GlassPlacement.h"

#include <algorithm>

namespace {
// Rounded down, also below zero (a half pixel of centring goes to the left and the top).
int32_t floorDivide(int64_t value, int64_t by)
{
    return static_cast<int32_t>(value >= 0 ? value / by : -((-value + by - 1) / by));
}
} // namespace

int32_t GlassPlacement::largestScale(int32_t screenWidth, int32_t screenHeight, int32_t glassWidth,
                                     int32_t glassHeight)
{
    if (glassWidth <= 0 || glassHeight <= 0 || screenWidth <= 0 || screenHeight <= 0)
        return 0;
    return std::min(screenWidth / glassWidth, screenHeight / glassHeight);
}

GlassPlacement GlassPlacement::centred(int32_t screenWidth, int32_t screenHeight, int32_t glassWidth,
                                       int32_t glassHeight, int32_t scale)
{
    GlassPlacement placement;
    placement.screenWidth = std::max(0, screenWidth);
    placement.screenHeight = std::max(0, screenHeight);
    placement.glassWidth = std::max(0, glassWidth);
    placement.glassHeight = std::max(0, glassHeight);
    if (scale <= 0)
        scale = std::max(1, largestScale(screenWidth, screenHeight, glassWidth, glassHeight));
    placement.scale = scale;
    placement.left = floorDivide(int64_t(placement.screenWidth) - int64_t(placement.glassWidth) * scale, 2);
    placement.top = floorDivide(int64_t(placement.screenHeight) - int64_t(placement.glassHeight) * scale, 2);
    return placement;
}

int32_t GlassPlacement::shownLeft() const { return std::max(0, left); }
int32_t GlassPlacement::shownTop() const { return std::max(0, top); }

int32_t GlassPlacement::shownRight() const
{
    return static_cast<int32_t>(std::min<int64_t>(screenWidth, int64_t(left) + int64_t(glassWidth) * scale));
}

int32_t GlassPlacement::shownBottom() const
{
    return static_cast<int32_t>(std::min<int64_t>(screenHeight, int64_t(top) + int64_t(glassHeight) * scale));
}

bool GlassPlacement::shows(int32_t x, int32_t y) const
{
    return x >= shownLeft() && x < shownRight() && y >= shownTop() && y < shownBottom();
}

void GlassPlacement::glassPoint(int32_t screenX, int32_t screenY, int32_t& glassX, int32_t& glassY) const
{
    int32_t by = std::max(1, scale);
    glassX = std::clamp(floorDivide(int64_t(screenX) - left, by), 0, std::max(0, glassWidth - 1));
    glassY = std::clamp(floorDivide(int64_t(screenY) - top, by), 0, std::max(0, glassHeight - 1));
}
