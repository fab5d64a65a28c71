#include "app/Fps.h"
#include "core/ResultCodes.h"
#include "support/DeviceScope.h"

#include <gtest/gtest.h>

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
