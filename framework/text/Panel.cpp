#include "text/Panel.h"

#include "core/ResultCodes.h"
#include "graphics/Rect.h"
#include "graphics/RectRule.h"
#include "graphics/Surface.h"
#include "graphics/SurfaceRGBA.h"

#include <algorithm>
#include <limits>

namespace {

// An area that fits a width x height parent: not inverted, and inside it.
bool fitsInside(const tagRECT& area, long width, long height)
{
    return area.left >= 0 && area.top >= 0 && area.right <= width && area.bottom <= height && area.right >= area.left &&
           area.bottom >= area.top;
}

// Keeps a panel position far enough from the limits of long that sums cannot overflow;
// every position it changes lies wholly outside any panel either way. A fraction of the
// range, since long has 32 bits on some targets (WebAssembly).
long tame(long value)
{
    const long limit = std::numeric_limits<long>::max() / 8;
    return value < -limit ? -limit : (value > limit ? limit : value);
}

} // namespace

Panel::Panel() : parent(nullptr), area{0, 0, 0, 0}, childCount(0), surface(nullptr) {}

Panel::Panel(Surface* root) : parent(nullptr), area{0, 0, 0, 0}, childCount(0), surface(root)
{
    if (root)
        area = tagRECT{0, 0, static_cast<int32_t>(root->getWidth()), static_cast<int32_t>(root->getHeight())};
}

Panel::Panel(Panel* parentPanel, tagRECT childArea) : parent(nullptr), area{0, 0, 0, 0}, childCount(0), surface(nullptr)
{
    if (parentPanel)
        parentPanel->addChild(this, childArea);
}

long Panel::addChild(Panel* child, tagRECT childArea)
{
    if (!child)
        return ResultCode::NullParameter;
    if (!fitsInside(childArea, rectWidth(area), rectHeight(area)))
        return ResultCode::InvalidCoordinates;
    // A panel placed under itself or one of its descendants would make a loop of parents.
    for (Panel* ancestor = this; ancestor; ancestor = ancestor->parent) {
        if (ancestor == child)
            return ResultCode::PanelCannotMove;
    }
    if (child->parent)
        --child->parent->childCount;
    child->parent = this;
    child->area = childArea;
    ++childCount;
    return ResultCode::Ok;
}

long Panel::setArea(tagRECT newArea)
{
    long limitWidth;
    long limitHeight;
    if (parent) {
        limitWidth = rectWidth(parent->area);
        limitHeight = rectHeight(parent->area);
    } else if (surface) {
        limitWidth = static_cast<long>(surface->getWidth());
        limitHeight = static_cast<long>(surface->getHeight());
    } else {
        return ResultCode::PanelCannotMove;
    }
    if (!fitsInside(newArea, limitWidth, limitHeight))
        return ResultCode::InvalidCoordinates;
    area = newArea;
    return ResultCode::Ok;
}

long Panel::setPosition(tagPOINT position)
{
    return setArea(Utility::Rect(position.x, position.y, static_cast<long>(position.x) + rectWidth(area),
                                 static_cast<long>(position.y) + rectHeight(area)));
}

long Panel::move(tagPOINT offset) { return setArea(Utility::Rect(area) + offset); }

tagRECT Panel::getArea() { return area; }

unsigned long Panel::getWidth() { return static_cast<unsigned long>(static_cast<uint32_t>(rectWidth(area))); }

unsigned long Panel::getHeight() { return static_cast<unsigned long>(static_cast<uint32_t>(rectHeight(area))); }

unsigned long Panel::getChildCount() { return childCount; }

Surface* Panel::locate(long& absoluteLeft, long& absoluteTop)
{
    absoluteLeft = 0;
    absoluteTop = 0;
    Panel* root = this;
    for (Panel* panel = this; panel; panel = panel->parent) {
        absoluteLeft += panel->area.left;
        absoluteTop += panel->area.top;
        root = panel;
    }
    return root->surface;
}

Surface* Panel::getBackSurface(tagRECT* absolute)
{
    long left;
    long top;
    Surface* back = locate(left, top);
    if (absolute) {
        *absolute = Utility::Rect(left, top, left + rectWidth(area), top + rectHeight(area));
    }
    return back;
}

long Panel::bltFast(long x, long y, Surface* source, tagRECT* sourceRect, Shader* shader)
{
    return clipAndBlit(x, y, source, sourceRect, nullptr, nullptr, shader);
}

long Panel::alphaBltFast(long x, long y, Surface* source, tagRECT* sourceRect, Surface* alphaSource,
                         tagRECT* alphaRect, Shader* shader)
{
    long left;
    long top;
    if (!locate(left, top))
        return ResultCode::InvalidSurface;
    if (!alphaSource)
        return ResultCode::NullParameter;
    return clipAndBlit(x, y, source, sourceRect, alphaSource, alphaRect, shader);
}

long Panel::alphaBltFast(long x, long y, SurfaceRGBA* source, tagRECT* sourceRect, Shader* shader)
{
    return alphaBltFast(x, y, source, sourceRect, source ? source->getAlphaSurface() : nullptr, sourceRect, shader);
}

