#include "graphics/RectRule.h"

#include "core/ResultCodes.h"

RectCheck checkRect(const tagRECT* rect, unsigned long width, unsigned long height, tagRECT* out)
{
    tagRECT r;
    if (rect) {
        r = *rect;
    } else {
        // A surface is at most 2^31 pixels on a side (its bytes fit in 32 bits).
        r = tagRECT{0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)};
    }
    if (r.top > r.bottom) {
        int32_t kept = r.top;
        r.top = r.bottom;
        r.bottom = kept;
    }
    if (r.left > r.right) {
        int32_t kept = r.left;
        r.left = r.right;
        r.right = kept;
    }
    *out = r;
    if (r.right == r.left || r.bottom == r.top)
        return RectCheck::Empty;
    long w = static_cast<long>(width);
    long h = static_cast<long>(height);
    if (r.left < 0 || r.top < 0 || r.left >= w || r.top >= h || r.right < 0 || r.bottom < 0 ||
        r.right > w || r.bottom > h)
        return RectCheck::Outside;
    return RectCheck::Inside;
}

bool passRectRule(const tagRECT* rect, unsigned long width, unsigned long height, tagRECT* out, long* result)
{
    switch (checkRect(rect, width, height, out)) {
    case RectCheck::Empty:
        *result = ResultCode::Ok;
        return false;
    case RectCheck::Outside:
        *result = ResultCode::InvalidCoordinates;
        return false;
    case RectCheck::Inside:
        break;
    }
    return true;
}
