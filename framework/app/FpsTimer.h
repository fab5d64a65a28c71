#ifndef PARVOLIN_FPS_TIMER_H
#define PARVOLIN_FPS_TIMER_H

#include "app/WakeLateness.h"

#include <cstdint>

// The pacer's state: the tick fields in milliseconds, the count fields in performance
// counter units; only one of the two sets is in use. What the pacer learnt of the
// system's sleep comes last; a restart keeps it.
struct FpsTimer {
    uint32_t targetFps;
    bool limited;
    bool highResolution;
    uint32_t frameMs;
    uint32_t budgetMs;
    uint32_t lastTick;
    uint32_t currentTick;
    uint32_t elapsedMs;
    int64_t frequency;
    int64_t previousCount;
    int64_t currentCount;
    int64_t budgetCount;
    int64_t frameCount;
    int64_t elapsedCount;
    WakeLateness wakes;
};

#endif
