// The whole of Vorlequin, run in this process under the headless host in device time,
// replaying its recorded demo game over and over: the menu, the game, the game-over
// picture and the menu again, every cycle the same. Its memory is sampled: after the
// first thousand ticks, what the process holds must not grow by more than a megabyte (the
// live heap under AddressSanitizer, the resident size otherwise). PARVOLIN_SOAK_TICKS sets
// the length (20,000 ticks by default; the long run is 200,000).

#include "PlayHandler.h"
#include "SnakeGame.h"

#include "Parvolin.h"
#include "platform/input/InputScript.h"
#include "platform/system/Modules.h"
#include "support/InputEvents.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime: the bytes its allocator holds for live blocks.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// The memory held, in KiB: under AddressSanitizer the live heap (its quarantine of freed
// blocks makes the resident size grow without a leak), else the resident size.
long residentKiB()
{
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#endif
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    return 0;
}

// The demo's game: from its tap on the menu to its menu again, ticks [0, cycleTicks).
constexpr uint64_t cycleTicks = 320;

// Vorlequin, watched tick by tick. The apples come from the C library's generator, never
// seeded: the first cycle is the recorded game itself (five apples). A new game starts from
// the apple the game before left, and each later cycle starts the generator afresh, so
// that from the second cycle on every game is the same one.
class WatchedGame : public SnakeGame {
public:
    long onNextFrame(Surface* surface, Panel* panel) override
    {
        if (ticks > 0 && ticks % cycleTicks == 0)
            std::srand(1);
        if (ticks == 1000)
            baseline = largest = residentKiB();
        else if (ticks > 1000 && ticks % 1000 == 0)
            largest = std::max(largest, residentKiB());
        // Well after the game-over picture: the score the cycle's game died with (-1: none).
        if (ticks % cycleTicks == cycleTicks - 1 && getPlayHandler())
            scores.push_back(getPlayHandler()->hasDied() ? getPlayHandler()->getScore() : -1);
        ++ticks;
        return SnakeGame::onNextFrame(surface, panel);
    }

    uint64_t ticks = 0;
    long baseline = 0, largest = 0;
    std::vector<int32_t> scores;
};

} // namespace

TEST(Soak, VorlequinReplayingItsRecordedGameForManyTicksHoldsItsMemory)
{
    std::vector<InputCommand> demo;
    std::string error;
    ASSERT_TRUE(InputScript::load(std::string(VORLEQUIN_ASSET_FOLDER) + "/../demo.script", demo, error)) << error;
    const char* setting = std::getenv("PARVOLIN_SOAK_TICKS");
    const uint64_t ticks = setting ? std::strtoull(setting, nullptr, 10) : 20000;
    const uint64_t cycles = ticks / cycleTicks;
    ASSERT_GE(cycles, 4u);

    // The recording's stylus, once a cycle, then the end.
    std::string script;
    for (uint64_t cycle = 0; cycle < cycles; ++cycle)
        for (InputCommand command : demo)
            if (command.kind == InputCommand::Down || command.kind == InputCommand::Move ||
                command.kind == InputCommand::Up) {
                command.frame += cycle * cycleTicks;
                script += InputScript::format(command) + "\n";
            }
    script += std::to_string(cycles * cycleTicks) + " close\n";
    TempFolder folder;
    folder.write(L"soak.script", script);
    ScopedEnvironment environment({{"PARVOLIN_VIDEO", "headless"},
                                   {"PARVOLIN_CLOCK", "device"},
                                   {"PARVOLIN_DEVICE", "pocketpc2003"},
                                   {"PARVOLIN_SCRIPT", folder.hostPath("soak.script")},
                                   {"PARVOLIN_FRAMES", ""},
                                   {"PARVOLIN_RECORD", ""},
                                   {"PARVOLIN_AUDIO_OUT", ""}});

    WatchedGame game;
    std::srand(1);  // where a program that never seeds the generator starts it
    game.setAppInstance(GetModuleHandleW(nullptr));
    EXPECT_EQ(0, game.run());
    EXPECT_EQ(cycles * cycleTicks, game.ticks);
    ASSERT_EQ(cycles, game.scores.size());
    EXPECT_EQ(500, game.scores[0]) << "the recorded game: five apples of 100 points";
    EXPECT_GT(game.scores[1], 0);
    for (size_t cycle = 2; cycle < game.scores.size(); ++cycle)
        ASSERT_EQ(game.scores[1], game.scores[cycle]) << "cycle " << cycle << " played another game";
    EXPECT_LT(game.largest - game.baseline, 1024) << "KiB grown after tick 1000, over " << game.ticks << " ticks";
    std::printf("%llu ticks, %llu games (the first of 500 points, the others of %d), "
                "%ld KiB held at tick 1000, at most %ld KiB after\n",
                static_cast<unsigned long long>(game.ticks), static_cast<unsigned long long>(cycles),
                static_cast<int>(game.scores[1]), game.baseline, game.largest);
}
