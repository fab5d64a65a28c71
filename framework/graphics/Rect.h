#ifndef PARVOLIN_RECT_H
#define PARVOLIN_RECT_H

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

namespace Utility {

// A tagRECT with constructors, arithmetic and tests. It adds no fields, so a Rect is
// passed wherever the drawing calls ask for a tagRECT*. Arithmetic wraps at 32 bits.
class PARVOLIN_API Rect : public tagRECT {
public:
    Rect();
    Rect(long left, long top, long right, long bottom);
    Rect(const tagRECT& rect);
    Rect(tagRECT* rect);

    long getWidth() const;
    long getHeight() const;
    // Zero width or zero height; an inverted rect is not empty.
    bool isEmpty() const;
    // Strictly inside: a point on any edge is outside.
    bool isPointInRect(tagPOINT point) const;
    bool isPointInRect(long x, long y) const;

    void setRect(long left, long top, long right, long bottom);
    void move(long dx, long dy);

    operator tagRECT*();
    bool operator==(tagRECT other) const;
    bool operator!=(tagRECT other) const;

    // Assignments from the platform type and the compound operators return a copy, not a
    // reference: chaining them changes only the first object.
    Rect operator=(tagRECT other);
    Rect& operator=(const Rect& other);
    Rect(const Rect& other) = default;

    Rect operator+(tagPOINT offset) const;
    Rect operator+=(tagPOINT offset);
    Rect operator-(tagPOINT offset) const;
    Rect operator-=(tagPOINT offset);
    Rect operator+(tagRECT other) const;
    Rect operator+=(tagRECT other);
    Rect operator-(tagRECT other) const;
    Rect operator-=(tagRECT other);

    // Clips this rect to `other` in place after normalising it. Disjoint rects leave an
    // inverted result (negative width or height), never a zero rect.
    void intersect(tagRECT* other);
    void normalize();
};

class PARVOLIN_API Point : public tagPOINT {
public:
    Point();
    Point(long x, long y);
    Point(const tagPOINT& point);
    Point(tagPOINT* point);
    Point(const Point& other) = default;

    void setPoint(long x, long y);
    void move(long dx, long dy);

    operator tagPOINT*();
    bool operator==(tagPOINT other) const;
    bool operator!=(tagPOINT other) const;

    Point operator=(tagPOINT other);
    Point& operator=(const Point& other);

    Point operator+(tagPOINT other) const;
    Point operator-(tagPOINT other) const;
    Point operator+=(tagPOINT other);
    Point operator-=(tagPOINT other);
};

} // namespace Utility

#endif
