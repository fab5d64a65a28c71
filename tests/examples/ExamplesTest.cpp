// The examples are run as programs, headless, under input scripts, as a person would run
// them with PARVOLIN_SCRIPT; what they show is read back from their shots.

#include "ExampleRunner.h"
#include "support/PngFile.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

class StylusDrawingExample : public ExampleTest {
protected:
    StylusDrawingExample() : ExampleTest("stylus_drawing") {}
};

TEST_F(StylusDrawingExample, DrawsWhereTheStylusWentInThePickedColour)
{
    std::string shot = folder.hostPath("drawing.png");
    ProgramOutcome outcome = run("2 down 20 60\n3 move 120 60\n4 up 120 60\n"
                          "6 down 30 10\n6 up 30 10\n"  // the red swatch
                          "7 down 20 200\n8 move 220 200\n9 up 220 200\n"
                          "11 shot " + shot + "\n12 close\n");
    EXPECT_EQ(0, outcome.status) << outcome.errors;
    GlassImage glass;
    ASSERT_TRUE(readPng(shot, glass));
    ASSERT_EQ(240u, glass.width);
    ASSERT_EQ(320u, glass.height);
    EXPECT_EQ(0xFFFFFFu, glass.at(12, 12)) << "the white swatch";
    EXPECT_EQ(0xFF0000u, glass.at(36, 12)) << "the red swatch";
    EXPECT_EQ(0xFFFFFFu, glass.at(70, 60)) << "the first stroke, in white";
    EXPECT_EQ(0xFF0000u, glass.at(120, 200)) << "the second stroke, in red";
    uint32_t pad = glass.at(100, 150);
    EXPECT_NE(0xFFFFFFu, pad);
    EXPECT_EQ(pad, glass.at(200, 300)) << "the untouched pad";
}

TEST_F(StylusDrawingExample, BadScriptIsRefusedWithItsLineBeforeTheGameStarts)
{
    std::string shot = folder.hostPath("never.png");
    ProgramOutcome outcome = run("0 shot " + shot + "\n1 tap 3 4\n");
    EXPECT_EQ(2, outcome.status);
    EXPECT_NE(std::string::npos, outcome.errors.find("line 2: unknown command \"tap\"")) << outcome.errors;
    EXPECT_NE(0, access(shot.c_str(), F_OK)) << "nothing ran";

    ProgramOutcome unreadable = run("", {{"PARVOLIN_SCRIPT", folder.hostPath("missing.txt")}});
    EXPECT_EQ(2, unreadable.status);
    EXPECT_NE(std::string::npos, unreadable.errors.find("missing.txt")) << unreadable.errors;
}

TEST_F(StylusDrawingExample, FrameLimitClosesTheGame)
{
    ProgramOutcome outcome = run("", {{"PARVOLIN_FRAMES", "5"}});
    EXPECT_EQ(0, outcome.status) << outcome.errors;
    EXPECT_EQ(2, run("", {{"PARVOLIN_FRAMES", "five"}}).status);
}

// Headless, the device runs in device time unless real time is asked for: a thousand
// ticks (31 s on the device) pass in a moment, while real time takes its time.
TEST_F(StylusDrawingExample, RunsInDeviceTimeUnlessRealTimeIsAsked)
{
    auto seconds = [&](std::map<std::string, std::string> variables) {
        const auto start = std::chrono::steady_clock::now();
        ProgramOutcome outcome = run("", variables);
        EXPECT_EQ(0, outcome.status) << outcome.errors;
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const double deviceTime = seconds({{"PARVOLIN_FRAMES", "1000"}});
    EXPECT_LT(deviceTime, 3.1) << "a tenth of the time the run shows, on the busiest machine";
    std::printf("1000 ticks in device time: %.3f s\n", deviceTime);
    EXPECT_GE(seconds({{"PARVOLIN_FRAMES", "16"}, {"PARVOLIN_CLOCK", "real"}}), 15 / 32.0);
    EXPECT_LT(seconds({{"PARVOLIN_FRAMES", "1000"}, {"PARVOLIN_CLOCK", "device"}}), 3.1);

    ProgramOutcome wrong = run("", {{"PARVOLIN_CLOCK", "fast"}});
    EXPECT_EQ(2, wrong.status);
    EXPECT_NE(std::string::npos, wrong.errors.find("PARVOLIN_CLOCK \"fast\"")) << wrong.errors;
}

// A recorded session replays exactly: the same frames, shot for shot.
TEST_F(StylusDrawingExample, RecordingReplaysFrameForFrame)
{
    const int frames = 14;
    std::string session = "1 down 10 100\n2 move 50 120\n3 move 90 90\n4 up 90 90\n"
                          "5 down 60 10\n5 up 60 10\n"     // green
                          "6 down 100 150\n7 move 200 250\n7 up 200 250\n"
                          "8 deactivate\n10 activate\n"
                          "11 down 5 30\n11 up 5 30\n11 dblclk 5 30\n12 up 5 30\n";  // a double-tap clears
    std::string recording = folder.hostPath("recording.txt");
    std::string shots;
    for (int frame = 0; frame < frames; ++frame)
        shots += std::to_string(frame) + " shot " + folder.hostPath("live-" + std::to_string(frame) + ".png") + "\n";
    // Shots and input merged in frame order.
    auto merge = [](const std::string& a, const std::string& b) {
        std::multimap<unsigned long, std::string> lines;
        for (const std::string* text : {&a, &b}) {
            std::istringstream in(*text);
            std::string line;
            while (std::getline(in, line))
                if (!line.empty() && line[0] != '#')
                    lines.emplace(std::stoul(line), line);
        }
        std::string merged;
        for (const auto& line : lines)
            merged += line.second + "\n";
        return merged;
    };
    ProgramOutcome live = run(merge(session, shots),
                       {{"PARVOLIN_RECORD", recording}, {"PARVOLIN_FRAMES", std::to_string(frames)}});
    ASSERT_EQ(0, live.status) << live.errors;
    std::string recorded = readTextFile(recording);
    EXPECT_NE(std::string::npos, recorded.find(std::to_string(frames) + " close")) << recorded;

    std::string replayShots;
    for (int frame = 0; frame < frames; ++frame)
        replayShots +=
            std::to_string(frame) + " shot " + folder.hostPath("replay-" + std::to_string(frame) + ".png") + "\n";
    ProgramOutcome replay = run(merge(recorded, replayShots));
    ASSERT_EQ(0, replay.status) << replay.errors;

    int differentFromPrevious = 0;
    GlassImage previous;
    for (int frame = 0; frame < frames; ++frame) {
        GlassImage a, b;
        ASSERT_TRUE(readPng(folder.hostPath("live-" + std::to_string(frame) + ".png"), a)) << frame;
        ASSERT_TRUE(readPng(folder.hostPath("replay-" + std::to_string(frame) + ".png"), b)) << frame;
        EXPECT_TRUE(a.pixels == b.pixels) << "frame " << frame;
        differentFromPrevious += frame > 0 && a.pixels != previous.pixels;
        previous = a;
    }
    EXPECT_GE(differentFromPrevious, 5) << "the session changed what was shown";
}

} // namespace
