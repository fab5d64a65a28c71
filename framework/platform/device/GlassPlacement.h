#ifndef PARVOLIN_GLASS_PLACEMENT_H
#define PARVOLIN_GLASS_PLACEMENT_H

#include <cstdint>

// Where a host shows the glass on a screen of its own: each glass pixel a square of
// `scale` screen pixels, the glass's top-left corner at (left, top). Centring rounds
// halves down; a glass larger than the screen hangs over its edges (left or top
// negative) and only its middle is seen.
struct GlassPlacement {
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    int32_t glassWidth = 0;
    int32_t glassHeight = 0;
    int32_t scale = 1;
    int32_t left = 0;
    int32_t top = 0;

    // The glass centred on the screen at `scale`, or, when `scale` is 0, at the largest
    // whole scale that fits (at least 1).
    static GlassPlacement centred(int32_t screenWidth, int32_t screenHeight, int32_t glassWidth,
                                  int32_t glassHeight, int32_t scale);

    // The largest whole scale at which the glass fits on the screen; 0 when it does not
    // fit even at 1.
    static int32_t largestScale(int32_t screenWidth, int32_t screenHeight, int32_t glassWidth, int32_t glassHeight);

    // The screen pixels the glass covers, each edge inside the screen.
    int32_t shownLeft() const;
    int32_t shownTop() const;
    int32_t shownRight() const;   // one past the last column
    int32_t shownBottom() const;  // one past the last row

    // Whether screen pixel (x, y) shows the glass.
    bool shows(int32_t x, int32_t y) const;
    // The glass pixel under screen pixel (x, y), moved onto the glass's nearest edge when
    // it lies beyond it.
    void glassPoint(int32_t screenX, int32_t screenY, int32_t& glassX, int32_t& glassY) const;
};

#endif
