// The real Vorlequin run headless under input scripts, checked from its shots. A shot
// before tick N shows the frame tick N-1 drew; play draws the snake before it moves, so
// a frame shows where the previous frame's steps left it.

#include "Snake.h"

#include "Parvolin.h"
#include "support/FrameBufferFile.h"
#include "support/InputEvents.h"
#include "support/PngFile.h"
#include "support/ProgramRun.h"
#include "support/SurfacePixels.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Pixel {
    int x;
    int y;
};

// The white pixels inside the field's border: the snake (the apple holds no white).
std::vector<Pixel> snakePixels(const GlassImage& glass)
{
    std::vector<Pixel> pixels;
    if (glass.width != 240 || glass.height != 320)
        return pixels;
    for (uint32_t y = 21; y < 319; ++y)
        for (uint32_t x = 1; x < 239; ++x)
            if (glass.at(x, y) == 0xFFFFFF)
                pixels.push_back({static_cast<int>(x), static_cast<int>(y)});
    return pixels;
}

struct Bounds {
    int left = 240, top = 320, right = -1, bottom = -1;
};

// The smallest rectangle (edges included) that holds the pixels.
Bounds boundsOf(const std::vector<Pixel>& pixels)
{
    Bounds bounds;
    for (const Pixel& p : pixels) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.right = std::max(bounds.right, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    return bounds;
}

class VorlequinProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* path = std::getenv("VORLEQUIN_PROGRAM");
        if (!path || access(path, X_OK) != 0)
            GTEST_SKIP() << "Vorlequin is not built (VORLEQUIN_PROGRAM names it)";
        program = path;
        ASSERT_EQ(0, menuPicture.create(VORLEQUIN_ASSET_FOLDER L"/vorlequin-menu.png"));
    }

    // Runs the program under `script`, whose shots are written to the test's folder.
    ProgramOutcome run(std::string script)
    {
        for (size_t at = 0; (at = script.find(" shot ", at)) != std::string::npos;) {
            script.insert(at + 6, folder.hostPath() + "/");
            at += 6;
        }
        folder.write(L"script.txt", script);
        return runProgram(program,
                          {{"PARVOLIN_SCRIPT", folder.hostPath("script.txt")},
                           {"PARVOLIN_VIDEO", "headless"},
                           {"PARVOLIN_DEVICE", "pocketpc2003"}},
                          folder);
    }

    std::string shot(const std::string& name) { return folder.hostPath(name); }

    GlassImage glass(const std::string& name)
    {
        GlassImage image;
        EXPECT_TRUE(readPng(shot(name), image)) << name;
        if (image.width != 240 || image.height != 320) {
            ADD_FAILURE() << name << " is " << image.width << " x " << image.height;
            image = GlassImage{};
        }
        return image;
    }

    // Whether the glass shows the menu picture: each channel as the picture's 5 or 6 bits
    // widened by the glass.
    bool showsMenu(const std::string& name)
    {
        GlassImage image = glass(name);
        if (image.pixels.empty())
            return false;
        for (uint32_t y = 0; y < 320; ++y)
            for (uint32_t x = 0; x < 240; ++x) {
                unsigned long colour = 0;
                menuPicture.getPixel(x, y, &colour);
                const uint32_t expected = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
                const uint32_t shown = image.at(x, y);
                for (int shift = 0; shift < 24; shift += 8) {
                    const int difference = int((shown >> shift) & 0xFF) - int((expected >> shift) & 0xFF);
                    if (difference < 0 || difference > 7)
                        return false;
                }
            }
        return true;
    }

    // The play field: its border and the close box, not the menu.
    bool showsField(const GlassImage& image)
    {
        return !image.pixels.empty() && image.at(0, 100) == 0xFFFFFF && image.at(120, 20) == 0xFFFFFF &&
               image.at(225, 2) == 0xFF0000 && image.at(120, 100) != 0xFFFFFF;
    }

    std::string program;
    Owned<Surface> menuPicture;
    TempFolder folder;
};

TEST_F(VorlequinProgram, TheMenuIgnoresReleasesBesideTheRowsAndItsExitEndsTheProgram)
{
    ProgramOutcome outcome = run("1 shot menu.png\n"
                                 "2 down 60 50\n2 up 60 50\n"
                                 "3 down 191 50\n3 up 191 50\n"
                                 "4 down 125 101\n4 up 125 101\n"
                                 "6 shot still.png\n"
                                 "7 down 125 140\n7 up 125 140\n"
                                 "9 shot never.png\n"
                                 "30 close\n");
    EXPECT_EQ(0, outcome.status) << outcome.errors;
    EXPECT_TRUE(showsMenu("menu.png"));
    EXPECT_TRUE(showsMenu("still.png"));
    EXPECT_NE(0, access(shot("never.png").c_str(), F_OK)) << "the exit ended the program at once";
}