long Panel::clipAndBlit(long x, long y, Surface* source, tagRECT* sourceRect, Surface* alpha, tagRECT* alphaRect,
                        Shader* shader)
{
    long absoluteLeft;
    long absoluteTop;
    Surface* back = locate(absoluteLeft, absoluteTop);
    if (!back)
        return ResultCode::InvalidSurface;
    if (!source)
        return ResultCode::NullParameter;
    tagRECT sr;
    tagRECT ar{0, 0, 0, 0};
    long result;
    if (!passRectRule(sourceRect, source->getWidth(), source->getHeight(), &sr, &result))
        return result;
    if (alpha) {
        if (!passRectRule(alphaRect, alpha->getWidth(), alpha->getHeight(), &ar, &result))
            return result;
        if (rectWidth(sr) != rectWidth(ar) || rectHeight(sr) != rectHeight(ar))
            return ResultCode::InvalidCoordinates;
    }

    const long absoluteRight = absoluteLeft + rectWidth(area);
    const long absoluteBottom = absoluteTop + rectHeight(area);
    long dx = absoluteLeft + tame(x);
    long dy = absoluteTop + tame(y);
    const long right = dx + rectWidth(sr);
    const long bottom = dy + rectHeight(sr);
    if (right < absoluteLeft || dx > absoluteRight || bottom < absoluteTop || dy > absoluteBottom)
        return ResultCode::InvalidCoordinates;

    // The parts beyond each edge of the panel are cut from the source (and alpha) rectangle.
    const long cutLeft = dx < absoluteLeft ? absoluteLeft - dx : 0;
    const long cutTop = dy < absoluteTop ? absoluteTop - dy : 0;
    const long cutRight = right > absoluteRight ? right - absoluteRight : 0;
    const long cutBottom = bottom > absoluteBottom ? bottom - absoluteBottom : 0;
    for (tagRECT* r : {&sr, &ar}) {
        r->left = static_cast<int32_t>(r->left + cutLeft);
        r->top = static_cast<int32_t>(r->top + cutTop);
        r->right = static_cast<int32_t>(r->right - cutRight);
        r->bottom = static_cast<int32_t>(r->bottom - cutBottom);
    }
    dx += cutLeft;
    dy += cutTop;
    if (alpha)
        return back->alphaBltFast(static_cast<unsigned long>(dx), static_cast<unsigned long>(dy), source, &sr, alpha,
                                  &ar, shader);
    return back->bltFast(static_cast<unsigned long>(dx), static_cast<unsigned long>(dy), source, &sr, shader);
}

long Panel::locatePixel(long x, long y, Surface*& back, unsigned long& surfaceX, unsigned long& surfaceY)
{
    long left;
    long top;
    back = locate(left, top);
    if (!back)
        return ResultCode::InvalidSurface;
    x = tame(x);
    y = tame(y);
    if (x < 0 || y < 0 || x >= rectWidth(area) || y >= rectHeight(area))
        return ResultCode::InvalidCoordinates;
    surfaceX = static_cast<unsigned long>(left + x);
    surfaceY = static_cast<unsigned long>(top + y);
    return ResultCode::Ok;
}

long Panel::setPixel(long x, long y, unsigned long colorref)
{
    Surface* back;
    unsigned long surfaceX;
    unsigned long surfaceY;
    if (long result = locatePixel(x, y, back, surfaceX, surfaceY))
        return result;
    return back->setPixel(surfaceX, surfaceY, colorref);
}

long Panel::getPixel(long x, long y, unsigned long* colorref)
{
    Surface* back;
    unsigned long surfaceX;
    unsigned long surfaceY;
    if (long result = locatePixel(x, y, back, surfaceX, surfaceY))
        return result;
    return back->getPixel(surfaceX, surfaceY, colorref);
}

long Panel::fillRect(unsigned long colorref, tagRECT* rect, unsigned long opacity)
{
    long left;
    long top;
    Surface* back = locate(left, top);
    if (!back)
        return ResultCode::InvalidSurface;
    tagRECT r;
    long result;
    if (!passRectRule(rect, back->width, back->height, &r, &result))
        return result;
    // Shifted onto the surface and cut to the panel. A rectangle that misses the panel
    // becomes an empty one, so that the surface still checks its opacity and draws nothing.
    long clippedLeft = std::max(left + r.left, left);
    long clippedTop = std::max(top + r.top, top);
    long clippedRight = std::min(left + r.right, left + rectWidth(area));
    long clippedBottom = std::min(top + r.bottom, top + rectHeight(area));
    tagRECT clipped{0, 0, 0, 0};
    if (clippedLeft < clippedRight && clippedTop < clippedBottom)
        clipped = Utility::Rect(clippedLeft, clippedTop, clippedRight, clippedBottom);
    return back->fillRect(colorref, &clipped, opacity);
}

long Panel::drawRect(unsigned long colorref, tagRECT* rect, unsigned long opacity)
{
    long left;
    long top;
    Surface* back = locate(left, top);
    if (!back || !back->pixels)
        return ResultCode::InvalidSurface;
    tagRECT r;
    long result;
    if (!passRectRule(rect, back->width, back->height, &r, &result))
        return result;
    if (opacity > 255)
        return ResultCode::InvalidOpacity;
    if (opacity == 0)
        return ResultCode::Ok;
    // Inclusive edges, shifted onto the surface and cut to the panel's last row and column
    // (and to the surface, in case it shrank under the panel): an outline that reaches
    // beyond the panel runs along its border, never past it.
    const long lastColumn = std::min(left + rectWidth(area), static_cast<long>(back->width)) - 1;
    const long lastRow = std::min(top + rectHeight(area), static_cast<long>(back->height)) - 1;
    const long x1 = std::max(left + r.left, left);
    const long y1 = std::max(top + r.top, top);
    const long x2 = std::min(left + r.right - 1, lastColumn);
    const long y2 = std::min(top + r.bottom - 1, lastRow);
    if (x1 > x2 || y1 > y2)
        return ResultCode::Ok;
    back->drawHorizontalLine(y1, x1, x2, colorref, opacity);
    back->drawHorizontalLine(y2, x1, x2, colorref, opacity);
    back->drawVerticalLine(x1, y1, y2, colorref, opacity);
    back->drawVerticalLine(x2, y1, y2, colorref, opacity);
    return ResultCode::Ok;
}
