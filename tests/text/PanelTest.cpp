#include "core/ResultCodes.h"
#include "pixels/PixelRules.h"
#include "graphics/SurfaceRGBA.h"
#include "support/SurfacePixels.h"
#include "text/Panel.h"

#include <gtest/gtest.h>

using SurfacePixels::at;
using SurfacePixels::make;
using SurfacePixels::snapshot;

namespace {

bool sameRect(const tagRECT& a, const tagRECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A 16 x 16 sprite whose pixel (x, y) is x + 16 * y + 1.
void makeSprite(Surface& sprite)
{
    make(sprite, 16, 16, 0);
    for (unsigned long y = 0; y < 16; ++y)
        for (unsigned long x = 0; x < 16; ++x)
            SurfacePixels::set(sprite, x, y, static_cast<uint16_t>(x + 16 * y + 1));
}

// A 240 x 320 back buffer with a child at (10, 20) and a grandchild at (5, 5) of it.
struct Nest {
    Nest()
    {
        make(back, 240, 320, 0);
        root = new Panel(&back);
        child = new Panel(root, tagRECT{10, 20, 110, 120});
        grandchild = new Panel(child, tagRECT{5, 5, 45, 35});
    }
    ~Nest()
    {
        delete grandchild;
        delete child;
        delete root;
    }
    Owned<Surface> back;
    Panel* root;
    Panel* child;
    Panel* grandchild;
};

} // namespace

TEST(Panel, NestedPanelsAddUpTheirPositions)
{
    Nest nest;
    tagRECT absolute;
    EXPECT_EQ(&nest.back, nest.grandchild->getBackSurface(&absolute));
    EXPECT_TRUE(sameRect(tagRECT{15, 25, 55, 55}, absolute));
    EXPECT_EQ(40u, nest.grandchild->getWidth());
    EXPECT_EQ(30u, nest.grandchild->getHeight());
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->setPixel(0, 0, 0x00FFFFFF));
    EXPECT_EQ(0xFFFF, at(nest.back, 15, 25));
    unsigned long color = 0;
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->getPixel(0, 0, &color));
    EXPECT_EQ(0x00F8FCF8u, color);
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.grandchild->setPixel(40, 0, 0));
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.grandchild->setPixel(-1, 0, 0));
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.grandchild->getPixel(0, 30, &color));
    EXPECT_EQ(1u, nest.root->getChildCount());
}

TEST(Panel, ChildrenMustFitAndMayMoveBetweenParents)
{
    Nest nest;
    Panel other(nest.root, tagRECT{0, 0, 240, 320}); // right edge equal to the width fits
    EXPECT_EQ(2u, nest.root->getChildCount());
    Panel loose;
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.root->addChild(&loose, tagRECT{0, 0, 241, 10}));
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.root->addChild(&loose, tagRECT{-1, 0, 10, 10}));
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.root->addChild(&loose, tagRECT{20, 0, 10, 10}));
    EXPECT_EQ(nullptr, loose.getBackSurface(nullptr));
    EXPECT_EQ(ResultCode::NullParameter, nest.root->addChild(nullptr, tagRECT{0, 0, 1, 1}));

    // Re-parenting moves one from the old parent's count to the new one's.
    ASSERT_EQ(ResultCode::Ok, other.addChild(nest.grandchild, tagRECT{1, 2, 3, 4}));
    EXPECT_EQ(0u, nest.child->getChildCount());
    EXPECT_EQ(1u, other.getChildCount());
    tagRECT absolute;
    nest.grandchild->getBackSurface(&absolute);
    EXPECT_TRUE(sameRect(tagRECT{1, 2, 3, 4}, absolute));

    // A panel cannot go under itself or its own descendant: that would loop forever.
    EXPECT_EQ(ResultCode::PanelCannotMove, nest.grandchild->addChild(&other, tagRECT{0, 0, 1, 1}));
    EXPECT_EQ(ResultCode::PanelCannotMove, other.addChild(&other, tagRECT{0, 0, 1, 1}));
    EXPECT_EQ(1u, other.getChildCount());

    // A child whose area does not fit is left unattached with an empty area.
    Panel misplaced(nest.child, tagRECT{0, 0, 101, 1});
    EXPECT_EQ(0, misplaced.getArea().right);
    EXPECT_EQ(nullptr, misplaced.getBackSurface(nullptr));
}

