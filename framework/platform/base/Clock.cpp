#include "platform/base/Clock.h"

#include <cerrno>
#include <sched.h>
#include <time.h>

namespace {
class HostClock : public Clock {
public:
    uint64_t nanoseconds() override
    {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<uint64_t>(now.tv_sec) * 1000000000ULL + static_cast<uint64_t>(now.tv_nsec);
    }

    void sleep(DWORD milliseconds) override
    {
        // Sleep(0) gives the rest of the time slice away, as on the device.
        if (milliseconds == 0) {
            sched_yield();
            return;
        }
        timespec wanted = {static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
        while (nanosleep(&wanted, &wanted) != 0 && errno == EINTR) {
        }
    }
};

HostClock hostClock;
Clock* installed = nullptr;
} // namespace

Clock::~Clock() {}

Clock& Clock::current() { return installed ? *installed : hostClock; }

void Clock::install(Clock* clock) { installed = clock; }

ManualClock::ManualClock(uint64_t startNanoseconds, uint64_t stepNanoseconds)
    : now(startNanoseconds), step(stepNanoseconds), moved(true)
{
}

uint64_t ManualClock::nanoseconds()
{
    if (!moved)
        now += step;
    moved = false;
    return now;
}

void ManualClock::sleep(DWORD milliseconds) { advanceMilliseconds(milliseconds); }

void ManualClock::advance(uint64_t nanoseconds)
{
    now += nanoseconds;
    moved = true;
}

void ManualClock::advanceMilliseconds(uint64_t milliseconds) { advance(milliseconds * 1000000ULL); }

void ManualClock::setStep(uint64_t nanoseconds) { step = nanoseconds; }

uint64_t ManualClock::peek() const { return now; }
