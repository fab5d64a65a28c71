#include "support/ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

extern char** environ;

ProgramOutcome runCommand(const std::vector<std::string>& command,
                          const std::map<std::string, std::string>& variables, const TempFolder& folder, int seconds)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        std::string text = *entry;
        if (!variables.count(text.substr(0, text.find('='))))
            entries.push_back(text);
    }
    for (const auto& variable : variables)
        entries.push_back(variable.first + "=" + variable.second);
    std::vector<char*> envp;
    for (std::string& entry : entries)
        envp.push_back(&entry[0]);
    envp.push_back(nullptr);

    std::string outputPath = folder.hostPath("stdout.txt");
    std::string errorsPath = folder.hostPath("stderr.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> arguments = command;
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    pid_t child = 0;
    ProgramOutcome outcome;
    int spawned = command.empty()
                      ? -1
                      : posix_spawnp(&child, command[0].c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        outcome.errors = "cannot start " + (command.empty() ? std::string("nothing") : command[0]);
        return outcome;
    }
    // A program that never ends fails the test instead of hanging it. Most end within
    // milliseconds (headless runs are in device time): look often at first.
    int status = 0;
    pid_t ended = 0;
    for (long waitedUs = 0, step = 500; waitedUs < seconds * 1000000L && (ended = waitpid(child, &status, WNOHANG)) == 0;
         waitedUs += step, step = std::min(step * 2, 10000L))
        usleep(static_cast<useconds_t>(step));
    if (ended == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        outcome.errors = "the program did not end within " + std::to_string(seconds) + " seconds";
        return outcome;
    }
    if (WIFEXITED(status))
        outcome.status = WEXITSTATUS(status);
    outcome.output = readTextFile(outputPath);
    outcome.errors = readTextFile(errorsPath);
    return outcome;
}

ProgramOutcome runProgram(const std::string& program, const std::map<std::string, std::string>& variables,
                          const TempFolder& folder)
{
    return runCommand({program}, variables, folder);
}

std::string readTextFile(const std::string& hostPath)
{
    std::ifstream file(hostPath);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
