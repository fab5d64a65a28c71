#ifndef PARVOLIN_RECT_H
#define PARVOLIN_RECT_H

/// \file
/// Utility::Rect and Utility::Point, the platform's rectangle and point with arithmetic.
/// \ingroup graphics

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

/// \addtogroup graphics
/// @{

/// Rect and Point.
namespace Utility {

/// A tagRECT with constructors, arithmetic and tests. It adds no fields, so a Rect is
/// passed wherever the drawing calls ask for a tagRECT*. Like tagRECT it is right- and
/// bottom-exclusive. Arithmetic wraps at 32 bits.
class PARVOLIN_API Rect : public tagRECT {
public:
    /// All zero.
    Rect();
    /// From its four edges (right and bottom exclusive).
    Rect(long left, long top, long right, long bottom);
    /// A copy of `rect`.
    Rect(const tagRECT& rect);
    /// A copy of `*rect`; all zero for null.
    Rect(tagRECT* rect);

    /// right - left; negative when inverted.
    long getWidth() const;
    /// bottom - top; negative when inverted.
    long getHeight() const;
    /// Zero width or zero height; an inverted rect is not empty.
    bool isEmpty() const;
    /// Strictly inside: a point on any edge, the left and top ones included, is outside.
    bool isPointInRect(tagPOINT point) const;
    /// The same for the point (x, y).
    bool isPointInRect(long x, long y) const;

    /// Sets the four edges.
    void setRect(long left, long top, long right, long bottom);
    /// Moves the rect by `dx` columns and `dy` rows.
    void move(long dx, long dy);

    /// The rect itself, for the calls that take a tagRECT*.
    operator tagRECT*();
    /// All four edges equal.
    bool operator==(tagRECT other) const;
    /// Any edge different.
    bool operator!=(tagRECT other) const;

    /// Assignments from the platform type and the compound operators return a copy, not a
    /// reference: chaining them changes only the first object.
    Rect operator=(tagRECT other);
    /// Copies `other`.
    Rect& operator=(const Rect& other);
    /// Copies `other`.
    Rect(const Rect& other) = default;

    /// The rect moved by `offset`.
    Rect operator+(tagPOINT offset) const;
    /// Moves the rect by `offset`; returns a copy.
    Rect operator+=(tagPOINT offset);
    /// The rect moved back by `offset`.
    Rect operator-(tagPOINT offset) const;
    /// Moves the rect back by `offset`; returns a copy.
    Rect operator-=(tagPOINT offset);
    /// Edge by edge sum.
    Rect operator+(tagRECT other) const;
    /// Adds `other` edge by edge; returns a copy.
    Rect operator+=(tagRECT other);
    /// Edge by edge difference.
    Rect operator-(tagRECT other) const;
    /// Subtracts `other` edge by edge; returns a copy.
    Rect operator-=(tagRECT other);

    /// Clips this rect to `other` in place after normalising it. Disjoint rects leave an
    /// inverted result (negative width or height), never a zero rect. Null: only normalises.
    void intersect(tagRECT* other);
    /// Swaps left and right, top and bottom, where they are inverted.
    void normalize();
};

/// A tagPOINT with constructors and arithmetic. It adds no fields; arithmetic wraps at
/// 32 bits.
class PARVOLIN_API Point : public tagPOINT {
public:
    /// (0, 0).
    Point();
    /// (x, y).
    Point(long x, long y);
    /// A copy of `point`.
    Point(const tagPOINT& point);
    /// A copy of `*point`; (0, 0) for null.
    Point(tagPOINT* point);
    /// Copies `other`.
    Point(const Point& other) = default;

    /// Sets both coordinates.
    void setPoint(long x, long y);
    /// Moves the point by `dx` columns and `dy` rows.
    void move(long dx, long dy);

    /// The point itself, for the calls that take a tagPOINT*.
    operator tagPOINT*();
    /// Both coordinates equal.
    bool operator==(tagPOINT other) const;
    /// Either coordinate different.
    bool operator!=(tagPOINT other) const;

    /// Copies `other`; returns a copy, as Rect's assignment does.
    Point operator=(tagPOINT other);
    /// Copies `other`.
    Point& operator=(const Point& other);

    /// The sum.
    Point operator+(tagPOINT other) const;
    /// The difference.
    Point operator-(tagPOINT other) const;
    /// Adds `other`; returns a copy.
    Point operator+=(tagPOINT other);
    /// Subtracts `other`; returns a copy.
    Point operator-=(tagPOINT other);
};

} // namespace Utility

/// @}

#endif
