// The snake's step arithmetic: the Bresenham walk along the heading, the error term a turn
// sets, the side pixels, growth, and death on white read back from the frame.

#include "Snake.h"

#include "Parvolin.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr unsigned long white = 0xFFFFFF;
constexpr float quarterPi = 0.7853982f;  // cos and sin both truncate to 70: ax = ay

struct Position {
    int32_t x;
    int32_t y;
    bool operator==(const Position& other) const { return x == other.x && y == other.y; }
};

std::ostream& operator<<(std::ostream& out, const Position& p) { return out << "(" << p.x << ", " << p.y << ")"; }

class SnakeSteps : public ::testing::Test {
protected:
    void SetUp() override { SurfacePixels::make(field, 240, 320, 0); }

    Position head() const { return {snake.getHead()->x, snake.getHead()->y}; }

    std::vector<Position> walk(int steps)
    {
        std::vector<Position> heads;
        for (int i = 0; i < steps; ++i) {
            EXPECT_TRUE(snake.step(&field)) << "step " << i;
            heads.push_back(head());
        }
        return heads;
    }

    // Whether one step from (120, 160) along `heading` survives a frame with a single
    // pixel of `colour` at (x, y).
    bool survivesOneStep(float heading, int32_t x, int32_t y, unsigned long colour = white)
    {
        SurfacePixels::make(field, 240, 320, 0);
        field.setPixel(static_cast<unsigned long>(x), static_cast<unsigned long>(y), colour);
        snake.reset(120, 160, heading);
        return snake.step(&field);
    }

    Owned<Surface> field;
    Snake snake;
};

TEST_F(SnakeSteps, ResetLeavesOnePixelThatGrowsForAHundredStepsThenDragsItsTail)
{
    snake.reset(120, 160, 0.0f);
    ASSERT_NE(nullptr, snake.getHead());
    EXPECT_EQ((Position{120, 160}), head());
    EXPECT_EQ(1u, snake.getLength());
    EXPECT_EQ(100, snake.getGrowth());
    EXPECT_EQ(-50, snake.getError()) << "heading right: ay - ax / 2";

    walk(100);
    EXPECT_EQ(101u, snake.getLength());
    EXPECT_EQ(0, snake.getGrowth());
    walk(1);
    EXPECT_EQ(101u, snake.getLength()) << "no growth left: the tail goes";

    Owned<Surface> drawn;
    SurfacePixels::make(drawn, 240, 320, 0);
    snake.draw(&drawn);
    unsigned long colour = 0;
    drawn.getPixel(120, 160, &colour);
    EXPECT_EQ(0u, colour) << "the old tail is gone";
    drawn.getPixel(121, 160, &colour);
    EXPECT_EQ(Snake::deadlyColour, colour);
    drawn.getPixel(221, 160, &colour);
    EXPECT_EQ(Snake::deadlyColour, colour) << "the head";

    snake.reset(10, 20, 0.0f);
    EXPECT_EQ(1u, snake.getLength()) << "a reset frees the old body";
    EXPECT_EQ((Position{10, 20}), head());
}

TEST_F(SnakeSteps, ATurnSetsTheErrorTermThatTheStepsThenCarry)
{
    // x is the major axis: cx 95, cy 29, error 29 - 47.
    snake.reset(120, 160, 0.0f);
    snake.turn(0.3f);
    EXPECT_EQ(0.3f, snake.getHeading());
    EXPECT_EQ(-18, snake.getError());
    EXPECT_EQ((std::vector<Position>{{121, 160}, {122, 161}, {123, 161}, {124, 161}, {125, 162}}), walk(5));
    EXPECT_EQ(-63, snake.getError());

    // y is the major axis, both ways negative: cx -41, cy -90, error 41 - 45.
    snake.reset(120, 160, -2.0f);
    EXPECT_EQ(-4, snake.getError()) << "a reset turns by 0 to set the error";
    EXPECT_EQ((std::vector<Position>{{120, 159}, {119, 158}, {119, 157}, {118, 156}}), walk(4));
    EXPECT_NE(-4, snake.getError());
    snake.turn(0.0f);
    EXPECT_EQ(-4, snake.getError()) << "a turn starts the error afresh";
}

