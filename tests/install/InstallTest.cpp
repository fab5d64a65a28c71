// `cmake --install` into a fresh prefix, then the stylus drawing example built against
// what was installed, as a game outside this tree would be: once with the CMake package,
// once with pkg-config. Both are run headless; so is the installed Vorlequin.

#include "support/PngFile.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Installing and building take a while on a busy machine.
constexpr int buildSeconds = 300;

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path);
    out << text;
}

std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> result;
    for (std::string word; in >> word;)
        result.push_back(word);
    return result;
}

class Installed : public ::testing::Test {
protected:
    // One install for the whole suite.
    static void SetUpTestSuite()
    {
        folder = new TempFolder();
        prefix = folder->hostPath("prefix");
        install = runCommand({PARVOLIN_CMAKE, "--install", PARVOLIN_BUILD_DIR, "--prefix", prefix}, {}, *folder,
                             buildSeconds);
    }

    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }

    void SetUp() override { ASSERT_EQ(0, install.status) << install.output << install.errors; }

    // Draws a white stroke and shoots the glass; the shot's path.
    std::string drawStroke(const std::string& program, const std::string& name)
    {
        std::string shot = folder->hostPath(name + ".png");
        writeFile(folder->hostPath(name + ".txt"),
                  "2 down 20 60\n3 move 120 60\n4 up 120 60\n6 shot " + shot + "\n7 close\n");
        ProgramOutcome run = runProgram(
            program, {{"PARVOLIN_VIDEO", "headless"}, {"PARVOLIN_SCRIPT", folder->hostPath(name + ".txt")}}, *folder);
        EXPECT_EQ(0, run.status) << run.errors;
        return shot;
    }

    static TempFolder* folder;
    static std::string prefix;
    static ProgramOutcome install;
};

TempFolder* Installed::folder = nullptr;
std::string Installed::prefix;
ProgramOutcome Installed::install;

TEST_F(Installed, LibraryHeadersPackagePkgConfigAndTheGameLieUnderThePrefix)
{
    for (const char* file :
         {"lib/libParvolin.so", "lib/libParvolinMain.a", "include/Parvolin/Parvolin.h",
          "include/Parvolin/app/StateMachine.h", "include/Parvolin/platform/system/ResourceTable.h",
          "lib/cmake/Parvolin/ParvolinConfig.cmake", "lib/cmake/Parvolin/ParvolinConfigVersion.cmake",
          "lib/cmake/Parvolin/ParvolinTargets.cmake", "lib/cmake/Parvolin/ParvolinResources.cmake",
          "lib/pkgconfig/parvolin.pc", "lib/pkgconfig/parvolin-main.pc", "bin/Vorlequin",
          "bin/vorlequin-menu.png", "bin/apple.gif"})
        EXPECT_TRUE(exists(prefix + "/" + file)) << file;
}

// Only the public headers are installed: Parvolin.h and what it includes, and the table
// that embedded resources fill in; none of them includes anything but those and the
// standard library.
TEST_F(Installed, OnlyThePublicHeadersAreInstalled)
{
    const std::string include = prefix + "/include/";
    std::set<std::string> reached;
    std::vector<std::string> pending = {"Parvolin/Parvolin.h", "Parvolin/platform/system/ResourceTable.h"};
    const std::regex includeLine("#include <([^>]+)>");
    while (!pending.empty()) {
        std::string header = pending.back();
        pending.pop_back();
        if (!reached.insert(header).second)
            continue;
        std::string text = readTextFile(include + header);
        ASSERT_FALSE(text.empty()) << header << " is not installed";
        for (std::sregex_iterator it(text.begin(), text.end(), includeLine), end; it != end; ++it) {
            std::string included = (*it)[1];
            if (included.rfind("Parvolin/", 0) == 0)
                pending.push_back(included);
            else
                EXPECT_EQ(std::string::npos, included.find_first_of("./")) << header << " includes <" << included << ">";
        }
    }
    size_t installed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(include + "Parvolin")) {
        if (!entry.is_regular_file())
            continue;
        ++installed;
        std::string header = entry.path().string().substr(include.size());
        EXPECT_TRUE(reached.count(header)) << header << " is installed but no public header includes it";
    }
    EXPECT_EQ(reached.size(), installed);
}

