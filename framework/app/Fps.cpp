#include "app/Fps.h"

#include "app/FpsTimer.h"
#include "core/ResultCodes.h"
#include "platform/system/SystemServices.h"

#include <new>

namespace {
constexpr int64_t ticksPerSecond = 1000;
} // namespace

Fps::Fps() : timer(nullptr) {}

Fps::~Fps() { delete timer; }

long Fps::start(unsigned long fps)
{
    FpsTimer* old = timer;
    timer = new (std::nothrow) FpsTimer();
    if (!timer) {
        delete old;
        return ResultCode::OutOfMemory;
    }
    // The rate is a 32-bit number; deciding "limited" on the same 32 bits keeps a rate of
    // 2^32 from dividing by zero.
    timer->targetFps = static_cast<uint32_t>(fps);
    timer->limited = timer->targetFps != 0;

    LARGE_INTEGER frequency, count;
    if (QueryPerformanceFrequency(&frequency) && QueryPerformanceCounter(&count) && frequency.QuadPart > 0) {
        timer->highResolution = true;
        timer->frequency = frequency.QuadPart;
        timer->currentCount = count.QuadPart;
        timer->previousCount = count.QuadPart;
        timer->frameCount = timer->limited ? timer->frequency / static_cast<int64_t>(timer->targetFps) : 0;
        timer->budgetCount = timer->frameCount;
    } else {
        timer->highResolution = false;
        timer->frameMs = timer->limited ? 1000u / timer->targetFps : 0;
        timer->budgetMs = timer->frameMs;
        timer->currentTick = GetTickCount();
        timer->lastTick = timer->currentTick;
    }
    // What was learnt of the system's sleep holds for the same period on the same clock.
    if (old && old->targetFps == timer->targetFps && old->highResolution == timer->highResolution)
        timer->wakes = old->wakes;
    else
        timer->wakes.start(timer->limited ? 1000000 / static_cast<int64_t>(timer->targetFps) : 0);
    delete old;
    return ResultCode::Ok;
}

long Fps::restart()
{
    if (!timer)
        return ResultCode::FpsNotStarted;
    return start(timer->targetFps);
}

// Both modes wait the same way: read the clock until the period is over, sleeping through
// all of it but the last stretch (see WakeLateness), which is spun so that the boundary is
// hit as closely as the clock allows. Each sleep is measured by the next reading.
long Fps::wait()
{
    if (!timer)
        return ResultCode::FpsNotStarted;
    FpsTimer& t = *timer;
    DWORD slept = 0;
    if (t.highResolution) {
        if (!t.limited)
            t.budgetCount = 0;
        t.previousCount = t.currentCount;
        int64_t sleptFrom = 0;
        for (;;) {
            // A counter that stops answering ends the wait rather than spinning for ever.
            LARGE_INTEGER count;
            if (!QueryPerformanceCounter(&count))
                break;
            t.currentCount = count.QuadPart;
            t.elapsedCount = t.currentCount - t.previousCount;
            if (slept)
                t.wakes.record(slept, t.currentCount - sleptFrom, t.frequency);
            if (t.elapsedCount >= t.budgetCount)
                break;
            if ((slept = t.wakes.sleepFor(t.budgetCount - t.elapsedCount, t.frequency)) != 0) {
                sleptFrom = t.currentCount;
                Sleep(slept);
            }
        }
        t.budgetCount = t.budgetCount + t.frameCount - t.elapsedCount;
        if (t.budgetCount < 0)
            t.budgetCount = 0;
        return ResultCode::Ok;
    }
    if (!t.limited)
        t.budgetMs = 0;
    t.lastTick = t.currentTick;
    uint32_t sleptFrom = 0;
    for (;;) {
        t.currentTick = GetTickCount();
        // Unsigned, so the tick count's wrap after 49.7 days is harmless.
        t.elapsedMs = t.currentTick - t.lastTick;
        if (slept)
            t.wakes.record(slept, static_cast<uint32_t>(t.currentTick - sleptFrom), ticksPerSecond);
        if (t.elapsedMs >= t.budgetMs)
            break;
        if ((slept = t.wakes.sleepFor(t.budgetMs - t.elapsedMs, ticksPerSecond)) != 0) {
            sleptFrom = t.currentTick;
            Sleep(slept);
        }
    }
    t.budgetMs = t.elapsedMs > t.frameMs + t.budgetMs ? 0 : t.frameMs + t.budgetMs - t.elapsedMs;
    return ResultCode::Ok;
}

unsigned long Fps::getLastWait()
{
    if (!timer)
        return 0;
    if (!timer->highResolution)
        return static_cast<uint32_t>(timer->elapsedMs * 1000u);
    // Wide enough that a very long period cannot overflow; the low 32 bits are the result.
    __int128 micros = static_cast<__int128>(timer->elapsedCount) * 1000000 / timer->frequency;
    return static_cast<uint32_t>(static_cast<uint64_t>(micros));
}
