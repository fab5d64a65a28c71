#include "app/WakeLateness.h"

namespace {
constexpr int64_t microsecondsPerSecond = 1000000;
constexpr int64_t microsecondsPerMillisecond = 1000;
} // namespace

void WakeLateness::start(int64_t periodMicroseconds)
{
    longestStretch = periodMicroseconds / 16;
    for (int64_t& sample : recent)
        sample = longestStretch;
    next = 0;
}

void WakeLateness::record(DWORD sleptMilliseconds, int64_t tookUnits, int64_t unitsPerSecond)
{
    if (unitsPerSecond <= 0)
        return;
    // Wide enough for any reading; a sleep that seems to have woken early (the millisecond
    // tick count rounds) was not late.
    const __int128 took = static_cast<__int128>(tookUnits) * microsecondsPerSecond / unitsPerSecond;
    const __int128 late = took - static_cast<__int128>(sleptMilliseconds) * microsecondsPerMillisecond;
    recent[next] = late < 0 ? 0 : late > longestStretch ? longestStretch : static_cast<int64_t>(late);
    next = (next + 1) % samples;
}

int64_t WakeLateness::stretchMicroseconds() const
{
    // The second latest: one wake that a busy machine delayed by milliseconds does not make
    // every frame spin for as long; a spinning wait is delayed as much on such a machine.
    int64_t latest = 0, secondLatest = 0;
    for (int64_t sample : recent)
        if (sample > latest) {
            secondLatest = latest;
            latest = sample;
        } else if (sample > secondLatest) {
            secondLatest = sample;
        }
    const int64_t stretch = 2 * secondLatest;
    return stretch < longestStretch ? stretch : longestStretch;
}

DWORD WakeLateness::sleepFor(int64_t remainingUnits, int64_t unitsPerSecond) const
{
    if (remainingUnits <= 0 || unitsPerSecond <= 0)
        return 0;
    const __int128 remaining = static_cast<__int128>(remainingUnits) * microsecondsPerSecond / unitsPerSecond;
    const __int128 sleepable = remaining - stretchMicroseconds();
    if (sleepable < microsecondsPerMillisecond)
        return 0;
    const __int128 milliseconds = sleepable / microsecondsPerMillisecond;
    return milliseconds > 0xFFFFFFFE ? 0xFFFFFFFEu : static_cast<DWORD>(milliseconds);
}
