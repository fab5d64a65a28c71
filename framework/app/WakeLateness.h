#ifndef PARVOLIN_WAKE_LATENESS_H
#define PARVOLIN_WAKE_LATENESS_H

#include "platform/base/PlatformTypes.h"

#include <cstdint>

// How late the system's Sleep wakes, measured on the pacer's own sleeps, and what the
// pacer makes of it: it sleeps through a period but for its last stretch, which it spins
// on the clock so that the boundary is hit as closely as a spinning wait would. The
// stretch is twice the second latest wake of the last 16 sleeps, so that a sleep about as
// late as any of them still wakes before the boundary; it is at most a sixteenth of the
// period, so that a platform whose sleep wakes very late (a machine with more work than
// processors) costs boundary precision rather than a spinning core.
class WakeLateness {
public:
    static constexpr int samples = 16;

    // Nothing measured yet: every sample counts as the longest stretch of that period.
    void start(int64_t periodMicroseconds);
    // A sleep of `sleptMilliseconds` took `tookUnits` of a clock of `unitsPerSecond`.
    void record(DWORD sleptMilliseconds, int64_t tookUnits, int64_t unitsPerSecond);
    // Whole milliseconds to sleep with `remainingUnits` of the period left; 0 when what is
    // left is the stretch to spin.
    DWORD sleepFor(int64_t remainingUnits, int64_t unitsPerSecond) const;
    // The stretch spun at the end of a period, in microseconds.
    int64_t stretchMicroseconds() const;

private:
    int64_t recent[samples];  // microseconds, the oldest overwritten first
    uint32_t next;
    int64_t longestStretch;
};

#endif
