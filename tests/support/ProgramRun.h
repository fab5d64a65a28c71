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

// A program started as runCommand starts it, left to run while the test goes on (it feeds
// the program's input, watches its output files); finish() waits for its end.
class RunningProgram {
public:
    RunningProgram(const std::vector<std::string>& command, const std::map<std::string, std::string>& variables,
                   const TempFolder& folder);
    ~RunningProgram();  // a program still running is killed
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return child > 0; }
    // Whether it has ended (without waiting).
    bool ended();
    // Waits at most `seconds` for its end; a program still running then is killed and fails.
    ProgramOutcome finish(int seconds = 60);

private:
    const TempFolder& folder;
    std::string program;
    int child = -1;
    int status = 0;
    bool reaped = false;
};

// The program alone, without arguments.
ProgramOutcome runProgram(const std::string& program, const std::map<std::string, std::string>& variables,
                          const TempFolder& folder);

// The whole of a text file; empty when it cannot be read.
std::string readTextFile(const std::string& hostPath);

#endif
