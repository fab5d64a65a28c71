#include "graphics/Rect.h"

#include <gtest/gtest.h>

#include <climits>

using Utility::Point;
using Utility::Rect;

namespace {
void expectRect(const tagRECT& r, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    EXPECT_EQ(left, r.left);
    EXPECT_EQ(top, r.top);
    EXPECT_EQ(right, r.right);
    EXPECT_EQ(bottom, r.bottom);
}
} // namespace

TEST(Rect, IsLayoutIdenticalToThePlatformTypes)
{
    static_assert(sizeof(Rect) == sizeof(tagRECT), "Rect adds no state");
    static_assert(sizeof(Point) == sizeof(tagPOINT), "Point adds no state");
    Rect r(1, 2, 3, 4);
    tagRECT* raw = r;
    EXPECT_EQ(static_cast<void*>(&r), static_cast<void*>(raw));
    expectRect(Rect(static_cast<tagRECT*>(nullptr)), 0, 0, 0, 0);
    EXPECT_EQ(0, Point(static_cast<tagPOINT*>(nullptr)).x);
}

TEST(Rect, EmptinessIsZeroWidthOrHeightOnly)
{
    EXPECT_TRUE(Rect(5, 5, 5, 9).isEmpty());
    EXPECT_TRUE(Rect(0, 3, 9, 3).isEmpty());
    EXPECT_FALSE(Rect(9, 0, 5, 5).isEmpty());
    EXPECT_EQ(-4, Rect(9, 0, 5, 5).getWidth());
}

TEST(Rect, PointInsideIsStrictOnEveryEdge)
{
    Rect r(0, 0, 10, 10);
    EXPECT_FALSE(r.isPointInRect(0, 5));
    EXPECT_TRUE(r.isPointInRect(1, 5));
    EXPECT_TRUE(r.isPointInRect(9, 9));
    EXPECT_FALSE(r.isPointInRect(10, 5));
    EXPECT_FALSE(r.isPointInRect(5, 0));
    EXPECT_FALSE(r.isPointInRect(5, 10));
    EXPECT_TRUE(r.isPointInRect(tagPOINT{5, 5}));
    // No normalising: an inverted rect contains nothing.
    EXPECT_FALSE(Rect(10, 10, 0, 0).isPointInRect(5, 5));
    EXPECT_TRUE(Rect(-10, -10, 0, 0).isPointInRect(-5, -5));
}

TEST(Rect, NormalizeSwapsEachInvertedPair)
{
    Rect r(10, 10, 0, 0);
    r.normalize();
    expectRect(r, 0, 0, 10, 10);
    Rect onlyVertical(1, 9, 5, 2);
    onlyVertical.normalize();
    expectRect(onlyVertical, 1, 2, 5, 9);
}

TEST(Rect, IntersectNormalisesThisAndTheOtherWithoutChangingIt)
{
    Rect other(2, 2, 8, 8);
    Rect r(10, 0, 0, 10);
    r.intersect(other);
    expectRect(r, 2, 2, 8, 8);

    Rect inverted(8, 8, 2, 2);
    Rect whole(0, 0, 10, 10);
    whole.intersect(inverted);
    expectRect(whole, 2, 2, 8, 8);
    expectRect(inverted, 8, 8, 2, 2);
}

TEST(Rect, IntersectOfDisjointRectsIsInverted)
{
    Rect r(0, 0, 10, 10);
    Rect far(20, 20, 30, 30);
    r.intersect(far);
    expectRect(r, 20, 20, 10, 10);
    EXPECT_LT(r.getWidth(), 0);
    EXPECT_FALSE(r.isEmpty());
}

TEST(Rect, ArithmeticWithRectsAndPoints)
{
    expectRect(Rect(1, 2, 3, 4) + tagRECT{10, 20, 30, 40}, 11, 22, 33, 44);
    expectRect(Rect(11, 22, 33, 44) - tagRECT{10, 20, 30, 40}, 1, 2, 3, 4);
    expectRect(Rect(1, 2, 3, 4) + tagPOINT{10, 100}, 11, 102, 13, 104);
    expectRect(Rect(1, 2, 3, 4) - tagPOINT{1, 2}, 0, 0, 2, 2);
    Rect moved(0, 0, 5, 5);
    moved.move(-3, 4);
    expectRect(moved, -3, 4, 2, 9);
    EXPECT_TRUE((Rect(1, 2, 3, 4) == tagRECT{1, 2, 3, 4}));
    EXPECT_TRUE((Rect(1, 2, 3, 4) != tagRECT{1, 2, 3, 5}));
}

TEST(Rect, CompoundAssignmentsReturnCopies)
{
    Rect a(0, 0, 10, 10);
    Rect copy = (a += tagPOINT{1, 1});
    copy.move(100, 100);
    expectRect(a, 1, 1, 11, 11);
    // Chaining modifies only the first object.
    (a += tagPOINT{1, 1}) += tagPOINT{50, 50};
    expectRect(a, 2, 2, 12, 12);
    (a = tagRECT{0, 0, 1, 1}) += tagPOINT{5, 5};
    expectRect(a, 0, 0, 1, 1);

    Point p(1, 2);
    (p += tagPOINT{1, 1}) += tagPOINT{10, 10};
    EXPECT_EQ(2, p.x);
    EXPECT_EQ(3, p.y);
    (p -= tagPOINT{2, 3}) -= tagPOINT{10, 10};
    EXPECT_TRUE((p == tagPOINT{0, 0}));
}

TEST(Rect, ArithmeticWrapsAtThirtyTwoBits)
{
    Rect r(INT_MAX, 0, INT_MAX, 0);
    r.move(1, 0);
    EXPECT_EQ(INT_MIN, r.left);
    Point p(INT_MIN, 0);
    Point q = p - tagPOINT{1, 0};
    EXPECT_EQ(INT_MAX, q.x);
}
