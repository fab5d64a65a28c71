// The menu's release areas: the three mode rows, the exit box and the dead space around.

#include "MenuHandler.h"
#include "PlayHandler.h"

#include <gtest/gtest.h>

namespace {

TEST(Menu, ReleasesPickTheModeRowOrExitOrNothing)
{
    struct Release {
        tagPOINT point;
        long answer;
        int32_t mode;  // the play's mode afterwards; 0: left as it was
    };
    const Release releases[] = {
        {{125, 140}, MenuHandler::quitGame, 0},  // the exit box
        {{100, 130}, MenuHandler::quitGame, 0},
        {{150, 150}, MenuHandler::quitGame, 0},
        {{125, 50}, MenuHandler::startGame, 3},  // flee
        {{71, 40}, MenuHandler::startGame, 3},
        {{190, 60}, MenuHandler::startGame, 3},
        {{80, 70}, MenuHandler::startGame, 2},   // wheel
        {{80, 61}, MenuHandler::startGame, 2},
        {{80, 79}, MenuHandler::startGame, 2},
        {{80, 80}, MenuHandler::startGame, 1},   // chase
        {{190, 100}, MenuHandler::startGame, 1},
        {{60, 50}, 0, 0},                        // left of the rows
        {{70, 50}, 0, 0},
        {{191, 50}, 0, 0},
        {{125, 39}, 0, 0},
        {{125, 101}, 0, 0},
        {{99, 140}, 0, 0},
        {{125, 151}, 0, 0},
        {{-5, 70}, 0, 0},
    };
    PlayHandler play;
    MenuHandler menu;
    menu.setPlay(&play);
    for (const Release& release : releases) {
        play.setControlMode(0);
        EXPECT_EQ(release.answer, menu.onStylusUp(release.point))
            << "(" << release.point.x << ", " << release.point.y << ")";
        EXPECT_EQ(release.mode, play.getControlMode())
            << "(" << release.point.x << ", " << release.point.y << ")";
    }
    EXPECT_EQ(0, menu.onStylusDown({125, 50})) << "only a release picks";
}

TEST(Menu, WithoutAGameToSetARowStillStartsOne)
{
    MenuHandler menu;
    EXPECT_EQ(MenuHandler::startGame, menu.onStylusUp({125, 50}));
}

} // namespace
