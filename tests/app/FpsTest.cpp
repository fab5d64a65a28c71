#include "app/Fps.h"
#include "core/ResultCodes.h"
#include "support/DeviceScope.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr uint64_t millisecond = 1000000;

// Does `workMs` of frame work, then waits; returns the period the pacer measured.
unsigned long frame(Fps& fps, ManualClock& clock, uint64_t workMs)
{
    clock.advanceMilliseconds(workMs);
    EXPECT_EQ(ResultCode::Ok, fps.wait());
    return fps.getLastWait();
}

TEST(Fps, NothingWorksBeforeStart)
{
    Fps fps;
    EXPECT_EQ(ResultCode::FpsNotStarted, fps.wait());
    EXPECT_EQ(ResultCode::FpsNotStarted, fps.restart());
    EXPECT_EQ(0u, fps.getLastWait());
}

// The worked example, on the millisecond tick count of a device without a counter.
TEST(Fps, TickModeHoldsWholeMillisecondPeriodsAndMakesUpAtMostOne)
{
    ScopedDeviceProfile device("pocketpc2002-nocounter");
    ScopedManualClock clock(1000 * millisecond, millisecond);
    Fps fps;
    ASSERT_EQ(ResultCode::Ok, fps.start(32));

    // 1000 / 32 in whole milliseconds: 31, not 31.25.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(31000u, frame(fps, clock, 10));
    // 50 ms late passes at once; the next period is 31 + 31 - 50.
    EXPECT_EQ(50000u, frame(fps, clock, 50));
    EXPECT_EQ(12000u, frame(fps, clock, 1));
    EXPECT_EQ(31000u, frame(fps, clock, 10));
    // 100 ms is more than a period beyond the budget: nothing is made up, the budget is
    // 0 (not negative), and the next period is the frame's own work.
    EXPECT_EQ(100000u, frame(fps, clock, 100));
    EXPECT_EQ(10000u, frame(fps, clock, 10));
    // The budget left after that frame was 31 - 10.
    EXPECT_EQ(21000u, frame(fps, clock, 1));
    EXPECT_EQ(31000u, frame(fps, clock, 10));
}

TEST(Fps, TickModeSurvivesTheTickCountWrapping)
{
    ScopedDeviceProfile device("pocketpc2002-nocounter");
    ScopedManualClock clock((0x100000000ULL - 20) * millisecond, millisecond);
    Fps fps;
    fps.start(32);
    EXPECT_EQ(31000u, frame(fps, clock, 10));
    EXPECT_EQ(31000u, frame(fps, clock, 10));
}

// The same example on a counter of one count per microsecond, polled every 250 us.
TEST(Fps, CounterModeCarriesLatenessTheSameWay)
{
    DeviceProfile counted = *DeviceProfiles::find("pocketpc2003");
    counted.performanceFrequency = 1000000;
    ScopedDeviceProfile device(counted);
    ScopedManualClock clock(0, 250000);
    Fps fps;
    ASSERT_EQ(ResultCode::Ok, fps.start(32));

    EXPECT_EQ(31250u, frame(fps, clock, 10));
    EXPECT_EQ(31250u, frame(fps, clock, 10));
    EXPECT_EQ(50000u, frame(fps, clock, 50));
    EXPECT_EQ(12500u, frame(fps, clock, 10));
    EXPECT_EQ(100000u, frame(fps, clock, 100));
    EXPECT_EQ(10000u, frame(fps, clock, 10));
    // The budget left after that frame was 31250 - 10000.
    EXPECT_EQ(21250u, frame(fps, clock, 1));
}

TEST(Fps, UnpacedFramesPassAtOnceAndStillMeasure)
{
    for (const char* name : {"pocketpc2002-nocounter", "pocketpc2003"}) {
        SCOPED_TRACE(name);
        DeviceProfile profile = *DeviceProfiles::find(name);
        if (profile.performanceFrequency)
            profile.performanceFrequency = 1000000;
        ScopedDeviceProfile device(profile);
        ScopedManualClock clock(0, millisecond);
        Fps fps;
        ASSERT_EQ(ResultCode::Ok, fps.start(0));
        EXPECT_EQ(7000u, frame(fps, clock, 7));
        EXPECT_EQ(3000u, frame(fps, clock, 3));
        EXPECT_EQ(0u, frame(fps, clock, 0));
    }
}