TEST_F(VorlequinProgram, ChaseWithTheStylusFarAwayMovesRightThenTheCloseBoxReturnsToTheMenu)
{
    ProgramOutcome outcome = run("2 down 125 90\n2 up 125 90\n"  // chase
                                 "3 shot waiting.png\n"
                                 "4 down 10 300\n"
                                 "6 shot moved.png\n"
                                 "7 up 230 10\n"
                                 "9 shot menu.png\n"
                                 "10 close\n");
    EXPECT_EQ(0, outcome.status) << outcome.errors;

    GlassImage waiting = glass("waiting.png");
    EXPECT_TRUE(showsField(waiting));
    std::vector<Pixel> still = snakePixels(waiting);
    ASSERT_EQ(1u, still.size());
    EXPECT_EQ(120, still[0].x);
    EXPECT_EQ(160, still[0].y);

    std::vector<Pixel> moved = snakePixels(glass("moved.png"));
    ASSERT_EQ(4u, moved.size()) << "four white snake pixels";
    for (size_t i = 0; i < moved.size(); ++i) {
        EXPECT_EQ(120 + static_cast<int>(i), moved[i].x);
        EXPECT_EQ(160, moved[i].y);
    }
    EXPECT_TRUE(showsMenu("menu.png"));
}

TEST_F(VorlequinProgram, FleeTurnsAwayFromTheStylusNearTheHead)
{
    ProgramOutcome outcome = run("2 down 125 50\n2 up 125 50\n"  // flee
                                 "4 down 135 172\n"               // below and ahead of the head
                                 "12 shot flee.png\n"
                                 "13 close\n");
    EXPECT_EQ(0, outcome.status) << outcome.errors;
    std::vector<Pixel> snake = snakePixels(glass("flee.png"));
    ASSERT_GT(snake.size(), 10u);
    Bounds bounds = boundsOf(snake);
    EXPECT_LE(bounds.bottom, 160) << "never towards the stylus";
    EXPECT_LT(bounds.top, 155) << "bent upwards, away from it";
}

TEST_F(VorlequinProgram, WheelSteersByTheStylusColumnEvenFarFromTheHead)
{
    ProgramOutcome outcome = run("2 down 80 70\n2 up 80 70\n"  // wheel
                                 "4 down 230 300\n"             // right of the middle, far away
                                 "12 shot wheel.png\n"
                                 "13 close\n");
    EXPECT_EQ(0, outcome.status) << outcome.errors;
    std::vector<Pixel> snake = snakePixels(glass("wheel.png"));
    ASSERT_GT(snake.size(), 10u);
    EXPECT_GT(boundsOf(snake).bottom, 165) << "bent clockwise, downwards";
}

TEST_F(VorlequinProgram, WheelWithTheStylusLiftedCirclesDiesAndReturnsToTheMenu)
{
    ProgramOutcome outcome = run("2 down 80 70\n2 up 80 70\n"
                                 "4 down 120 200\n4 up 120 200\n"  // started, then lifted
                                 "24 shot circling.png\n"
                                 "50 shot menu.png\n"
                                 "51 close\n");
    EXPECT_EQ(0, outcome.status) << outcome.errors;
    GlassImage circling = glass("circling.png");
    EXPECT_TRUE(showsField(circling));
    std::vector<Pixel> snake = snakePixels(circling);
    ASSERT_GT(snake.size(), 40u);
    Bounds bounds = boundsOf(snake);
    EXPECT_LE(bounds.right - bounds.left, 34) << "a tight circle";
    EXPECT_LE(bounds.bottom - bounds.top, 34);
    EXPECT_GT(bounds.right - bounds.left, 20) << "more than half a lap";
    EXPECT_LT(bounds.top, 140) << "anticlockwise: up from the start";
    EXPECT_TRUE(showsMenu("menu.png")) << "died on its own body";
}

struct FrameBufferCase {
    FrameBufferFile file;
    int scale, left, top;
};

class VorlequinOnTheFrameBuffer : public ::testing::TestWithParam<FrameBufferCase> {};

