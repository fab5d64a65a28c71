#ifndef PARVOLIN_TEST_PROGRAM_RUN_H
#define PARVOLIN_TEST_PROGRAM_RUN_H

#include "support/TempFolder.h"

#include <map>
#include <string>
#include <vector>

// A built program run as a person would run it, with its own environment.
struct ProgramOutcome {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string output;
    std::string errors;
};

// Runs `command` (the program, found on PATH unless it holds a slash, then its arguments)
// with `variables` added to (or replacing) this environment, its stdout and stderr kept
// in `folder`. A program that has not ended within `seconds` is killed and fails. In a
// cross build a program built for the target runs under the tests' emulator.
ProgramOutcome runCommand(const std::vector<std::string>& command,
                          const std::map<std::string, std::string>& variables, const TempFolder& folder,
                          int seconds = 60);

// The program alone, without arguments.
ProgramOutcome runProgram(const std::string& program, const std::map<std::string, std::string>& variables,
                          const TempFolder& folder);

// The whole of a text file; empty when it cannot be read.
std::string readTextFile(const std::string& hostPath);

#endif