TEST(Panel, SetAreaPositionAndMoveStayInsideTheParent)
{
    Nest nest;
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->setPosition(tagPOINT{2, 3}));
    EXPECT_TRUE(sameRect(tagRECT{2, 3, 42, 33}, nest.grandchild->getArea()));
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.grandchild->move(tagPOINT{-5, 0}));
    EXPECT_TRUE(sameRect(tagRECT{2, 3, 42, 33}, nest.grandchild->getArea()));
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->move(tagPOINT{58, 67}));
    EXPECT_TRUE(sameRect(tagRECT{60, 70, 100, 100}, nest.grandchild->getArea()));
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.grandchild->move(tagPOINT{1, 0}));
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.grandchild->setArea(tagRECT{10, 10, 5, 20}));
    // A root panel is bound by its surface; a bare panel cannot move at all.
    EXPECT_EQ(ResultCode::Ok, nest.root->setArea(tagRECT{0, 0, 240, 320}));
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.root->setArea(tagRECT{0, 0, 240, 321}));
    Panel bare;
    EXPECT_EQ(ResultCode::PanelCannotMove, bare.setPosition(tagPOINT{0, 0}));
    EXPECT_EQ(ResultCode::InvalidSurface, bare.setPixel(0, 0, 0));
    EXPECT_EQ(ResultCode::InvalidSurface, bare.fillRect(0, nullptr, 255));
}

TEST(Panel, BltFastClipsToThePanel)
{
    Nest nest;
    Owned<Surface> sprite;
    makeSprite(sprite);
    // At (-8, -8) the lower-right quarter lands at the panel's top-left corner.
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->bltFast(-8, -8, &sprite, nullptr, nullptr));
    EXPECT_EQ(at(sprite, 8, 8), at(nest.back, 15, 25));
    EXPECT_EQ(at(sprite, 15, 15), at(nest.back, 22, 32));
    EXPECT_EQ(0, at(nest.back, 14, 25));
    EXPECT_EQ(0, at(nest.back, 15, 24));
    EXPECT_EQ(0, at(nest.back, 23, 25));

    // Reaching past the right and bottom edges: cut there.
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->bltFast(30, 20, &sprite, nullptr, nullptr));
    EXPECT_EQ(at(sprite, 9, 9), at(nest.back, 54, 54));
    EXPECT_EQ(0, at(nest.back, 55, 54));
    EXPECT_EQ(0, at(nest.back, 54, 55));

    const auto before = snapshot(nest.back);
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.grandchild->bltFast(41, 0, &sprite, nullptr, nullptr));
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.grandchild->bltFast(0, -17, &sprite, nullptr, nullptr));
    EXPECT_EQ(ResultCode::InvalidCoordinates,
              nest.grandchild->bltFast(1L << 62, 0, &sprite, nullptr, nullptr));
    // Touching an edge from outside draws nothing and is no error.
    EXPECT_EQ(ResultCode::Ok, nest.grandchild->bltFast(40, 0, &sprite, nullptr, nullptr));
    EXPECT_EQ(ResultCode::Ok, nest.grandchild->bltFast(-16, 0, &sprite, nullptr, nullptr));
    tagRECT outsideSprite{0, 0, 17, 1};
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.grandchild->bltFast(0, 0, &sprite, &outsideSprite, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, nest.grandchild->bltFast(0, 0, nullptr, nullptr, nullptr));
    EXPECT_EQ(before, snapshot(nest.back));
}

TEST(Panel, AlphaBltFastClipsBothRectanglesAlike)
{
    Nest nest;
    Owned<Surface> sprite;
    Owned<Surface> alpha;
    makeSprite(sprite);
    // Opaque on the right half only, 32 pixels wide so that the rectangle picks a part.
    make(alpha, 32, 16, 0);
    for (unsigned long y = 0; y < 16; ++y)
        for (unsigned long x = 24; x < 32; ++x)
            SurfacePixels::set(alpha, x, y, 0xFFFF);
    tagRECT alphaRect{16, 0, 32, 16};
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->alphaBltFast(-4, 0, &sprite, nullptr, &alpha, &alphaRect, nullptr));
    // Column 4 of the sprite is at the panel's left edge; its weight is 0.
    EXPECT_EQ(0, at(nest.back, 15, 25));
    EXPECT_EQ(PixelRules::blend(at(sprite, 8, 0), 0, 63), at(nest.back, 19, 25));

    tagRECT smaller{0, 0, 8, 8};
    EXPECT_EQ(ResultCode::InvalidCoordinates,
              nest.grandchild->alphaBltFast(0, 0, &sprite, nullptr, &alpha, &smaller, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, nest.grandchild->alphaBltFast(0, 0, &sprite, nullptr, nullptr, nullptr, nullptr));

    Owned<SurfaceRGBA> rgba;
    ASSERT_EQ(ResultCode::Ok, rgba.create(4, 4));
    SurfacePixels::make(rgba, 4, 4, 0xFFFF);
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->alphaBltFast(38, 0, &rgba, nullptr, nullptr));
    EXPECT_NE(0, at(nest.back, 54, 25));
    EXPECT_EQ(0, at(nest.back, 55, 25));
    EXPECT_EQ(ResultCode::NullParameter,
              nest.grandchild->alphaBltFast(0, 0, static_cast<SurfaceRGBA*>(nullptr), nullptr, nullptr));
    Panel bare;
    EXPECT_EQ(ResultCode::InvalidSurface, bare.alphaBltFast(0, 0, static_cast<SurfaceRGBA*>(nullptr), nullptr, nullptr));
}

