// The committed pictures: the apple can be crawled over without dying, and the menu's
// boxes stand exactly on the areas the menu answers to.

#include "Snake.h"

#include "Parvolin.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

namespace {

unsigned long pixel(Surface& surface, unsigned long x, unsigned long y)
{
    unsigned long colour = 0;
    EXPECT_EQ(0, surface.getPixel(x, y, &colour)) << x << ", " << y;
    return colour;
}

TEST(Assets, TheAppleHoldsNoWhiteAndLiesOnBlackAroundItsCentre)
{
    Owned<Surface> apple;
    ASSERT_EQ(0, apple.create(VORLEQUIN_ASSET_FOLDER L"/apple.gif"));
    ASSERT_EQ(21u, apple.getWidth());
    ASSERT_EQ(21u, apple.getHeight());
    for (unsigned long y = 0; y < 21; ++y)
        for (unsigned long x = 0; x < 21; ++x)
            ASSERT_NE(Snake::deadlyColour, pixel(apple, x, y)) << x << ", " << y;
    EXPECT_NE(0u, pixel(apple, 10, 10)) << "the centre is apple";
    EXPECT_EQ(0u, pixel(apple, 0, 0)) << "the corners are the field's black";
    EXPECT_EQ(0u, pixel(apple, 20, 20));
}

TEST(Assets, TheMenuBoxesStandOnTheirReleaseAreas)
{
    Owned<Surface> menu;
    ASSERT_EQ(0, menu.create(VORLEQUIN_ASSET_FOLDER L"/vorlequin-menu.png"));
    ASSERT_EQ(240u, menu.getWidth());
    ASSERT_EQ(320u, menu.getHeight());
    const unsigned long background = pixel(menu, 2, 2);
    // Each box's left and right edges lie on the first and last column that answers; the
    // column outside is background. Rows: flee 40-60, wheel 61-79, chase 80-100; exit
    // 130-150 for x 100-150.
    struct Area {
        unsigned long left, right, middleY;
    };
    for (const Area& area : {Area{71, 190, 50}, Area{71, 190, 70}, Area{71, 190, 90}, Area{100, 150, 140}}) {
        EXPECT_NE(background, pixel(menu, area.left, area.middleY)) << area.middleY;
        EXPECT_NE(background, pixel(menu, area.right, area.middleY)) << area.middleY;
        EXPECT_EQ(background, pixel(menu, area.left - 1, area.middleY)) << area.middleY;
        EXPECT_EQ(background, pixel(menu, area.right + 1, area.middleY)) << area.middleY;
    }
}

} // namespace
