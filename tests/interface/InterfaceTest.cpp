// The library as an outside game meets it: what libParvolin.so exports (against the
// committed list, which changes only on purpose), the public headers under strict
// warnings, and the library taken in with add_subdirectory.

#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::set<std::string> lines(const std::string& text)
{
    std::set<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            result.insert(line);
    return result;
}

// The section ends the linker defines and exports from a shared library, under names that
// differ by architecture. They are no part of the interface.
bool linkerMarker(const std::string& name)
{
    for (const char* marker : {"__bss_start", "_edata", "_end", "__bss_start__", "__bss_end__", "_bss_end__", "__end__"})
        if (name == marker)
            return true;
    return false;
}

// The demangled names of the defined dynamic symbols, without what a sanitizer adds.
std::set<std::string> exportedSymbols(const TempFolder& folder)
{
    ProgramOutcome listed = runCommand({PARVOLIN_NM, "-DC", "--defined-only", PARVOLIN_LIBRARY}, {}, folder);
    EXPECT_EQ(0, listed.status) << listed.errors;
    std::set<std::string> names;
    for (const std::string& line : lines(listed.output)) {
        // "address type name"
        size_t type = line.find(' ');
        if (type == std::string::npos || type + 3 > line.size())
            continue;
        std::string name = line.substr(type + 3);
        if (name.rfind("__asan", 0) == 0 || name.rfind("___asan", 0) == 0 || name.rfind("__odr_asan", 0) == 0 ||
            name.rfind("__ubsan", 0) == 0 || name.rfind("__sancov", 0) == 0 || linkerMarker(name))
            continue;
        names.insert(name);
    }
    return names;
}

std::string difference(const std::set<std::string>& a, const std::set<std::string>& b)
{
    std::string text;
    for (const std::string& name : a)
        if (!b.count(name))
            text += "  " + name + "\n";
    return text;
}

TEST(Interface, TheLibraryExportsExactlyTheCommittedSymbols)
{
    TempFolder folder;
    std::set<std::string> exported = exportedSymbols(folder);
    std::set<std::string> committed = lines(readTextFile(PARVOLIN_SYMBOL_LIST));
    for (auto name = committed.begin(); name != committed.end();)
        name = linkerMarker(*name) ? committed.erase(name) : std::next(name);
    ASSERT_FALSE(committed.empty()) << PARVOLIN_SYMBOL_LIST;
    EXPECT_EQ(committed, exported) << "exported but not in the list:\n"
                                   << difference(exported, committed) << "in the list but not exported:\n"
                                   << difference(committed, exported);
}

// Every public header, through Parvolin.h and alone, compiles without a warning.
TEST(Interface, PublicHeadersCompileWithoutWarningsUnderBothCompilers)
{
    TempFolder folder;
    std::ofstream(folder.hostPath("consumer.cpp")) << "#include <Parvolin/Parvolin.h>\n"
                                                      "static_assert(RGB(0x112, 0x34, 0x56) == 0x563412 &&\n"
                                                      "              GetRValue(0x563412) == 0x12 &&\n"
                                                      "              GetGValue(0x563412) == 0x34 &&\n"
                                                      "              GetBValue(0x563412) == 0x56, \"RGB\");\n"
                                                      "int main() { return getErrorText(ResultCode::Ok) ? 0 : 1; }\n";
    for (const char* compiler : {PARVOLIN_GXX, PARVOLIN_CLANGXX}) {
        if (!*compiler) {
            ADD_FAILURE() << "a C++ compiler was not found when the tests were configured";
            continue;
        }
        ProgramOutcome built = runCommand({compiler, "-std=c++17", "-Wall", "-Wextra", "-Wshadow", "-Wnon-virtual-dtor",
                                           "-Werror", "-fsyntax-only", "-I", PARVOLIN_PUBLIC_INCLUDE,
                                           folder.hostPath("consumer.cpp")},
                                          {}, folder, 120);
        EXPECT_EQ(0, built.status) << compiler << ":\n" << built.errors;
    }
}

TEST(Interface, AGameTakesTheLibraryInWithAddSubdirectory)
{
    if (PARVOLIN_SANITIZED)
        GTEST_SKIP() << "the outside build has flags of its own; the plain pass builds it";
    TempFolder folder;
    const std::string build = folder.hostPath("build");
    std::vector<std::string> configure = {PARVOLIN_CMAKE, "-S", PARVOLIN_OUTSIDE_PROJECT, "-B", build, "-G",
                                          PARVOLIN_CMAKE_GENERATOR, "-DPARVOLIN_SOURCE_DIR=" PARVOLIN_SOURCE_DIR};
    if (*PARVOLIN_TOOLCHAIN_FILE)
        configure.push_back("-DCMAKE_TOOLCHAIN_FILE=" PARVOLIN_TOOLCHAIN_FILE);
    ProgramOutcome configured = runCommand(configure, {}, folder, 300);
    ASSERT_EQ(0, configured.status) << configured.output << configured.errors;
    ProgramOutcome built = runCommand({PARVOLIN_CMAKE, "--build", build}, {}, folder, 900);
    ASSERT_EQ(0, built.status) << built.output << built.errors;
    EXPECT_EQ(std::string::npos, built.output.find("tests/")) << "the defaults build the library alone";

    ProgramOutcome ran = runProgram(build + "/outside_game", {{"PARVOLIN_VIDEO", "headless"}, {"PARVOLIN_FRAMES", "3"}},
                                    folder);
    EXPECT_EQ(0, ran.status) << ran.errors;
}

} // namespace
