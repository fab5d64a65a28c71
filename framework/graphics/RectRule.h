#ifndef PARVOLIN_RECT_RULE_H
#define PARVOLIN_RECT_RULE_H

#include "platform/base/PlatformTypes.h"

// The rectangle rule shared by every drawing and blitting call: null means the whole
// surface, the rectangle is normalised, a zero-sized one is a successful no-op, and one
// that reaches outside the surface is refused whole (surfaces never clip).
enum class RectCheck { Inside, Empty, Outside };

// Checks `rect` (null: the whole surface) against a width x height surface and stores the
// normalised rectangle in `out`.
RectCheck checkRect(const tagRECT* rect, unsigned long width, unsigned long height, tagRECT* out);

// The rule as the drawing calls apply it: true to go on with the normalised rectangle in
// `out`; false with the call's result in `result` (0 for an empty rectangle, 2 for one
// outside the surface).
bool passRectRule(const tagRECT* rect, unsigned long width, unsigned long height, tagRECT* out, long* result);

// Width and height of a normalised rectangle, without 32-bit overflow.
inline long rectWidth(const tagRECT& r) { return static_cast<long>(r.right) - r.left; }
inline long rectHeight(const tagRECT& r) { return static_cast<long>(r.bottom) - r.top; }

#endif
