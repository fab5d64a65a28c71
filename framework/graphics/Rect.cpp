#include "graphics/Rect.h"

namespace Utility {

namespace {
// Plain 32-bit two's-complement arithmetic, as on the device: wrap, never trap.
inline int32_t wrap(long value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned long>(value)));
}
inline int32_t add(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t sub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline void swapIfLess(int32_t& first, int32_t& second)
{
    if (second < first) {
        int32_t kept = first;
        first = second;
        second = kept;
    }
}
} // namespace

Rect::Rect() : tagRECT{0, 0, 0, 0} {}

Rect::Rect(long l, long t, long r, long b) : tagRECT{wrap(l), wrap(t), wrap(r), wrap(b)} {}

Rect::Rect(const tagRECT& rect) : tagRECT(rect) {}

Rect::Rect(tagRECT* rect) : tagRECT(rect ? *rect : tagRECT{0, 0, 0, 0}) {}

long Rect::getWidth() const { return sub(right, left); }

long Rect::getHeight() const { return sub(bottom, top); }

bool Rect::isEmpty() const { return right == left || bottom == top; }

bool Rect::isPointInRect(tagPOINT point) const { return isPointInRect(point.x, point.y); }

bool Rect::isPointInRect(long x, long y) const
{
    int32_t px = wrap(x);
    int32_t py = wrap(y);
    return px > left && px < right && py > top && py < bottom;
}

void Rect::setRect(long l, long t, long r, long b)
{
    left = wrap(l);
    top = wrap(t);
    right = wrap(r);
    bottom = wrap(b);
}

void Rect::move(long dx, long dy)
{
    int32_t x = wrap(dx);
    int32_t y = wrap(dy);
    left = add(left, x);
    right = add(right, x);
    top = add(top, y);
    bottom = add(bottom, y);
}

Rect::operator tagRECT*() { return this; }

bool Rect::operator==(tagRECT other) const
{
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

bool Rect::operator!=(tagRECT other) const { return !(*this == other); }

Rect Rect::operator=(tagRECT other)
{
    static_cast<tagRECT&>(*this) = other;
    return *this;
}

Rect& Rect::operator=(const Rect& other)
{
    static_cast<tagRECT&>(*this) = other;
    return *this;
}

Rect Rect::operator+(tagPOINT offset) const
{
    Rect result(*this);
    result.move(offset.x, offset.y);
    return result;
}

Rect Rect::operator+=(tagPOINT offset)
{
    move(offset.x, offset.y);
    return *this;
}

Rect Rect::operator-(tagPOINT offset) const
{
    Rect result(*this);
    result.move(sub(0, offset.x), sub(0, offset.y));
    return result;
}

Rect Rect::operator-=(tagPOINT offset)
{
    move(sub(0, offset.x), sub(0, offset.y));
    return *this;
}

Rect Rect::operator+(tagRECT other) const
{
    Rect result;
    result.left = add(left, other.left);
    result.top = add(top, other.top);
    result.right = add(right, other.right);
    result.bottom = add(bottom, other.bottom);
    return result;
}

Rect Rect::operator+=(tagRECT other)
{
    *this = *this + other;
    return *this;
}

Rect Rect::operator-(tagRECT other) const
{
    Rect result;
    result.left = sub(left, other.left);
    result.top = sub(top, other.top);
    result.right = sub(right, other.right);
    result.bottom = sub(bottom, other.bottom);
    return result;
}

Rect Rect::operator-=(tagRECT other)
{
    *this = *this - other;
    return *this;
}

void Rect::intersect(tagRECT* other)
{
    normalize();
    if (!other)
        return;
    int32_t minX = other->left < other->right ? other->left : other->right;
    int32_t maxX = other->left < other->right ? other->right : other->left;
    int32_t minY = other->top < other->bottom ? other->top : other->bottom;
    int32_t maxY = other->top < other->bottom ? other->bottom : other->top;
    if (left < minX)
        left = minX;
    if (right > maxX)
        right = maxX;
    if (top < minY)
        top = minY;
    if (bottom > maxY)
        bottom = maxY;
}

void Rect::normalize()
{
    swapIfLess(left, right);
    swapIfLess(top, bottom);
}

Point::Point() : tagPOINT{0, 0} {}

Point::Point(long px, long py) : tagPOINT{wrap(px), wrap(py)} {}

Point::Point(const tagPOINT& point) : tagPOINT(point) {}

Point::Point(tagPOINT* point) : tagPOINT(point ? *point : tagPOINT{0, 0}) {}

void Point::setPoint(long px, long py)
{
    x = wrap(px);
    y = wrap(py);
}

void Point::move(long dx, long dy)
{
    x = add(x, wrap(dx));
    y = add(y, wrap(dy));
}

Point::operator tagPOINT*() { return this; }

bool Point::operator==(tagPOINT other) const { return x == other.x && y == other.y; }

bool Point::operator!=(tagPOINT other) const { return !(*this == other); }

Point Point::operator=(tagPOINT other)
{
    static_cast<tagPOINT&>(*this) = other;
    return *this;
}

Point& Point::operator=(const Point& other)
{
    static_cast<tagPOINT&>(*this) = other;
    return *this;
}

Point Point::operator+(tagPOINT other) const { return Point(add(x, other.x), add(y, other.y)); }

Point Point::operator-(tagPOINT other) const { return Point(sub(x, other.x), sub(y, other.y)); }

Point Point::operator+=(tagPOINT other)
{
    *this = *this + other;
    return *this;
}

Point Point::operator-=(tagPOINT other)
{
    *this = *this - other;
    return *this;
}

} // namespace Utility
