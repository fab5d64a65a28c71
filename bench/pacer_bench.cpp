// Frame pacing measured in real time, against the pacer that spins through the whole
// period (the peer), in the same run:
//   1. how late the system's Sleep wakes (what the pacer's spun stretch is chosen from);
//   2. the frame boundaries' error and the processor time of 5 s of frames at 32 frames a
//      second, for Fps (sleeping all but the last stretch) and for the spinning peer;
//   3. the processor share of Vorlequin playing its demo for 9 s in real time, headless
//      and, where there is a desktop (DISPLAY), in the SDL window.
// Run it on a quiet machine: every figure here is a measurement of the machine as much as
// of the code. It takes about 40 s.
#include "app/Fps.h"
#include "platform/system/SystemServices.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int framesPerSecond = 32;
constexpr int frames = 5 * framesPerSecond;  // each pacer's, in rounds taken in turn
constexpr int rounds = 4;

int64_t counter()
{
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

int64_t frequency()
{
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
}

double processSeconds()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

double wallSeconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

double quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[static_cast<size_t>(q * (values.size() - 1))];
}

// The pacer as it was: the same rule (lateness carried, at most one period), spinning on
// the counter all through the period.
class SpinningPacer {
public:
    void start()
    {
        period = frequency() / framesPerSecond;
        budget = period;
        current = counter();
    }
    void wait()
    {
        const int64_t previous = current;
        int64_t elapsed;
        do {
            current = counter();
            elapsed = current - previous;
        } while (elapsed < budget);
        budget = std::max<int64_t>(0, budget + period - elapsed);
    }

private:
    int64_t period = 0, budget = 0, current = 0;
};

struct Paced {
    std::vector<double> errors;  // microseconds past each boundary
    double processorShare = 0;
};

// One round of frames with no work, each boundary's error measured against the ideal grid
// from the round's start; adds to `result` (the processor share is summed up per round).
template <typename Start, typename Wait>
void pace(Paced& result, Start start, Wait wait)
{
    const double countsPerMicrosecond = frequency() / 1e6;
    const int64_t period = frequency() / framesPerSecond;
    start();
    const int64_t origin = counter();
    const double cpu = processSeconds(), wall = wallSeconds();
    for (int frame = 1; frame <= frames / rounds; ++frame) {
        wait();
        result.errors.push_back((counter() - origin - frame * period) / countsPerMicrosecond);
    }
    result.processorShare += (processSeconds() - cpu) / (wallSeconds() - wall) / rounds;
}

void report(const char* name, const Paced& paced)
{
    std::vector<double> late;
    for (double error : paced.errors)
        late.push_back(std::abs(error));
    std::printf("  %-28s boundary error median %7.1f us, p99 %8.1f us; processor %5.1f %%\n", name,
                quantile(late, 0.5), quantile(late, 0.99), 100 * paced.processorShare);
}

// How late Sleep(n) wakes, for n from 1 to 20 ms.
void sleepLateness()
{
    std::vector<double> late;
    const double countsPerMicrosecond = frequency() / 1e6;
    for (int i = 0; i < 200; ++i) {
        const DWORD milliseconds = 1 + i % 20;
        const int64_t before = counter();
        Sleep(milliseconds);
        late.push_back((counter() - before) / countsPerMicrosecond - milliseconds * 1000.0);
    }
    std::printf("Sleep(1..20 ms) wakes late by: median %.1f us, p90 %.1f us, p99 %.1f us, max %.1f us\n",
                quantile(late, 0.5), quantile(late, 0.9), quantile(late, 0.99), quantile(late, 1));
}

// Vorlequin's demo in real time under `video`: the processor time it took over the wall
// time it ran, from its own resource usage.
void vorlequin(const std::string& program, const std::string& script, const char* video)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry)
        entries.push_back(*entry);
    entries.push_back(std::string("PARVOLIN_VIDEO=") + video);
    entries.push_back("PARVOLIN_CLOCK=real");
    entries.push_back("PARVOLIN_SCRIPT=" + script);
    std::vector<char*> envp;
    for (std::string& entry : entries)
        envp.push_back(&entry[0]);
    envp.push_back(nullptr);
    // The demo's shots go to a folder of its own, and a copy of the program with it, so
    // that the best score it keeps beside itself is not the player's.
    char folder[] = "/tmp/parvolin-pacer-XXXXXX";
    if (!mkdtemp(folder))
        return;
    const std::string from = program.substr(0, program.rfind('/') + 1);
    std::error_code failed;
    for (const char* name : {"Vorlequin", "vorlequin-menu.png", "apple.gif"})
        std::filesystem::copy_file(from + name, std::string(folder) + "/" + name, failed);
    const std::string copy = std::string(folder) + "/Vorlequin";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder);
    char* argv[] = {const_cast<char*>(copy.c_str()), nullptr};
    pid_t child;
    const double start = wallSeconds();
    const bool started = !failed && posix_spawn(&child, copy.c_str(), &actions, nullptr, argv, envp.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!started) {
        std::printf("  cannot start a copy of %s\n", program.c_str());
        return;
    }
    int status = 0;
    rusage usage = {};
    wait4(child, &status, 0, &usage);
    const double wall = wallSeconds() - start;
    const double cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
                       usage.ru_stime.tv_usec / 1e6;
    std::printf("  Vorlequin %-9s %5.2f s of processor in %5.2f s: %5.1f %% of a core (exit status %d)\n", video,
                cpu, wall, 100 * cpu / wall, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    std::string clean = std::string("rm -rf ") + folder;
    if (std::system(clean.c_str()) != 0)
        std::printf("  (could not remove %s)\n", folder);
}

std::string besideThisProgram(const std::string& relative)
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return relative;
    std::string self(path, static_cast<size_t>(length));
    return self.substr(0, self.rfind('/') + 1) + relative;
}

} // namespace

// Arguments (./parvolin bench passes Google Benchmark's) are ignored.
int main()
{
    std::printf("Frame pacing at %d frames a second, real time, load average when started: ", framesPerSecond);
    double load[1] = {0};
    if (getloadavg(load, 1) == 1)
        std::printf("%.2f\n", load[0]);
    sleepLateness();

    Fps fps;
    SpinningPacer spinning;
    std::printf("%d frames of no work each, the boundaries against the grid from the start:\n", frames);
    // In turns, so that both meet the same machine.
    Paced sleeping, spun;
    for (int round = 0; round < rounds; ++round) {
        pace(sleeping, [&] { fps.start(framesPerSecond); }, [&] { fps.wait(); });
        pace(spun, [&] { spinning.start(); }, [&] { spinning.wait(); });
    }
    report("Fps (sleeps, spins the end)", sleeping);
    report("spinning pacer (peer)", spun);

    std::printf("Vorlequin's demo (game/demo.script) in real time:\n");
    const std::string program = besideThisProgram("../game/Vorlequin");
    const std::string script = PARVOLIN_SOURCE_DIR "/game/demo.script";
    vorlequin(program, script, "headless");
    if (std::getenv("DISPLAY"))
        vorlequin(program, script, "sdl");
    else
        std::printf("  (no DISPLAY: the SDL window is not measured; run under Xvfb for it)\n");
    return 0;
}
