// The examples under the frame-buffer host, with plain files standing in for the frame
// buffer and the input event devices: what they show, and how they refuse.

#include "ExampleRunner.h"
#include "platform/base/HostText.h"
#include "support/FrameBufferFile.h"
#include "support/InputEvents.h"
#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <linux/input.h>
#include <unistd.h>

#include <string>

namespace {

struct ShownCase {
    const char* name;
    const char* program;
    FrameBufferFile file;
    int scale;
    bool scaleAsked;
    int left, top;  // where the glass's corner lies
};

class FbdevExampleShows : public ::testing::TestWithParam<ShownCase> {};

// The frame buffer shows what the headless host's glass shows after the same input, pixel
// for pixel, scaled and centred, black around it, the rows' padding untouched.
TEST_P(FbdevExampleShows, TheHeadlessGlassScaledAndPlaced)
{
    const ShownCase& c = GetParam();
    std::string program = examplePath(c.program);
    if (program.empty() || access(program.c_str(), X_OK) != 0)
        GTEST_SKIP() << "the example is not built";
    // Strokes in two colours; the video a second in, with its first subtitle.
    bool drawing = std::string(c.program) == "stylus_drawing";
    const char* script = drawing ? "2 down 20 60\n3 move 120 60\n4 up 120 60\n6 down 30 10\n6 up 30 10\n"
                                   "7 down 20 200\n8 move 220 300\n9 up 220 300\n"
                                 : "";
    TempFolder folder;
    std::string difference;
    EXPECT_TRUE(frameBufferMatchesHeadless(program, script, drawing ? 12 : 40, c.file, c.scale, c.scaleAsked, c.left,
                                           c.top, folder, difference))
        << difference;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FbdevExampleShows,
    ::testing::Values(ShownCase{"drawing16", "stylus_drawing", {501, 661, 16, 1024}, 2, true, 10, 10},
                      ShownCase{"drawing32", "stylus_drawing", {520, 700, 32, 2100}, 2, true, 20, 30},
                      ShownCase{"video24", "subtitled_video", {800, 400, 24, 2400}, 1, false, 280, 40},
                      ShownCase{"video16", "subtitled_video", {501, 661, 16, 1024}, 2, true, 10, 10}),
    [](const ::testing::TestParamInfo<ShownCase>& info) { return std::string(info.param.name); });

class StylusDrawingOnTheFrameBuffer : public ExampleTest {
protected:
    StylusDrawingOnTheFrameBuffer() : ExampleTest("stylus_drawing") {}

    // The program under the frame-buffer host on a 640 x 480 RGB565 file (the glass at
    // (200, 80), scale 1), with `variables` added.
    ProgramOutcome runShown(std::map<std::string, std::string> variables)
    {
        screen.create(folder.hostPath("fb.raw"), 0);
        variables.insert({{"PARVOLIN_VIDEO", "fbdev"},
                          {"PARVOLIN_FBDEV", folder.hostPath("fb.raw")},
                          {"PARVOLIN_FBDEV_MODE", screen.mode()}});
        return runProgram(program, variables, folder);
    }

