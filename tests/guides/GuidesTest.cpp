// The guides' programs, run as the guides run them: each script of a guide (listed by the
// build in the manifest) plays its program headless from a fresh working folder, and every
// shot it takes must be the picture the guide shows, pixel for pixel.
//
// PARVOLIN_GUIDE_PICTURES_UPDATE=1 writes the shots over docs/pictures/ instead (after a
// change that is meant to change what a guide shows; see CONTRIBUTING.md).

#include "support/PngFile.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct GuideRun {
    std::string id;       // guide_N: the guide's Nth script
    std::string program;  // the listing's name
    std::string script;   // the script file written by the build
    std::map<std::string, std::string> variables;
};

// A run is named by its program in the tests' messages.
void PrintTo(const GuideRun& run, std::ostream* out) { *out << run.program << " under " << run.script; }

std::vector<GuideRun> readManifest()
{
    std::vector<GuideRun> runs;
    std::ifstream manifest(PARVOLIN_GUIDE_MANIFEST);
    for (std::string line; std::getline(manifest, line);) {
        std::istringstream fields(line);
        GuideRun run;
        std::getline(fields, run.id, '\t');
        std::getline(fields, run.program, '\t');
        std::getline(fields, run.script, '\t');
        for (std::string word; std::getline(fields, word, '\t');)
            run.variables[word.substr(0, word.find('='))] = word.substr(word.find('=') + 1);
        for (char& c : run.id)
            c = c == '-' ? '_' : c;
        if (!run.program.empty())
            runs.push_back(run);
    }
    return runs;
}

// The names the script's shots are written to, in its order.
std::vector<std::string> shotsOf(const std::string& script)
{
    std::vector<std::string> shots;
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string frame, command, file;
        if (words >> frame >> command && command == "shot" && std::getline(words >> std::ws, file))
            shots.push_back(file);
    }
    return shots;
}

bool copyFile(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
    return in && out.good();
}

class GuideProgram : public ::testing::TestWithParam<GuideRun> {};

TEST_P(GuideProgram, RunsAndShowsTheGuidesPictures)
{
    const GuideRun& run = GetParam();
    const std::string program = std::string(PARVOLIN_GUIDE_PROGRAMS) + "/" + run.program;
    ASSERT_EQ(0, access(program.c_str(), X_OK)) << program << " is not built";
    const std::string script = readTextFile(run.script);
    ASSERT_FALSE(script.empty()) << run.script;

    // A script's shots are written relative to the working folder, as a person running
    // the program from a shell would find them.
    TempFolder folder;
    char* previous = getcwd(nullptr, 0);
    ASSERT_EQ(0, chdir(folder.hostPath().c_str()));
    std::map<std::string, std::string> variables = run.variables;
    variables.emplace("PARVOLIN_VIDEO", "headless");
    variables.emplace("PARVOLIN_DEVICE", "pocketpc2003");
    variables.emplace("PARVOLIN_SCRIPT", run.script);
    ProgramOutcome outcome = runProgram(program, variables, folder);
    EXPECT_EQ(0, chdir(previous));
    std::free(previous);
    ASSERT_EQ(0, outcome.status) << outcome.errors;

    const bool update = std::getenv("PARVOLIN_GUIDE_PICTURES_UPDATE") != nullptr;
    for (const std::string& shot : shotsOf(script)) {
        const std::string made = folder.hostPath(shot);
        const std::string shown = std::string(PARVOLIN_GUIDE_PICTURES) + "/" + shot;
        if (update) {
            EXPECT_TRUE(copyFile(made, shown)) << shot;
            continue;
        }
        GlassImage actual, expected;
        ASSERT_TRUE(readPng(made, actual)) << shot << " was not taken";
        ASSERT_TRUE(readPng(shown, expected)) << "docs/pictures/" << shot << " is missing";
        ASSERT_EQ(expected.width, actual.width) << shot;
        ASSERT_EQ(expected.height, actual.height) << shot;
        size_t different = 0;
        for (size_t i = 0; i < actual.pixels.size(); ++i)
            different += actual.pixels[i] != expected.pixels[i];
        EXPECT_EQ(0u, different) << shot << ": pixels unlike the guide's picture";
    }
}

INSTANTIATE_TEST_SUITE_P(Guides, GuideProgram, ::testing::ValuesIn(readManifest()),
                         [](const ::testing::TestParamInfo<GuideRun>& info) { return info.param.id; });

} // namespace
