#include "text/Animation.h"

#include "core/ResultCodes.h"
#include "graphics/SurfaceRGBA.h"
#include "text/Panel.h"

namespace {
// A grid needs at least one row and one column: a zero would divide by zero.
uint32_t atLeastOne(unsigned long count) { return count ? static_cast<uint32_t>(count) : 1; }
} // namespace

Animation::Animation(SurfaceRGBA* sheet, unsigned long rowCount, unsigned long columnCount)
    : image(sheet), frameCount(0), rows(atLeastOne(rowCount)), columns(atLeastOne(columnCount)), currentFrame(0),
      frameRect{0, 0, 0, 0}, frameWidth(0), frameHeight(0), center{0, 0}
{
    frameCount = rows * columns;
    if (image) {
        frameWidth = static_cast<uint32_t>(image->getWidth() / columns);
        frameHeight = static_cast<uint32_t>(image->getHeight() / rows);
    }
    center = tagPOINT{static_cast<int32_t>(frameWidth / 2), static_cast<int32_t>(frameHeight / 2)};
}

Animation::Animation(SurfaceRGBA* sheet, unsigned long frames) : Animation(sheet, 1, frames) {}

Animation::~Animation() {}

void Animation::setCenter(tagPOINT newCenter) { center = newCenter; }

unsigned long Animation::getNextFrame()
{
    if (currentFrame >= frameCount)
        currentFrame = 0;
    return currentFrame++;
}

tagRECT* Animation::getFrameRect(unsigned long frame)
{
    const uint32_t column = static_cast<uint32_t>(frame % columns);
    const uint32_t row = static_cast<uint32_t>(frame / columns);
    frameRect.left = static_cast<int32_t>(frameWidth * column);
    frameRect.top = static_cast<int32_t>(frameHeight * row);
    frameRect.right = static_cast<int32_t>(frameRect.left + frameWidth);
    frameRect.bottom = static_cast<int32_t>(frameRect.top + frameHeight);
    return &frameRect;
}

long Animation::draw(Panel* panel, long x, long y)
{
    tagRECT* rect = getFrameRect(getNextFrame());
    if (!panel)
        return ResultCode::NullParameter;
    // A position so near the limits of long that the centre moves it past them lies
    // outside every panel.
    long left, top;
    if (__builtin_sub_overflow(x, static_cast<long>(center.x), &left) ||
        __builtin_sub_overflow(y, static_cast<long>(center.y), &top))
        return ResultCode::InvalidCoordinates;
    return panel->alphaBltFast(left, top, image, rect, nullptr);
}