TEST(Panel, FillRectShiftsAndClipsToThePanel)
{
    Nest nest;
    tagRECT r{30, 20, 60, 40}; // reaches past the grandchild's right and bottom
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->fillRect(0x00FFFFFF, &r, 255));
    EXPECT_EQ(0xFFFF, at(nest.back, 45, 45));
    EXPECT_EQ(0xFFFF, at(nest.back, 54, 54));
    EXPECT_EQ(0, at(nest.back, 55, 54));
    EXPECT_EQ(0, at(nest.back, 54, 55));
    EXPECT_EQ(0, at(nest.back, 44, 45));

    const auto before = snapshot(nest.back);
    // Inside the back surface's size but wholly beyond the panel: nothing drawn anywhere.
    tagRECT beyond{60, 0, 70, 10};
    EXPECT_EQ(ResultCode::Ok, nest.grandchild->fillRect(0x00FFFFFF, &beyond, 255));
    EXPECT_EQ(ResultCode::InvalidOpacity, nest.grandchild->fillRect(0x00FFFFFF, &beyond, 256));
    tagRECT tooLarge{0, 0, 241, 10};
    EXPECT_EQ(ResultCode::InvalidCoordinates, nest.grandchild->fillRect(0, &tooLarge, 255));
    EXPECT_EQ(ResultCode::InvalidOpacity, nest.grandchild->fillRect(0, nullptr, 300));
    EXPECT_EQ(before, snapshot(nest.back));

    // A null rectangle is the back surface's size: the whole panel.
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->fillRect(0x000000FF, nullptr, 255));
    EXPECT_EQ(0xF800, at(nest.back, 15, 25));
    EXPECT_EQ(0xF800, at(nest.back, 54, 54));
    EXPECT_EQ(0, at(nest.back, 14, 25));
    EXPECT_EQ(0, at(nest.back, 55, 54));
}

TEST(Panel, DrawRectOutlinesAlongThePanelBorderNeverPastIt)
{
    Nest nest;
    tagRECT r{2, 2, 6, 5};
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->drawRect(0x00FFFFFF, &r, 255));
    EXPECT_EQ(0xFFFF, at(nest.back, 17, 27));
    EXPECT_EQ(0xFFFF, at(nest.back, 20, 29));
    EXPECT_EQ(0, at(nest.back, 18, 28));
    EXPECT_EQ(0, at(nest.back, 21, 27));

    // Reaching beyond the panel: the outline runs along its last column and row.
    tagRECT wide{30, 20, 200, 300};
    ASSERT_EQ(ResultCode::Ok, nest.grandchild->drawRect(0x000000FF, &wide, 255));
    EXPECT_EQ(0xF800, at(nest.back, 54, 50));
    EXPECT_EQ(0xF800, at(nest.back, 50, 54));
    EXPECT_EQ(0xF800, at(nest.back, 45, 50));
    EXPECT_EQ(0, at(nest.back, 50, 50));
    EXPECT_EQ(0, at(nest.back, 55, 50));
    EXPECT_EQ(0, at(nest.back, 50, 55));

    // A panel at the surface's right edge: nothing lands outside the surface's rows.
    Panel edge(nest.root, tagRECT{200, 300, 240, 320});
    ASSERT_EQ(ResultCode::Ok, edge.drawRect(0x0000FF00, nullptr, 255));
    EXPECT_EQ(0x07E0, at(nest.back, 239, 319));
    EXPECT_EQ(0x07E0, at(nest.back, 200, 300));
    EXPECT_EQ(0, at(nest.back, 0, 0));

    const auto before = snapshot(nest.back);
    tagRECT beyond{60, 0, 70, 10};
    EXPECT_EQ(ResultCode::Ok, nest.grandchild->drawRect(0x00FFFFFF, &beyond, 255));
    EXPECT_EQ(ResultCode::InvalidOpacity, nest.grandchild->drawRect(0, &r, 256));
    EXPECT_EQ(ResultCode::Ok, nest.grandchild->drawRect(0, &r, 0));
    EXPECT_EQ(before, snapshot(nest.back));

    Owned<Surface> emptySurface;
    Panel overEmpty(&emptySurface);
    EXPECT_EQ(ResultCode::InvalidSurface, overEmpty.drawRect(0, nullptr, 255));
}
