#include "support/ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

extern char** environ;

namespace {

// The machine an ELF file is built for (0 when it is not an ELF file).
unsigned elfMachine(const std::string& path)
{
    unsigned char header[20] = {};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(header), sizeof(header)) || std::memcmp(header, "\x7f" "ELF", 4) != 0)
        return 0;
    return header[5] == 1 ? header[18] | header[19] << 8 : header[19] | header[18] << 8;
}

std::string onPath(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return program;
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0)
            return folder + "/" + program;
    return program;
}

// In a cross build the suites run under an emulator (PARVOLIN_TEST_EMULATOR, its words
// split by spaces), and so must the programs they start that are built for the same
// machine: the kernel cannot start those itself. Host programs (cmake, the compilers)
// start as they are. Under the emulator /proc/self/exe names the emulated program.
std::vector<std::string> withEmulator(std::vector<std::string> command)
{
    const char* emulator = std::getenv("PARVOLIN_TEST_EMULATOR");
    if (command.empty() || !emulator || !*emulator)
        return command;
    if (command[0] == "/proc/self/exe") {
        char self[PATH_MAX];
        ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
        if (length > 0)
            command[0].assign(self, static_cast<size_t>(length));
    }
    const std::string program = onPath(command[0]);
    if (elfMachine(program) != elfMachine("/proc/self/exe"))
        return command;
    std::vector<std::string> words;
    std::istringstream list(emulator);
    for (std::string word; list >> word;)
        words.push_back(word);
    command[0] = program;
    command.insert(command.begin(), words.begin(), words.end());
    return command;
}

} // namespace

RunningProgram::RunningProgram(const std::vector<std::string>& command,
                               const std::map<std::string, std::string>& variables, const TempFolder& folder)
    : folder(folder), program(command.empty() ? std::string("nothing") : command[0])
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
    std::vector<std::string> arguments = withEmulator(command);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    pid_t spawned = 0;
    if (!command.empty() &&
        posix_spawnp(&spawned, arguments[0].c_str(), &actions, nullptr, argv.data(), envp.data()) == 0)
        child = spawned;
    posix_spawn_file_actions_destroy(&actions);
}

RunningProgram::~RunningProgram()
{
    if (child > 0 && !reaped) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
}

bool RunningProgram::ended()
{
    if (child <= 0 || reaped)
        return true;
    reaped = waitpid(child, &status, WNOHANG) == child;
    return reaped;
}

ProgramOutcome RunningProgram::finish(int seconds)
{
    ProgramOutcome outcome;
    if (child <= 0) {
        outcome.errors = "cannot start " + program;
        return outcome;
    }
    // A program that never ends fails the test instead of hanging it. Many end within
    // milliseconds: look often at first.
    for (long waitedUs = 0, step = 500; waitedUs < seconds * 1000000L && !ended();
         waitedUs += step, step = std::min(step * 2, 10000L))
        usleep(static_cast<useconds_t>(step));
    if (!ended()) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        reaped = true;
        outcome.errors = "the program did not end within " + std::to_string(seconds) + " seconds";
        return outcome;
    }
    if (WIFEXITED(status))
        outcome.status = WEXITSTATUS(status);
    outcome.output = readTextFile(folder.hostPath("stdout.txt"));
    outcome.errors = readTextFile(folder.hostPath("stderr.txt"));
    return outcome;
}

ProgramOutcome runCommand(const std::vector<std::string>& command,
                          const std::map<std::string, std::string>& variables, const TempFolder& folder, int seconds)
{
    return RunningProgram(command, variables, folder).finish(seconds);
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