TEST(Fps, RestartForgetsLatenessAndStartsThePeriodNow)
{
    ScopedDeviceProfile device("pocketpc2002-nocounter");
    ScopedManualClock clock(0, millisecond);
    Fps fps;
    fps.start(32);
    EXPECT_EQ(50000u, frame(fps, clock, 50));
    // Minimised for a while, then restored.
    clock.advanceMilliseconds(5000);
    ASSERT_EQ(ResultCode::Ok, fps.restart());
    EXPECT_EQ(31000u, frame(fps, clock, 10));
}

TEST(Fps, ACounterThatStopsAnsweringEndsTheWait)
{
    DeviceProfile counted = *DeviceProfiles::find("pocketpc2003");
    ScopedDeviceProfile device(counted);
    ScopedManualClock clock(0, 0);
    Fps fps;
    fps.start(32);
    ScopedDeviceProfile without("pocketpc2002-nocounter");
    EXPECT_EQ(ResultCode::Ok, fps.wait());
}

} // namespace

namespace {

// A clock whose sleeps wake `late` after their time, counting what the pacer does with it.
class SleepyClock : public ScopedManualClock {
public:
    explicit SleepyClock(uint64_t step) : ScopedManualClock(0, step) {}
    uint64_t nanoseconds() override
    {
        ++readings;
        return ScopedManualClock::nanoseconds();
    }
    void sleepWhile(DWORD milliseconds, void (*meanwhile)()) override
    {
        sleptMs += milliseconds;
        ScopedManualClock::sleepWhile(milliseconds, meanwhile);
        advance(late);
    }
    uint64_t late = 0;
    uint64_t readings = 0;
    uint64_t sleptMs = 0;
};

struct PacedDevice {
    const char* profile;
    unsigned long period;  // microseconds at 32 frames per second
};

class FpsSleeping : public ::testing::TestWithParam<PacedDevice> {
protected:
    // The device, with a counter of one count per microsecond where it has one.
    DeviceProfile device()
    {
        DeviceProfile profile = *DeviceProfiles::find(GetParam().profile);
        if (profile.performanceFrequency)
            profile.performanceFrequency = 1000000;
        return profile;
    }
};

// The pacer sleeps through the period and spins only its last stretch: the clock is read
// a few dozen times a frame instead of thousands, and every boundary is still exact.
TEST_P(FpsSleeping, SleepsThroughAllButTheLastStretchAndKeepsEveryBoundary)
{
    ScopedDeviceProfile scoped(device());
    SleepyClock clock(10 * 1000);  // a reading takes 10 us
    Fps fps;
    ASSERT_EQ(ResultCode::Ok, fps.start(32));
    for (int i = 0; i < 40; ++i) {
        const uint64_t readings = clock.readings, slept = clock.sleptMs;
        ASSERT_EQ(GetParam().period, frame(fps, clock, 5)) << "frame " << i;
        // Until it has measured the sleep, the pacer spins up to a sixteenth of the period.
        if (i < 16)
            continue;
        EXPECT_LT(clock.readings - readings, 150u) << "frame " << i;
        EXPECT_GE(clock.sleptMs - slept, 25u) << "frame " << i;
    }
}

// A sleep that wakes late makes the spun stretch longer, so that the boundaries stay
// exact; once it wakes on time again, the stretch shrinks back.
TEST_P(FpsSleeping, TheSpunStretchFollowsHowLateTheSleepWakes)
{
    ScopedDeviceProfile scoped(device());
    SleepyClock clock(10 * 1000);
    clock.late = 1 * millisecond;
    Fps fps;
    ASSERT_EQ(ResultCode::Ok, fps.start(32));
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ(GetParam().period, frame(fps, clock, 5)) << "frame " << i;
    uint64_t readings = clock.readings;
    frame(fps, clock, 5);
    const uint64_t lateReadings = clock.readings - readings;

    clock.late = 0;
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ(GetParam().period, frame(fps, clock, 5)) << "frame " << i;
    readings = clock.readings;
    frame(fps, clock, 5);
    EXPECT_LT(clock.readings - readings, lateReadings / 2);

    // A restart keeps what was learnt: no sixteenth of a period spun again.
    ASSERT_EQ(ResultCode::Ok, fps.restart());
    readings = clock.readings;
    EXPECT_EQ(GetParam().period, frame(fps, clock, 5));
    EXPECT_LT(clock.readings - readings, lateReadings / 2);
}

INSTANTIATE_TEST_SUITE_P(BothClocks, FpsSleeping,
                         ::testing::Values(PacedDevice{"pocketpc2003", 31250}, PacedDevice{"pocketpc2002-nocounter", 31000}),
                         [](const ::testing::TestParamInfo<PacedDevice>& info) {
                             return std::string(std::strchr(info.param.profile, '-') ? "TickCount" : "Counter");
                         });

} // namespace
