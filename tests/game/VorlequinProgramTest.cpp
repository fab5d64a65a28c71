// The real Vorlequin run headless under input scripts, checked from its shots. A shot
// before tick N shows the frame tick N-1 drew; play draws the snake before it moves, so
// a frame shows where the previous frame's steps left it.

#include "Lettering.h"
#include "PlayHandler.h"
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
#include <fstream>
#include <iterator>
#include <map>
#include <cstdlib>
#include <filesystem>
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

// Whether a glass pixel shows `colour` (COLORREF, 0x00BBGGRR) as the glass widens it.
bool shows(uint32_t pixel, unsigned long colour)
{
    const int red = int(colour & 0xFF), green = int((colour >> 8) & 0xFF), blue = int((colour >> 16) & 0xFF);
    return std::abs(int((pixel >> 16) & 0xFF) - red) <= 8 && std::abs(int((pixel >> 8) & 0xFF) - green) <= 8 &&
           std::abs(int(pixel & 0xFF) - blue) <= 8;
}

int count(const GlassImage& glass, unsigned long colour, uint32_t top = 0, uint32_t bottom = 320)
{
    int found = 0;
    for (uint32_t y = top; y < bottom && y < glass.height; ++y)
        for (uint32_t x = 0; x < glass.width; ++x)
            found += shows(glass.at(x, y), colour);
    return found;
}

class VorlequinProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* path = std::getenv("VORLEQUIN_PROGRAM");
        if (!path || access(path, X_OK) != 0)
            GTEST_SKIP() << "Vorlequin is not built (VORLEQUIN_PROGRAM names it)";
        // A copy of its own with its pictures, so that the best score it keeps beside
        // itself is this test's.
        const std::string built = path;
        const std::string folderOfBuilt = built.substr(0, built.rfind('/') + 1);
        program = folder.hostPath("Vorlequin");
        for (const char* name : {"Vorlequin", "vorlequin-menu.png", "apple.gif"})
            ASSERT_TRUE(std::filesystem::copy_file(folderOfBuilt + name, folder.hostPath(name))) << name;
        ASSERT_EQ(0, menuPicture.create(VORLEQUIN_ASSET_FOLDER L"/vorlequin-menu.png"));
    }

    // Runs the program under `script`, whose shots are written to the test's folder.
    ProgramOutcome run(std::string script, const char* device = "pocketpc2003",
                       std::map<std::string, std::string> variables = {})
    {
        for (size_t at = 0; (at = script.find(" shot ", at)) != std::string::npos;) {
            script.insert(at + 6, folder.hostPath() + "/");
            at += 6;
        }
        folder.write(L"script.txt", script);
        variables["PARVOLIN_SCRIPT"] = folder.hostPath("script.txt");
        variables["PARVOLIN_VIDEO"] = "headless";
        variables["PARVOLIN_DEVICE"] = device;
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
    // widened by the glass. The band between the rows and the exit box, where the scores
    // are written once there are some, is left out.
    bool showsMenu(const std::string& name)
    {
        GlassImage image = glass(name);
        if (image.pixels.empty())
            return false;
        for (uint32_t y = 0; y < 320; ++y)
            for (uint32_t x = 0; x < 240; ++x)
                if ((y < scoresBandTop || y >= scoresBandBottom) && !showsPicturePixel(image, x, y))
                    return false;
        return true;
    }

    bool showsPicturePixel(const GlassImage& image, uint32_t x, uint32_t y, uint32_t originX = 0,
                           uint32_t originY = 0)
    {
        unsigned long colour = 0;
        menuPicture.getPixel(x, y, &colour);
        const uint32_t expected = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
        const uint32_t shown = image.at(x + originX, y + originY);
        for (int shift = 0; shift < 24; shift += 8) {
            const int difference = int((shown >> shift) & 0xFF) - int((expected >> shift) & 0xFF);
            if (difference < 0 || difference > 7)
                return false;
        }
        return true;
    }

    // How many pixels of the scores' band differ from the picture: none before any score.
    int scoresWritten(const std::string& name)
    {
        GlassImage image = glass(name);
        int written = 0;
        for (uint32_t y = scoresBandTop; !image.pixels.empty() && y < scoresBandBottom; ++y)
            for (uint32_t x = 0; x < 240; ++x)
                written += !showsPicturePixel(image, x, y);
        return written;
    }

    // The smallest rectangle holding every pixel that differs from the menu picture.
    Bounds changedFromMenu(const std::string& name)
    {
        GlassImage image = glass(name);
        std::vector<Pixel> changed;
        for (uint32_t y = 0; !image.pixels.empty() && y < 320; ++y)
            for (uint32_t x = 0; x < 240; ++x)
                if (!showsPicturePixel(image, x, y))
                    changed.push_back({static_cast<int>(x), static_cast<int>(y)});
        return boundsOf(changed);
    }

    // The scores' band as shown.
    std::vector<uint32_t> scoresBand(const std::string& name)
    {
        GlassImage image = glass(name);
        if (image.pixels.empty())
            return {};
        return std::vector<uint32_t>(image.pixels.begin() + scoresBandTop * 240,
                                     image.pixels.begin() + scoresBandBottom * 240);
    }

    static constexpr uint32_t scoresBandTop = 104, scoresBandBottom = 128;

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
    EXPECT_EQ(0, scoresWritten("menu.png")) << "no game yet, no best kept";
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
    // The menu comes back after the second of the game-over picture.
    ProgramOutcome outcome = run("2 down 80 70\n2 up 80 70\n"
                                 "4 down 120 200\n4 up 120 200\n"  // started, then lifted
                                 "24 shot circling.png\n"
                                 "90 shot menu.png\n"
                                 "91 close\n");
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

// Chase with the stylus far away: the snake eats the apple ahead (100 points), meets
// the right border on frame tick 43, and the game-over picture shows from tick 44 for 32
// frames (the snake in its own colour, the words and the score); then the menu says the
// last and best score, and the best outlives the run in the program's folder.
TEST_F(VorlequinProgram, DeathShowsGameOverForASecondThenTheScoresWhoseBestIsKept)
{
    const std::string chase = "2 down 125 90\n2 up 125 90\n4 down 10 300\n";
    ProgramOutcome outcome = run(chase + "44 shot alive.png\n50 shot over.png\n76 shot last-over.png\n"
                                         "77 shot menu-after.png\n78 close\n");
    EXPECT_EQ(0, outcome.status) << outcome.errors;
    EXPECT_EQ(0, count(glass("alive.png"), PlayHandler::deadSnakeColour)) << "tick 43 still drew it white";
    for (const char* name : {"over.png", "last-over.png"}) {
        GlassImage over = glass(name);
        EXPECT_TRUE(showsField(over)) << name;
        EXPECT_GT(count(over, PlayHandler::deadSnakeColour), 100) << name << ": the snake in another colour";
        EXPECT_TRUE(snakePixels(over).empty()) << name << ": nothing white inside the field";
        EXPECT_GT(count(over, Lettering::accent, 60, 240), 200) << name << ": GAME OVER in large letters";
    }
    EXPECT_TRUE(showsMenu("menu-after.png"));
    EXPECT_GT(scoresWritten("menu-after.png"), 50);
    EXPECT_EQ("100\n", readTextFile(folder.hostPath("vorlequin-best.txt")));

    // The next run starts with the best only.
    ASSERT_EQ(0, run("1 shot best.png\n2 close\n").status);
    EXPECT_GT(scoresWritten("best.png"), 20);
    EXPECT_NE(scoresBand("best.png"), scoresBand("menu-after.png"));

    // A best that cannot be written is kept for the run, without a word.
    std::filesystem::remove(folder.hostPath("vorlequin-best.txt"));
    std::filesystem::create_directory(folder.hostPath("vorlequin-best.txt"));
    ProgramOutcome unwritable = run(chase + "77 shot menu-unwritable.png\n78 close\n");
    EXPECT_EQ(0, unwritable.status);
    EXPECT_EQ("", unwritable.errors);
    EXPECT_EQ(scoresBand("menu-after.png"), scoresBand("menu-unwritable.png"));
}

// The area under a pressed stylus lights up, and follows it; a release away from every
// area does nothing.
TEST_F(VorlequinProgram, TheAreaUnderThePressedStylusLightsUp)
{
    ProgramOutcome outcome = run("2 down 125 50\n4 shot flee.png\n"
                                 "4 move 125 140\n6 shot exit.png\n"
                                 "6 move 20 20\n8 shot nowhere.png\n"
                                 "8 up 20 20\n10 shot released.png\n11 close\n");
    EXPECT_EQ(0, outcome.status) << outcome.errors;
    struct Lit {
        const char* shot;
        Bounds box;  // edges included
    };
    for (const Lit& lit : {Lit{"flee.png", {71, 41, 190, 59}}, Lit{"exit.png", {100, 130, 150, 150}}}) {
        Bounds changed = changedFromMenu(lit.shot);
        EXPECT_EQ(lit.box.left, changed.left) << lit.shot;
        EXPECT_EQ(lit.box.top, changed.top) << lit.shot;
        EXPECT_EQ(lit.box.right, changed.right) << lit.shot;
        EXPECT_EQ(lit.box.bottom, changed.bottom) << lit.shot;
    }
    EXPECT_TRUE(showsMenu("nowhere.png"));
    EXPECT_TRUE(showsMenu("released.png"));
}

// A screen smaller than the field ends the program with a message; a larger one that is
// not shown at half resolution has the field in its middle, and the stylus finds it there.
TEST_F(VorlequinProgram, ASmallerScreenIsRefusedALargerOneCentresTheField)
{
    ProgramOutcome small = run("0 shot never.png\n5 close\n", "smartphone2003");
    EXPECT_NE(0, small.status);
    EXPECT_NE(std::string::npos,
              small.errors.find("Vorlequin: Vorlequin needs a screen of at least 240 x 320 pixels; this one has "
                                "176 x 220."))
        << small.errors;

    // The WHEEL row at (200, 150) of the 480 x 480 screen is (80, 70) of the picture.
    ProgramOutcome square = run("1 shot menu.png\n2 down 200 150\n2 up 200 150\n4 shot field.png\n5 close\n",
                                "pocketpc2005-square");
    EXPECT_EQ(0, square.status) << square.errors;
    GlassImage menu, field;
    ASSERT_TRUE(readPng(shot("menu.png"), menu));
    ASSERT_TRUE(readPng(shot("field.png"), field));
    ASSERT_EQ(480u, menu.width);
    ASSERT_EQ(480u, menu.height);
    int pictureShown = 0;
    for (uint32_t y = 0; y < 320; ++y)
        for (uint32_t x = 0; x < 240; ++x)
            pictureShown += showsPicturePixel(menu, x, y, 120, 80);
    EXPECT_EQ(240 * 320, pictureShown) << "the picture at (120, 80)";
    EXPECT_EQ(0u, menu.at(119, 240));
    EXPECT_EQ(0u, menu.at(360, 240));
    EXPECT_EQ(0xFFFFFFu, field.at(120, 80 + 100)) << "the field's left border";
    EXPECT_EQ(0xFFFFFFu, field.at(120 + 239, 80 + 319)) << "its bottom right corner";
    EXPECT_EQ(0xFF0000u, field.at(120 + 225, 80 + 2)) << "the close box";
    EXPECT_EQ(0u, field.at(100, 100));
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

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Chase with the stylus far away: the snake crawls right along row 160, through the first
// apple (203, 166), into the border.
const char* const biteAndEnd = "2 down 125 90\n2 up 125 90\n"
                               "4 down 10 300\n"
                               "70 close\n";

TEST_F(VorlequinProgram, ItsRecordingHoldsTheTapTheBiteAndTheEnd)
{
    ProgramOutcome outcome = run(biteAndEnd,
                                 "pocketpc2003", {{"PARVOLIN_AUDIO_OUT", folder.hostPath("game.wav")}});
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

// The same game on the frame buffer, in real time: the recording holds its three sounds,
// and SDL's audio device (its "disk" driver, which writes what it plays to a file) played
// them too; a build without SDL2 has a silent speaker.
TEST_F(VorlequinProgram, IsHeardOnTheFrameBuffer)
{
    const std::string frameBuffer = folder.hostPath("fb.raw"), noInput = folder.hostPath("no-input");
    const std::string speaker = folder.hostPath("speaker.raw");
    FrameBufferFile screen = {320, 400, 16, 640};
    ASSERT_TRUE(screen.create(frameBuffer, 0));
    folder.write(L"no-input", "");
    folder.write(L"script.txt", biteAndEnd);
    ProgramOutcome outcome = runProgram(program,
                                        {{"PARVOLIN_VIDEO", "fbdev"},
                                         {"PARVOLIN_FBDEV", frameBuffer},
                                         {"PARVOLIN_FBDEV_MODE", screen.mode()},
                                         {"PARVOLIN_EVDEV", noInput},
                                         {"PARVOLIN_EVDEV_KIND", noInput + ":keys"},
                                         {"PARVOLIN_SCRIPT", folder.hostPath("script.txt")},
                                         {"PARVOLIN_DEVICE", "pocketpc2003"},
                                         {"PARVOLIN_AUDIO_OUT", folder.hostPath("game.wav")},
                                         {"SDL_AUDIODRIVER", "disk"},
                                         {"SDL_DISKAUDIOFILE", speaker}},
                                        folder);
    ASSERT_EQ(0, outcome.status) << outcome.errors;
    EXPECT_EQ(3u, bursts(fileBytes(folder.hostPath("game.wav"))).size()) << "the tap, the bite, the end";
    const std::string played = fileBytes(speaker);
#if PARVOLIN_TEST_WINDOW_HOST
    // SDL's pace is not the device's: a sound may be cut where SDL ran dry, or let go
    // where it fell behind, but the game was heard.
    EXPECT_GE(bursts(std::string(44, '\0') + played).size(), 1u) << played.size() << " bytes played";
#else
    EXPECT_EQ("", played);
#endif
}

} // namespace