TEST_F(Installed, AGameBuiltWithTheCMakePackageRunsWithItsResources)
{
    const std::string project = folder->hostPath("outside");
    ASSERT_TRUE(std::filesystem::create_directories(project));
    writeFile(project + "/note.txt", "embedded");
    writeFile(project + "/CMakeLists.txt",
              "cmake_minimum_required(VERSION 3.20)\n"
              "project(OutsideGame CXX)\n"
              "set(CMAKE_CXX_STANDARD 17)\n"
              "find_package(Parvolin 0.1 REQUIRED)\n"
              "add_executable(stylus_drawing " PARVOLIN_SOURCE_DIR "/examples/app/stylus_drawing.cpp)\n"
              "target_link_libraries(stylus_drawing PRIVATE Parvolin::Parvolin Parvolin::ParvolinMain)\n"
              "parvolin_add_resources(stylus_drawing 7 RCDATA note.txt)\n");
    const std::string flags = PARVOLIN_OUTSIDE_FLAGS;
    ProgramOutcome configure = runCommand(
        {PARVOLIN_CMAKE, "-S", project, "-B", project + "/build", "-G", PARVOLIN_CMAKE_GENERATOR,
         "-DCMAKE_PREFIX_PATH=" + prefix, "-DCMAKE_CXX_COMPILER=" PARVOLIN_CXX, "-DCMAKE_CXX_FLAGS=" + flags,
         "-DCMAKE_EXE_LINKER_FLAGS=" + flags},
        {}, *folder, buildSeconds);
    ASSERT_EQ(0, configure.status) << configure.output << configure.errors;
    ProgramOutcome build = runCommand({PARVOLIN_CMAKE, "--build", project + "/build"}, {}, *folder, buildSeconds);
    ASSERT_EQ(0, build.status) << build.output << build.errors;

    GlassImage glass;
    ASSERT_TRUE(readPng(drawStroke(project + "/build/stylus_drawing", "cmake-drawing"), glass));
    ASSERT_EQ(240u, glass.width);
    EXPECT_EQ(0xFFFFFFu, glass.at(70, 60)) << "the stroke";
    EXPECT_NE(0xFFFFFFu, glass.at(100, 150)) << "the pad";
}

TEST_F(Installed, AGameBuiltWithPkgConfigRuns)
{
    const std::map<std::string, std::string> search = {{"PKG_CONFIG_PATH", prefix + "/lib/pkgconfig"}};
    ProgramOutcome found =
        runCommand({PARVOLIN_PKG_CONFIG, "--cflags", "--libs", "parvolin-main"}, search, *folder);
    ASSERT_EQ(0, found.status) << found.errors;
    std::vector<std::string> command = {PARVOLIN_CXX, "-std=c++17",
                                        PARVOLIN_SOURCE_DIR "/examples/app/stylus_drawing.cpp"};
    for (const std::string& word : words(found.output))
        command.push_back(word);
    for (const std::string& word : words(PARVOLIN_OUTSIDE_FLAGS))
        command.push_back(word);
    const std::string program = folder->hostPath("pkgconfig-drawing");
    command.insert(command.end(), {"-Wl,-rpath," + prefix + "/lib", "-o", program});
    ProgramOutcome build = runCommand(command, {}, *folder, buildSeconds);
    ASSERT_EQ(0, build.status) << build.output << build.errors;

    GlassImage glass;
    ASSERT_TRUE(readPng(drawStroke(program, "pkgconfig-drawing"), glass));
    ASSERT_EQ(240u, glass.width);
    EXPECT_EQ(0xFFFFFFu, glass.at(70, 60)) << "the stroke";
}

TEST_F(Installed, VorlequinFindsItsLibraryAndItsPicturesInThePrefix)
{
    const std::string shot = folder->hostPath("vorlequin.png");
    writeFile(folder->hostPath("vorlequin.txt"), "1 shot " + shot + "\n2 close\n");
    ProgramOutcome run =
        runProgram(prefix + "/bin/Vorlequin",
                   {{"PARVOLIN_VIDEO", "headless"}, {"PARVOLIN_SCRIPT", folder->hostPath("vorlequin.txt")}}, *folder);
    ASSERT_EQ(0, run.status) << run.errors;
    GlassImage glass;
    ASSERT_TRUE(readPng(shot, glass));
    ASSERT_EQ(240u, glass.width);
    // Without its picture the menu would be all black.
    EXPECT_NE(0u, glass.at(2, 2)) << "the menu's background";
    EXPECT_NE(glass.at(2, 2), glass.at(71, 50)) << "the FLEE box";
}

} // namespace