    FrameBufferFile screen = {640, 480, 16, 1280};
};

// The keys of a keyboard and of a gamepad, and two touch screens, read in the order they
// are named, all before the first frame: the keyboard's right (with a repeat, which is no
// press) picks red, the first touch screen draws a red stroke, the pad clears it with A,
// then moves the colour right with its hat, left with its stick and right once with its
// D-pad and stick together: green, in which the second touch screen draws.
TEST_F(StylusDrawingOnTheFrameBuffer, KeysAndPadPickTheColourAndClearThePad)
{
    for (const char* name : {"keys", "touch-a", "pad", "touch-b"})
        folder.write(HostText::fromUtf8(name), "");
    appendBytes(folder.hostPath("keys"), keyEvent(KEY_RIGHT, 1) + keyEvent(KEY_RIGHT, 2) + keyEvent(KEY_RIGHT, 2) +
                                             keyEvent(KEY_RIGHT, 0));
    // Glass (20, 100) to (220, 100), and (20, 200) to (220, 200); the glass is at (200, 80).
    appendBytes(folder.hostPath("touch-a"), touchDown(220, 180) + touchMove(420, 180) + touchUp());
    appendBytes(folder.hostPath("pad"),
                keyEvent(BTN_SOUTH, 1) + keyEvent(BTN_SOUTH, 0) +
                    eventBytes({{EV_ABS, ABS_HAT0X, 1}, {EV_SYN, SYN_REPORT, 0}, {EV_ABS, ABS_HAT0X, 0},
                                {EV_SYN, SYN_REPORT, 0}, {EV_ABS, ABS_X, -32768}, {EV_SYN, SYN_REPORT, 0},
                                {EV_ABS, ABS_X, -100}, {EV_SYN, SYN_REPORT, 0}, {EV_KEY, BTN_DPAD_RIGHT, 1},
                                {EV_ABS, ABS_X, 32767}, {EV_SYN, SYN_REPORT, 0}, {EV_KEY, BTN_DPAD_RIGHT, 0},
                                {EV_ABS, ABS_X, 0}, {EV_SYN, SYN_REPORT, 0}}));
    appendBytes(folder.hostPath("touch-b"), touchDown(220, 280) + touchMove(420, 280) + touchUp());
    std::string files, kinds;
    for (const char* name : {"keys", "touch-a", "pad", "touch-b"}) {
        files += (files.empty() ? "" : ",") + folder.hostPath(name);
        kinds += (kinds.empty() ? "" : ",") + folder.hostPath(name) + ":" +
                 (name[0] == 'k' ? "keys" : name[0] == 'p' ? "pad" : "touch");
    }
    ProgramOutcome outcome =
        runShown({{"PARVOLIN_EVDEV", files}, {"PARVOLIN_EVDEV_KIND", kinds}, {"PARVOLIN_FRAMES", "3"}});
    ASSERT_EQ(0, outcome.status) << outcome.errors;
    GlassImage shown;
    std::string problem;
    ASSERT_TRUE(screen.read(folder.hostPath("fb.raw"), 0, shown, problem)) << problem;
    EXPECT_EQ(0x00FF00u, shown.at(200 + 120, 80 + 200)) << "the second stroke, green";
    EXPECT_EQ(shown.at(200 + 120, 80 + 150), shown.at(200 + 120, 80 + 100)) << "the first stroke cleared";
    EXPECT_NE(0xFF0000u, shown.at(200 + 120, 80 + 100));
}

// Asked for by name, a frame buffer that cannot serve ends the program with status 2 and
// a message naming the path or the value, before anything was changed or created.
TEST_F(StylusDrawingOnTheFrameBuffer, RefusesWithStatusTwoNamingTheCause)
{
    folder.write(L"plain", "text");
    struct {
        std::map<std::string, std::string> variables;
        std::string said;
    } cases[] = {
        {{{"PARVOLIN_FBDEV", folder.hostPath("missing")}}, folder.hostPath("missing") + " cannot be opened"},
        {{{"PARVOLIN_FBDEV", folder.hostPath("plain")}}, folder.hostPath("plain") + " is not a frame buffer"},
        {{{"PARVOLIN_FBDEV", folder.hostPath("plain")}, {"PARVOLIN_FBDEV_MODE", "640x480x16+1000"}},
         "PARVOLIN_FBDEV_MODE \"640x480x16+1000\""},
    };
    for (auto& c : cases) {
        c.variables.emplace("PARVOLIN_VIDEO", "fbdev");
        ProgramOutcome outcome = runProgram(program, c.variables, folder);
        EXPECT_EQ(2, outcome.status) << c.said;
        EXPECT_NE(std::string::npos, outcome.errors.find(c.said)) << outcome.errors;
        EXPECT_NE(0, access(folder.hostPath("missing").c_str(), F_OK));
        EXPECT_EQ("text", readTextFile(folder.hostPath("plain")));
    }
}

} // namespace