// A game played under the frame-buffer host leaves in the frame buffer what the headless
// host's glass shows after the same input, scaled, centred and black around.
TEST_P(VorlequinOnTheFrameBuffer, ShowsTheHeadlessGlassScaledAndPlaced)
{
    const char* path = std::getenv("VORLEQUIN_PROGRAM");
    if (!path || access(path, X_OK) != 0)
        GTEST_SKIP() << "Vorlequin is not built (VORLEQUIN_PROGRAM names it)";
    const FrameBufferCase& c = GetParam();
    TempFolder folder;
    std::string difference;
    EXPECT_TRUE(frameBufferMatchesHeadless(path, "2 down 80 70\n2 up 80 70\n4 down 150 300\n", 20, c.file, c.scale,
                                           true, c.left, c.top, folder, difference,
                                           {{"PARVOLIN_DEVICE", "pocketpc2003"}}))
        << difference;
}

INSTANTIATE_TEST_SUITE_P(Modes, VorlequinOnTheFrameBuffer,
                         ::testing::Values(FrameBufferCase{{501, 661, 16, 1024}, 2, 10, 10},
                                           FrameBufferCase{{520, 700, 32, 2100}, 2, 20, 30}));

// A game played on a touch screen, a FIFO fed while the game runs in real time, watched on
// the frame buffer (640 x 480, the glass at (200, 80)): WHEEL on the menu, a touch that
// sets the snake off, a release on the close box, EXIT. The recording says where the
// touches reached the glass.
TEST_F(VorlequinProgram, IsPlayedThroughATouchScreenOnTheFrameBuffer)
{
    std::string touch = folder.hostPath("touch"), frameBuffer = folder.hostPath("fb.raw");
    std::string recording = folder.hostPath("recording.txt");
    ASSERT_EQ(0, mkfifo(touch.c_str(), 0600));
    int writer = open(touch.c_str(), O_RDWR);  // there before the game reads
    ASSERT_GE(writer, 0);
    FrameBufferFile screen = {640, 480, 32, 2560};
    ASSERT_TRUE(screen.create(frameBuffer, 0));
    RunningProgram game({program},
                        {{"PARVOLIN_VIDEO", "fbdev"},
                         {"PARVOLIN_FBDEV", frameBuffer},
                         {"PARVOLIN_FBDEV_MODE", screen.mode()},
                         {"PARVOLIN_EVDEV", touch},
                         {"PARVOLIN_EVDEV_KIND", touch + ":touch"},
                         {"PARVOLIN_RECORD", recording},
                         {"PARVOLIN_DEVICE", "pocketpc2003"}},
                        folder);
    ASSERT_TRUE(game.started());
    // The glass as the frame buffer shows it now, also as "now.png" for showsMenu.
    auto shown = [&]() {
        GlassImage whole, glassNow;
        std::string problem;
        if (!screen.read(frameBuffer, 0, whole, problem))
            return glassNow;
        glassNow.width = 240;
        glassNow.height = 320;
        for (uint32_t y = 0; y < 320; ++y)
            for (uint32_t x = 0; x < 240; ++x)
                glassNow.pixels.push_back(whole.at(200 + x, 80 + y));
        Glass::writePng(glassNow, shot("now.png"));
        return glassNow;
    };
    auto waitFor = [&](auto seen) {
        for (int tries = 0; tries < 1000 && !game.ended(); ++tries) {
            if (seen(shown()))
                return true;
            usleep(20000);
        }
        return false;
    };
    auto send = [&](const std::string& events) {
        return write(writer, events.data(), events.size()) == ssize_t(events.size());
    };
    auto menu = [&](const GlassImage&) { return showsMenu("now.png"); };

    ASSERT_TRUE(waitFor(menu));
    ASSERT_TRUE(send(touchDown(280, 150) + touchUp()));  // WHEEL
    ASSERT_TRUE(waitFor([&](const GlassImage& glassNow) { return showsField(glassNow); }));
    ASSERT_TRUE(send(touchDown(330, 380)));  // a little right of the middle: a gentle right turn
    ASSERT_TRUE(waitFor([&](const GlassImage& glassNow) { return snakePixels(glassNow).size() > 20; }));
    ASSERT_TRUE(send(touchMove(430, 90) + touchUp()));  // released on the close box
    ASSERT_TRUE(waitFor(menu));
    ASSERT_TRUE(send(touchDown(325, 220) + touchUp()));  // EXIT
    ProgramOutcome outcome = game.finish(30);
    close(writer);
    EXPECT_EQ(0, outcome.status) << outcome.errors;
    std::string recorded = readTextFile(recording);
    for (const char* line : {" down 80 70\n", " up 80 70\n", " down 130 300\n", " move 230 10\n", " up 230 10\n",
                             " down 125 140\n", " up 125 140\n"})
        EXPECT_NE(std::string::npos, recorded.find(line)) << line << recorded;
}

} // namespace
