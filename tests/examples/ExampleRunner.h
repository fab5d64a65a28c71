#ifndef PARVOLIN_TEST_EXAMPLE_RUNNER_H
#define PARVOLIN_TEST_EXAMPLE_RUNNER_H

// Runs the example programs as a person would: a program of build/examples, with the
// variables of its host (PARVOLIN_VIDEO, PARVOLIN_SCRIPT, ...) in its environment.

#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

// The path of an example program (PARVOLIN_EXAMPLES names their folder), empty when unknown.
std::string examplePath(const char* name);

// The tests of one example: skipped when it is not built; run() plays it on the Pocket PC
// 2003 under a script, headless unless the variables say otherwise.
class ExampleTest : public ::testing::Test {
protected:
    explicit ExampleTest(const char* name) : name(name) {}
    void SetUp() override;
    ProgramOutcome run(const std::string& script, std::map<std::string, std::string> variables = {});

    const char* name;
    std::string program;
    TempFolder folder;
};

#endif
