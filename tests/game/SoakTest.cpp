// Vorlequin's play field replaying the recorded demo game over and over, its memory
// sampled: after the first thousand ticks, what the process holds must not grow by more
// than a megabyte (the live heap under AddressSanitizer, the resident size otherwise). PARVOLIN_SOAK_TICKS sets the length (20,000 ticks by default; the long
// run is 200,000).

#include "PlayHandler.h"

#include "Parvolin.h"
#include "platform/input/InputScript.h"
#include "support/SurfacePixels.h"

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

} // namespace

TEST(Soak, TheRecordedGameReplayedForManyTicksHoldsItsMemory)
{
    std::vector<InputCommand> commands;
    std::string error;
    ASSERT_TRUE(InputScript::load(std::string(VORLEQUIN_ASSET_FOLDER) + "/../demo.script", commands, error)) << error;
    // The game part of the recording: from the first touch on the field on.
    std::vector<InputCommand> game;
    for (const InputCommand& command : commands)
        if (command.frame >= 6 && (command.kind == InputCommand::Down || command.kind == InputCommand::Move ||
                                   command.kind == InputCommand::Up))
            game.push_back(command);
    ASSERT_FALSE(game.empty());
    const char* setting = std::getenv("PARVOLIN_SOAK_TICKS");
    const unsigned long ticks = setting ? std::strtoul(setting, nullptr, 10) : 20000;

    Owned<Surface> field;
    SurfacePixels::make(field, 240, 320, 0);
    PlayHandler play;
    play.setControlMode(2);  // the demo picks the wheel on the menu
    play.onInit(&field, nullptr, nullptr);
    size_t next = 0;
    uint64_t gameTick = 6;
    unsigned long games = 1;
    long baseline = 0, largest = 0;
    for (unsigned long tick = 0; tick < ticks; ++tick, ++gameTick) {
        for (; next < game.size() && game[next].frame <= gameTick; ++next) {
            const tagPOINT at{game[next].x, game[next].y};
            if (game[next].kind == InputCommand::Down)
                play.onStylusDown(at);
            else if (game[next].kind == InputCommand::Move)
                play.onStylusMove(at);
            else
                play.onStylusUp(at);
        }
        // A game that ends starts again from the recording's first touch.
        if (play.onNextFrame(&field, nullptr) != 0 || (next == game.size() && gameTick > game.back().frame + 2000)) {
            play.onExit();
            play.onInit(&field, nullptr, nullptr);
            next = 0;
            gameTick = 5;
            ++games;
        }
        if (tick == 1000)
            baseline = largest = residentKiB();
        else if (tick > 1000 && tick % 1000 == 0)
            largest = std::max(largest, residentKiB());
    }
    if (baseline > 0) {
        EXPECT_LT(largest - baseline, 1024) << "KiB grown after tick 1000, over " << ticks << " ticks";
    }
    EXPECT_GT(games, 1u) << "the recording never ended a game";
    std::printf("%lu ticks, %lu games, %ld KiB held at tick 1000, at most %ld KiB after\n", ticks, games, baseline,
                largest);
}
