#ifndef PARVOLIN_CLOCK_H
#define PARVOLIN_CLOCK_H

#include "platform/base/PlatformTypes.h"

#include <cstdint>

// The time source behind the tick count, the performance counter, Sleep and the message
// loop's waits. Whatever clock is current, a reading tells the time and a wait moves it
// on by the time waited.
//
// The process runs on one of two clocks: real time (the host's monotonic clock), or
// device time (DeviceClock below), which a host without a person may choose (see
// Host::canRunInDeviceTime and PARVOLIN_CLOCK). A test installs a clock it controls over
// either.
class Clock {
public:
    virtual ~Clock();
    // Nanoseconds since an arbitrary start; never decreases.
    virtual uint64_t nanoseconds() = 0;
    // The time as the device reads it for its own bookkeeping (the sound output's): the
    // same, except that in device time it is not one of the program's readings and so
    // lets no moment pass.
    virtual uint64_t peekNanoseconds() { return nanoseconds(); }
    // Waits `milliseconds` of this clock's time; 0 gives the processor away for a moment.
    void sleep(DWORD milliseconds) { sleepWhile(milliseconds, nullptr); }
    // The same, counted from the call, with the system's own work of that moment (may be
    // null) done first: its time is part of the wait, not added to it, as the device's
    // display refresh runs while a program sleeps.
    virtual void sleepWhile(DWORD milliseconds, void (*meanwhile)()) = 0;

    static Clock& current();
    // Null goes back to the process's clock. The caller keeps ownership.
    static void install(Clock* clock);
    // Chooses the process's clock: device time, or the host's real time (the default).
    static void useDeviceTime(bool deviceTime);
    static bool inDeviceTime();
};

// Device time: the clock stands still while the program computes and moves only while it
// waits, by exactly the time waited, so that a run's readings depend only on what the
// program did. It starts at 0, as a device just switched on. A wait moves it by its
// length; a reading that follows another reading with no wait between counts as a moment
// of waiting (one microsecond): a loop that polls the clock (a busy wait) sees it move as
// on the device.
class DeviceClock : public Clock {
public:
    static constexpr uint64_t pollNanoseconds = 1000;

    uint64_t nanoseconds() override;
    uint64_t peekNanoseconds() override { return now; }
    void sleepWhile(DWORD milliseconds, void (*meanwhile)()) override;

private:
    uint64_t now = 0;
    bool polled = false;  // the last thing done was a reading
};

// A clock that moves only when told: advance() and Sleep move it; a reading right after
// such a move sees exactly the moved time, and each further reading lets `step` pass
// first, so that a loop polling the clock makes progress.
class ManualClock : public Clock {
public:
    explicit ManualClock(uint64_t startNanoseconds = 0, uint64_t stepNanoseconds = 0);
    uint64_t nanoseconds() override;
    uint64_t peekNanoseconds() override { return now; }
    void sleepWhile(DWORD milliseconds, void (*meanwhile)()) override;

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
