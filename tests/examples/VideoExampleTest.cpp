// The subtitled video example, run headless (and under the SDL host without a desktop):
// what its shots show of the picture, the band and the subtitle lines.

#include "ExampleRunner.h"
#include "support/PngFile.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Where the example puts things on the 240 x 320 glass: the 176 x 144 picture from row 60,
// centred, and the band of 24 rows below it.
constexpr uint32_t left = 32, right = 208, pictureTop = 60, bandTop = 204, bandBottom = 228;

class SubtitledVideoExample : public ExampleTest {
protected:
    SubtitledVideoExample() : ExampleTest("subtitled_video") {}

    std::string shotAt(int tick) { return folder.hostPath("tick-" + std::to_string(tick) + ".png"); }

    // Shots at the ticks given, then the close command.
    std::string shotScript(const std::vector<int>& ticks, int closeTick)
    {
        std::string script;
        for (int tick : ticks)
            script += std::to_string(tick) + " shot " + shotAt(tick) + "\n";
        return script + std::to_string(closeTick) + " close\n";
    }
};

int countInRows(const GlassImage& glass, uint32_t first, uint32_t last, uint32_t colour)
{
    int count = 0;
    for (uint32_t y = first; y <= last; ++y)
        for (uint32_t x = left; x < right; ++x)
            count += glass.at(x, y) == colour;
    return count;
}

bool samePicture(const GlassImage& a, const GlassImage& b)
{
    for (uint32_t y = pictureTop; y < bandTop; ++y)
        for (uint32_t x = left; x < right; ++x)
            if (a.at(x, y) != b.at(x, y))
                return false;
    return true;
}

} // namespace

TEST_F(SubtitledVideoExample, PlaysThePictureWithItsSubtitlesOnTheBand)
{
    // About one second in the first subtitle (one line) is due, at three seconds the
    // second (two lines).
    ProgramOutcome outcome = run(shotScript({40, 41, 80}, 81));
    ASSERT_EQ(0, outcome.status) << outcome.errors;
    GlassImage one, next, two;
    ASSERT_TRUE(readPng(shotAt(40), one));
    ASSERT_TRUE(readPng(shotAt(41), next));
    ASSERT_TRUE(readPng(shotAt(80), two));
    ASSERT_EQ(240u, one.width);
    ASSERT_EQ(320u, one.height);

    // The band is blue where no letter is; the bordered letters are white on black.
    EXPECT_EQ(0x0000FFu, one.at(left + 1, bandTop + 1));
    EXPECT_EQ(0x0000FFu, one.at(right - 2, bandBottom - 1));
    // One line: rows H - 10 to H - 4 of the 228-row frame, nothing on the line above.
    EXPECT_GT(countInRows(one, bandBottom - 10, bandBottom - 4, 0xFFFFFF), 40);
    EXPECT_EQ(0, countInRows(one, bandBottom - 20, bandBottom - 14, 0xFFFFFF));
    // Two lines, the first font height + 3 rows above the second.
    EXPECT_GT(countInRows(two, bandBottom - 10, bandBottom - 4, 0xFFFFFF), 40);
    EXPECT_GT(countInRows(two, bandBottom - 20, bandBottom - 14, 0xFFFFFF), 40);

    // The red box of the clip is in the picture, and the picture moves from frame to frame.
    int red = 0;
    for (uint32_t y = pictureTop; y < bandTop; ++y)
        for (uint32_t x = left; x < right; ++x) {
            const uint32_t p = one.at(x, y);
            red += (p >> 16) > 0xC0 && ((p >> 8) & 0xFF) < 0x40 && (p & 0xFF) < 0x40;
        }
    EXPECT_GT(red, 28 * 28);
    EXPECT_FALSE(samePicture(one, next));
    // Nothing is drawn outside the picture and the band but the title.
    EXPECT_EQ(one.at(10, 250), one.at(230, 310));
}

TEST_F(SubtitledVideoExample, ATapPausesAndTheStartKeyEnds)
{
    ProgramOutcome outcome = run("30 down 100 100\n30 up 100 100\n" + shotScript({35, 45}, 46));
    ASSERT_EQ(0, outcome.status) << outcome.errors;
    GlassImage before, after;
    ASSERT_TRUE(readPng(shotAt(35), before));
    ASSERT_TRUE(readPng(shotAt(45), after));
    EXPECT_TRUE(samePicture(before, after)) << "paused, the picture stays";

    // The Start key (Enter) ends the program long before the frame limit would.
    ProgramOutcome ended = run("10 keydown start\n", {{"PARVOLIN_FRAMES", "2000"}});
    EXPECT_EQ(0, ended.status) << ended.errors;
}

TEST_F(SubtitledVideoExample, TheWindowShowsWhatTheHeadlessHostShows)
{
    // The SDL host without a desktop: SDL's offscreen driver stands in for the window. SDL
    // and its drivers keep memory to the end of the process, so a sanitizer build is not
    // asked to look for leaks in this run (the headless runs are).
    if (!PARVOLIN_TEST_WINDOW_HOST)
        GTEST_SKIP() << "this build has no window host";
    ProgramOutcome headless = run(shotScript({40}, 41));
    ASSERT_EQ(0, headless.status) << headless.errors;
    GlassImage expected;
    ASSERT_TRUE(readPng(shotAt(40), expected));
    ProgramOutcome windowed = run(shotScript({40}, 41), {{"PARVOLIN_VIDEO", "sdl"}, {"SDL_VIDEODRIVER", "offscreen"}, {"ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1"}});
    ASSERT_EQ(0, windowed.status) << windowed.errors;
    GlassImage shown;
    ASSERT_TRUE(readPng(shotAt(40), shown));
    EXPECT_TRUE(expected.pixels == shown.pixels);
}

// The vector kernels show the very pixels the plain loops show (PARVOLIN_SIMD=off): the
// picture's conversion, the subtitles' blits and the flip, on a plain frame buffer, a
// rotated one and an RGB555 one.
TEST_F(SubtitledVideoExample, ThePlainLoopsShowTheSamePixels)
{
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps the iPAQ's fixed frame-buffer address for itself.
    const bool rotatedDeviceRuns = false;
#else
    const bool rotatedDeviceRuns = true;
#endif
    for (const std::string device : {"pocketpc2003", "ipaq-h3800", "pocketpc2003-rgb555"}) {
        if (device == "ipaq-h3800" && !rotatedDeviceRuns)
            continue;
        GlassImage shown[2];
        for (int plain = 0; plain < 2; ++plain) {
            std::map<std::string, std::string> variables = {{"PARVOLIN_DEVICE", device}};
            if (plain)
                variables.emplace("PARVOLIN_SIMD", "off");
            ProgramOutcome outcome = run(shotScript({40}, 41), variables);
            ASSERT_EQ(0, outcome.status) << device << ": " << outcome.errors;
            ASSERT_TRUE(readPng(shotAt(40), shown[plain])) << device;
        }
        EXPECT_FALSE(shown[0].pixels.empty()) << device;
        EXPECT_TRUE(shown[0].pixels == shown[1].pixels) << device;
    }
}
