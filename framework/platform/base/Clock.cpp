#include "platform/base/Clock.h"

#include <cerrno>
#include <sched.h>
#include <time.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {
constexpr uint64_t nanosecondsPerMillisecond = 1000000;
constexpr uint64_t nanosecondsPerSecond = 1000000000;

class HostClock : public Clock {
public:
    uint64_t nanoseconds() override
    {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<uint64_t>(now.tv_sec) * nanosecondsPerSecond + static_cast<uint64_t>(now.tv_nsec);
    }

    void sleepWhile(DWORD milliseconds, void (*meanwhile)()) override
    {
        // Sleep(0) gives the rest of the time slice away, as on the device.
        if (milliseconds == 0) {
            if (meanwhile)
                meanwhile();
            sched_yield();
            return;
        }
        // Until a moment fixed at the call, so that the work done meanwhile is not added.
        const uint64_t until = nanoseconds() + milliseconds * nanosecondsPerMillisecond;
        if (meanwhile)
            meanwhile();
#ifdef __EMSCRIPTEN__
        // The loop's hook in a web page, where nothing may block: the wait gives control
        // back to the browser, and Asyncify resumes the program here when it is over.
        const uint64_t now = nanoseconds();
        if (now < until)
            emscripten_sleep(static_cast<unsigned>((until - now + nanosecondsPerMillisecond - 1) / nanosecondsPerMillisecond));
#else
        timespec wake = {static_cast<time_t>(until / nanosecondsPerSecond),
                         static_cast<long>(until % nanosecondsPerSecond)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
        }
#endif
    }
};

HostClock hostClock;
DeviceClock deviceClock;
Clock* installed = nullptr;
bool deviceTime = false;
} // namespace

Clock::~Clock() {}

Clock& Clock::current()
{
    if (installed)
        return *installed;
    return deviceTime ? static_cast<Clock&>(deviceClock) : hostClock;
}

void Clock::install(Clock* clock) { installed = clock; }

void Clock::useDeviceTime(bool on) { deviceTime = on; }

bool Clock::inDeviceTime() { return deviceTime; }

uint64_t DeviceClock::nanoseconds()
{
    if (polled)
        now += pollNanoseconds;
    polled = true;
    return now;
}

void DeviceClock::sleepWhile(DWORD milliseconds, void (*meanwhile)())
{
    const uint64_t until = now + milliseconds * nanosecondsPerMillisecond;
    if (meanwhile)
        meanwhile();
    // A wait of no time leaves a poll a poll: a loop of Sleep(0) and readings still moves.
    if (milliseconds == 0)
        return;
    if (now < until)
        now = until;
    polled = false;
}

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

void ManualClock::sleepWhile(DWORD milliseconds, void (*meanwhile)())
{
    const uint64_t until = now + milliseconds * nanosecondsPerMillisecond;
    if (meanwhile)
        meanwhile();
    if (now < until)
        now = until;
    moved = true;
}

void ManualClock::advance(uint64_t nanoseconds)
{
    now += nanoseconds;
    moved = true;
}

void ManualClock::advanceMilliseconds(uint64_t milliseconds) { advance(milliseconds * nanosecondsPerMillisecond); }

void ManualClock::setStep(uint64_t nanoseconds) { step = nanoseconds; }

uint64_t ManualClock::peek() const { return now; }
