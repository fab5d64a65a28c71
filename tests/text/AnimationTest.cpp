#include "core/ResultCodes.h"
#include "pixels/PixelRules.h"
#include "graphics/SurfaceRGBA.h"
#include "support/SurfacePixels.h"
#include "text/Animation.h"
#include "text/Panel.h"

#include <gtest/gtest.h>

#include <climits>

using SurfacePixels::at;

namespace {

uint16_t frameColor(unsigned long frame) { return static_cast<uint16_t>(0x1234 * (frame + 1)); }

// What an opaque frame pixel becomes over a black background: the alpha blit's weight 63.
uint16_t shown(unsigned long frame) { return PixelRules::blend(frameColor(frame), 0, 63); }

// A sheet of rows x columns frames of the given size, frame f filled with frameColor(f).
void makeSheet(SurfaceRGBA& sheet, unsigned long rows, unsigned long columns, unsigned long width,
               unsigned long height)
{
    ASSERT_EQ(ResultCode::Ok, sheet.create(columns * width, rows * height));
    for (unsigned long y = 0; y < rows * height; ++y)
        for (unsigned long x = 0; x < columns * width; ++x)
            SurfacePixels::set(sheet, x, y, frameColor((y / height) * columns + x / width));
}

// Opens the protected frame rectangle to the tests.
class OpenAnimation : public Animation {
public:
    using Animation::Animation;
    using Animation::getFrameRect;
};

} // namespace

TEST(Animation, AStripCyclesThroughItsFrames)
{
    Owned<SurfaceRGBA> sheet;
    makeSheet(sheet, 1, 4, 2, 2);
    Owned<Surface> back;
    SurfacePixels::make(back, 10, 10, 0);
    Panel panel(&back);
    Animation animation(&sheet, 4);
    std::vector<uint16_t> seen;
    for (int i = 0; i < 6; ++i) {
        SurfacePixels::make(back, 10, 10, 0);
        ASSERT_EQ(ResultCode::Ok, animation.draw(&panel, 5, 5));
        seen.push_back(at(back, 4, 4)); // the centre (1, 1) of each 2 x 2 frame lands at (5, 5)
    }
    EXPECT_EQ((std::vector<uint16_t>{shown(0), shown(1), shown(2), shown(3), shown(0), shown(1)}), seen);
}

TEST(Animation, GridFramesAndTheirCentre)
{
    Owned<SurfaceRGBA> sheet;
    makeSheet(sheet, 2, 3, 32, 32); // 96 x 64
    OpenAnimation animation(&sheet, 2, 3);
    tagRECT* rect = animation.getFrameRect(4);
    EXPECT_EQ(32, rect->left);
    EXPECT_EQ(32, rect->top);
    EXPECT_EQ(64, rect->right);
    EXPECT_EQ(64, rect->bottom);

    Owned<Surface> back;
    SurfacePixels::make(back, 200, 200, 0);
    Panel panel(&back);
    ASSERT_EQ(ResultCode::Ok, animation.draw(&panel, 100, 100));
    EXPECT_EQ(0u, at(back, 83, 84));
    EXPECT_EQ(shown(0), at(back, 84, 84)); // frame 0's top-left corner, centre (16, 16) at (100, 100)
    EXPECT_EQ(shown(0), at(back, 115, 115));
    EXPECT_EQ(0u, at(back, 116, 116));

    animation.setCenter(tagPOINT{0, 0});
    ASSERT_EQ(ResultCode::Ok, animation.draw(&panel, 10, 20));
    EXPECT_EQ(shown(1), at(back, 10, 20));
    EXPECT_EQ(0u, at(back, 9, 20));
}

TEST(Animation, FramesThatDoNotDivideTheSheetLeaveItsEdgeUnseen)
{
    Owned<SurfaceRGBA> sheet;
    ASSERT_EQ(ResultCode::Ok, sheet.create(100, 10));
    OpenAnimation animation(&sheet, 1, 3);
    EXPECT_EQ(66, animation.getFrameRect(2)->left);
    EXPECT_EQ(99, animation.getFrameRect(2)->right); // column 99 is never shown
}

TEST(Animation, FailuresStillMoveOn)
{
    Owned<SurfaceRGBA> sheet;
    makeSheet(sheet, 1, 2, 2, 2);
    Owned<Surface> back;
    SurfacePixels::make(back, 10, 10, 0);
    Panel panel(&back);
    Panel loose;
    Animation animation(&sheet, 2);
    EXPECT_EQ(ResultCode::InvalidSurface, animation.draw(&loose, 5, 5));  // frame 0
    EXPECT_EQ(ResultCode::InvalidCoordinates, animation.draw(&panel, 50, 50)); // frame 1, outside
    EXPECT_EQ(ResultCode::NullParameter, animation.draw(nullptr, 5, 5)); // frame 0
    ASSERT_EQ(ResultCode::Ok, animation.draw(&panel, 5, 5)); // frame 1
    EXPECT_EQ(shown(1), at(back, 4, 4));

    Animation noSheet(nullptr, 3);
    EXPECT_EQ(ResultCode::NullParameter, noSheet.draw(&panel, 5, 5));
    // A grid of no rows or columns counts as one, instead of dividing by zero.
    Animation degenerate(&sheet, 0, 0);
    ASSERT_EQ(ResultCode::Ok, degenerate.draw(&panel, 2, 2));
    EXPECT_EQ(shown(0), at(back, 0, 1)); // the whole sheet is one frame, centred at (2, 1)
    EXPECT_EQ(shown(1), at(back, 3, 1));
}

TEST(Animation, PositionsNearTheLimitsOfLongAreOutsideEveryPanel)
{
    Owned<SurfaceRGBA> sheet;
    makeSheet(sheet, 1, 1, 4, 4);
    Owned<Surface> back;
    SurfacePixels::make(back, 10, 10, 0);
    Panel panel(&back);
    Animation animation(&sheet, 1);
    // The centre (2, 2) moves these past the limits; the far corner of the others too.
    for (long x : {LONG_MIN, LONG_MIN + 1, LONG_MAX, LONG_MAX - 1}) {
        EXPECT_EQ(ResultCode::InvalidCoordinates, animation.draw(&panel, x, 5)) << x;
        EXPECT_EQ(ResultCode::InvalidCoordinates, animation.draw(&panel, 5, x)) << x;
    }
    EXPECT_EQ(0, at(back, 5, 5));
    ASSERT_EQ(ResultCode::Ok, animation.draw(&panel, 5, 5));
    EXPECT_EQ(shown(0), at(back, 5, 5));
}
