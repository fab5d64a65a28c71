#ifndef PARVOLIN_TEST_EXAMPLE_RUNNER_H
#define PARVOLIN_TEST_EXAMPLE_RUNNER_H

// Runs the example programs as a person would: a program of build/examples, with the
// variables of its host (PARVOLIN_VIDEO, PARVOLIN_SCRIPT, ...) in its environment.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

struct Outcome {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string errors;
};

// The path of an example program (PARVOLIN_EXAMPLES names their folder), empty when unknown.
std::string examplePath(const char* name);

// Runs the program with the variables given added to (or replacing) this environment;
// its standard error goes to a file in `folder`.
Outcome runProgram(const std::string& program, const std::map<std::string, std::string>& variables,
                   const TempFolder& folder);

std::string readText(const std::string& path);

// The tests of one example: skipped when it is not built; run() plays it on the Pocket PC
// 2003 under a script, headless unless the variables say otherwise.
class ExampleTest : public ::testing::Test {
protected:
    explicit ExampleTest(const char* name) : name(name) {}
    void SetUp() override;
    Outcome run(const std::string& script, std::map<std::string, std::string> variables = {});

    const char* name;
    std::string program;
    TempFolder folder;
};

#endif
