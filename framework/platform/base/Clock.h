#ifndef PARVOLIN_CLOCK_H
#define PARVOLIN_CLOCK_H

#include "platform/base/PlatformTypes.h"

#include <cstdint>

// The time source behind the tick count, the performance counter and Sleep. The host's
// monotonic clock serves by default; a test installs a clock it controls.
class Clock {
public:
    virtual ~Clock();
    // Nanoseconds since an arbitrary start; never decreases.
    virtual uint64_t nanoseconds() = 0;
    virtual void sleep(DWORD milliseconds) = 0;

    static Clock& current();
    // Null goes back to the host's clock. The caller keeps ownership.
    static void install(Clock* clock);
};

// A clock that moves only when told: advance() and Sleep move it; a reading right after
// such a move sees exactly the moved time, and each further reading lets `step` pass
// first, so that a loop polling the clock makes progress.
class ManualClock : public Clock {
public:
    explicit ManualClock(uint64_t startNanoseconds = 0, uint64_t stepNanoseconds = 0);
    uint64_t nanoseconds() override;
    void sleep(DWORD milliseconds) override;

    void advance(uint64_t nanoseconds);
    void advanceMilliseconds(uint64_t milliseconds);
    void setStep(uint64_t nanoseconds);
    uint64_t peek() const;

private:
    uint64_t now;
    uint64_t step;
    bool moved;
};

#endif
