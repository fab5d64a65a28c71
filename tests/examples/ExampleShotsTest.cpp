// Every example played headless under the script beside it (examples/<folder>/<name>.script)
// shows, at its `shot`, the very pixels of the screenshot committed beside it: the
// screenshots in the README are what the programs draw. To remake one after changing an
// example, run the script from the example's folder:
//   cd examples/<folder> && PARVOLIN_VIDEO=headless PARVOLIN_SCRIPT=<name>.script ../../build/examples/<name>

#include "ExampleRunner.h"
#include "support/PngFile.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string>

namespace {

struct ExampleShot {
    const char* folder;
    const char* name;
    // The script plays sounds panned all the way left only: the recording must hold them
    // on the left and nothing on the right.
    bool soundOnTheLeft;
};

void PrintTo(const ExampleShot& example, std::ostream* out) { *out << example.folder << "/" << example.name; }

class ExampleShows : public ::testing::TestWithParam<ExampleShot> {};

// The script with its shot written into `folder` instead of the working folder.
std::string withShotIn(const std::string& script, const TempFolder& folder, std::string& shot)
{
    std::istringstream lines(script);
    std::string out;
    for (std::string line; std::getline(lines, line);) {
        const size_t at = line.find(" shot ");
        if (at != std::string::npos && line[0] != '#') {
            shot = folder.hostPath(line.substr(at + 6));
            line = line.substr(0, at + 6) + shot;
        }
        out += line + "\n";
    }
    return out;
}

// The peak of each side of a recording of 16-bit stereo after its 44-byte header.
void peaks(const std::string& wave, long& left, long& right)
{
    left = right = 0;
    auto sample = [&](size_t at) {
        const int value = static_cast<uint8_t>(wave[at]) | static_cast<uint8_t>(wave[at + 1]) << 8;
        return std::labs(static_cast<int16_t>(value));
    };
    for (size_t at = 44; at + 4 <= wave.size(); at += 4) {
        left = std::max(left, sample(at));
        right = std::max(right, sample(at + 2));
    }
}

TEST_P(ExampleShows, TheScreenshotBesideIt)
{
    const ExampleShot& example = GetParam();
    const std::string program = examplePath(example.name);
    if (program.empty() || access(program.c_str(), X_OK) != 0)
        GTEST_SKIP() << "the example is not built";
    const std::string source = std::string(PARVOLIN_EXAMPLE_SOURCES) + "/" + example.folder + "/" + example.name;
    const std::string script = readTextFile(source + ".script");
    ASSERT_FALSE(script.empty()) << source << ".script";

    TempFolder folder;
    std::string shot;
    folder.write(L"script.txt", withShotIn(script, folder, shot));
    ASSERT_FALSE(shot.empty()) << "the script takes no shot";
    std::map<std::string, std::string> variables = {{"PARVOLIN_VIDEO", "headless"},
                                                    {"PARVOLIN_DEVICE", "pocketpc2003"},
                                                    {"PARVOLIN_SCRIPT", folder.hostPath("script.txt")}};
    if (example.soundOnTheLeft)
        variables.emplace("PARVOLIN_AUDIO_OUT", folder.hostPath("sound.wav"));
    const ProgramOutcome outcome = runProgram(program, variables, folder);
    ASSERT_EQ(0, outcome.status) << outcome.errors;

    GlassImage shown, committed;
    ASSERT_TRUE(readPng(shot, shown));
    ASSERT_TRUE(readPng(source + ".png", committed)) << source << ".png";
    ASSERT_EQ(committed.width, shown.width);
    ASSERT_EQ(committed.height, shown.height);
    size_t differing = 0, first = 0;
    for (size_t i = 0; i < shown.pixels.size(); ++i)
        if (shown.pixels[i] != committed.pixels[i] && !differing++)
            first = i;
    EXPECT_EQ(0u, differing) << "the first at (" << first % shown.width << ", " << first / shown.width << ")";

    if (example.soundOnTheLeft) {
        long left = 0, right = 0;
        peaks(readTextFile(folder.hostPath("sound.wav")), left, right);
        EXPECT_GT(left, 4000) << "the sounds were heard";
        EXPECT_EQ(0, right) << "panned all the way left";
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleShows,
                         ::testing::Values(ExampleShot{"app", "stylus_drawing", false},
                                           ExampleShot{"app", "input", false},
                                           ExampleShot{"graphics", "sprites_and_alpha", false},
                                           ExampleShot{"graphics", "shaders", false},
                                           ExampleShot{"text", "fonts_and_text", false},
                                           ExampleShot{"text", "panels", false},
                                           ExampleShot{"text", "animation", false},
                                           ExampleShot{"files", "zip_archive", false},
                                           ExampleShot{"audio", "sound", true},
                                           ExampleShot{"video", "subtitled_video", false}),
                         [](const ::testing::TestParamInfo<ExampleShot>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