TEST_F(SnakeSteps, SidePixelsLieAcrossTheMajorAxis)
{
    // Heading right: x is the major axis, the head goes to (121, 160), the sides are above
    // and below it.
    EXPECT_FALSE(survivesOneStep(0.0f, 121, 160)) << "white under the head";
    EXPECT_FALSE(survivesOneStep(0.0f, 121, 159));
    EXPECT_FALSE(survivesOneStep(0.0f, 121, 161));
    EXPECT_TRUE(survivesOneStep(0.0f, 120, 159));
    EXPECT_TRUE(survivesOneStep(0.0f, 122, 160)) << "not reached yet";

    // At ax = ay, y is the major axis: the head goes to (121, 161) and its sides are left
    // and right of it, not above and below.
    EXPECT_FALSE(survivesOneStep(quarterPi, 121, 161));
    EXPECT_FALSE(survivesOneStep(quarterPi, 120, 161));
    EXPECT_FALSE(survivesOneStep(quarterPi, 122, 161));
    EXPECT_TRUE(survivesOneStep(quarterPi, 121, 160));
    EXPECT_TRUE(survivesOneStep(quarterPi, 121, 162));
}

TEST_F(SnakeSteps, OnlyWhiteAsTheFrameReadsItBackKills)
{
    EXPECT_FALSE(survivesOneStep(0.0f, 121, 160, Snake::deadlyColour)) << "the same pixel as white";
    EXPECT_TRUE(survivesOneStep(0.0f, 121, 160, 0xF0F0F0)) << "light grey is not white";
    EXPECT_TRUE(survivesOneStep(0.0f, 121, 159, 0x0000FF)) << "colour beside the head neither kills nor feeds";
    EXPECT_EQ(99, snake.getGrowth());
}

TEST_F(SnakeSteps, AnythingNotBlackUnderTheHeadFeedsTenSteps)
{
    EXPECT_TRUE(survivesOneStep(0.0f, 121, 160, 0x0000FF));  // the red of the close box
    EXPECT_EQ(100 - 1 + 10, snake.getGrowth());
    EXPECT_EQ(2u, snake.getLength());
    EXPECT_TRUE(survivesOneStep(0.0f, 121, 160, 0xF0F0F0));
    EXPECT_EQ(109, snake.getGrowth());
    EXPECT_TRUE(survivesOneStep(0.0f, 121, 160, 0));
    EXPECT_EQ(99, snake.getGrowth());
    snake.grow(20);
    EXPECT_EQ(119, snake.getGrowth()) << "an apple";
}

TEST_F(SnakeSteps, OffTheSurfaceNeitherKillsNorEndsButTheBodyStaysBounded)
{
    // A screen too small for the border: the snake leaves it. What it reads there is
    // neither white nor black, so it lives and grows, but never past the longest snake.
    Owned<Surface> tiny;
    SurfacePixels::make(tiny, 4, 4, 0);
    snake.reset(3, 1, 0.0f);
    ASSERT_TRUE(snake.step(&tiny));
    EXPECT_EQ((Position{4, 1}), head());
    EXPECT_EQ(100 - 1 + 10, snake.getGrowth());

    snake.reset(0, 1, 3.1415927f);
    ASSERT_TRUE(snake.step(&tiny));
    EXPECT_EQ((Position{-1, 1}), head()) << "left of the surface";

    snake.reset(3, 1, 0.0f);
    for (uint32_t i = 0; i < Snake::maxLength + 1000; ++i)
        ASSERT_TRUE(snake.step(&tiny)) << i;
    EXPECT_EQ(Snake::maxLength, snake.getLength());
    EXPECT_LE(snake.getGrowth(), static_cast<int32_t>(Snake::maxLength));
    EXPECT_TRUE(snake.step(nullptr)) << "no surface at all reads like outside it";
}

} // namespace
