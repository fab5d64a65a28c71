#ifndef PARVOLIN_RECT_RULE_H
#define PARVOLIN_RECT_RULE_H

#include "platform/PlatformTypes.h"

// The rectangle rule shared by every drawing and blitting call: null means the whole
// surface, the rectangle is normalised, a zero-sized one is a successful no-op, and one
// that reaches outside the surface is refused whole (surfaces never clip).
enum class RectCheck { Inside, Empty, Outside };

// Checks `rect` (null: the whole surface) against a width x height surface and stores the
// normalised rectangle in `out`.
RectCheck checkRect(const tagRECT* rect, unsigned long width, unsigned long height, tagRECT* out);

#endif
