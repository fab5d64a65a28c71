// The real Vorlequin run headless under input scripts, checked from its shots. A shot
// before tick N shows the frame tick N-1 drew; play draws the snake before it moves, so
// a frame shows where the previous frame's steps left it.

#include "Snake.h"

#include "Parvolin.h"
#include "support/PngFile.h"
#include "support/ProgramRun.h"
#include "support/SurfacePixels.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
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
    ProgramOutcome run(std::string script, std::map<std::string, std::string> variables = {})
    {
        for (size_t at = 0; (at = script.find(" shot ", at)) != std::string::npos;) {
            script.insert(at + 6, folder.hostPath() + "/");
            at += 6;
        }
        folder.write(L"script.txt", script);
        variables["PARVOLIN_SCRIPT"] = folder.hostPath("script.txt");
        variables["PARVOLIN_VIDEO"] = "headless";
        variables["PARVOLIN_DEVICE"] = "pocketpc2003";
        return runProgram(program, variables, folder);
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

// The stretches of sound in a recording (16-bit stereo at 44,100 Hz, after its 44-byte
// header): where the left side rises above a whisper, gaps under 20 ms bridged.
struct Burst {
    size_t start;
    size_t end;
};

std::vector<Burst> bursts(const std::string& wave)
{
    std::vector<Burst> found;
    const size_t frames = wave.size() < 44 ? 0 : (wave.size() - 44) / 4;
    for (size_t frame = 0; frame < frames; ++frame) {
        const int16_t left = static_cast<int16_t>(static_cast<unsigned char>(wave[44 + 4 * frame]) |
                                                  static_cast<unsigned char>(wave[45 + 4 * frame]) << 8);
        if (std::abs(left) < 200)
            continue;
        if (!found.empty() && frame - found.back().end < 882)
            found.back().end = frame;
        else
            found.push_back({frame, frame});
    }
    return found;
}

TEST_F(VorlequinProgram, ItsRecordingHoldsTheTapTheBiteAndTheEnd)
{
    // Chase with the stylus far away: the snake crawls right along row 160, through the
    // first apple (203, 166), into the border.
    ProgramOutcome outcome = run("2 down 125 90\n2 up 125 90\n"
                                 "4 down 10 300\n"
                                 "70 close\n",
                                 {{"PARVOLIN_AUDIO_OUT", folder.hostPath("game.wav")}});
    ASSERT_EQ(0, outcome.status) << outcome.errors;
    std::ifstream in(folder.hostPath("game.wav"), std::ios::binary);
    const std::string wave((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(wave.size(), 44u);
    // The whole run, 70 frames of 31.25 ms at least, is in the file.
    EXPECT_GE((wave.size() - 44) / 4, 70u * 1378);
    const std::vector<Burst> heard = bursts(wave);
    ASSERT_EQ(3u, heard.size()) << "the tap, the bite, the end";
    // Their lengths are the sounds': 30, 90 and 500 ms, the quiet ends of their decay aside.
    EXPECT_LE(heard[0].end - heard[0].start, 1323u);
    EXPECT_GT(heard[1].end - heard[1].start, 1323u);
    EXPECT_LE(heard[1].end - heard[1].start, 3969u);
    EXPECT_GT(heard[2].end - heard[2].start, 3969u);
    EXPECT_LE(heard[2].end - heard[2].start, 22050u);
    // The bite came about 25 frames after the tap, the end about 15 after the bite.
    EXPECT_GE(heard[1].start - heard[0].start, 20u * 1378);
    EXPECT_GE(heard[2].start - heard[1].start, 10u * 1378);
    EXPECT_LE(heard[2].start - heard[1].start, 60u * 1378);
}

} // namespace
