#include "ExampleRunner.h"

#include <unistd.h>

#include <cstdlib>

std::string examplePath(const char* name)
{
    const char* folder = std::getenv("PARVOLIN_EXAMPLES");
    return folder ? std::string(folder) + "/" + name : std::string();
}

void ExampleTest::SetUp()
{
    program = examplePath(name);
    if (program.empty() || access(program.c_str(), X_OK) != 0)
        GTEST_SKIP() << "the example is not built (PARVOLIN_EXAMPLES names its folder)";
}

ProgramOutcome ExampleTest::run(const std::string& script, std::map<std::string, std::string> variables)
{
    folder.write(L"script.txt", script);
    variables.emplace("PARVOLIN_SCRIPT", folder.hostPath("script.txt"));
    variables.emplace("PARVOLIN_VIDEO", "headless");
    variables.emplace("PARVOLIN_DEVICE", "pocketpc2003");
    return runProgram(program, variables, folder);
}
