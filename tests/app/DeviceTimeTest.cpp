// A game run in device time: the clock moves only while the game waits, so that a run
// under a script reads the same clock at every tick, run after run, and its frames fall
// on the pacer's boundaries however long the machine took to draw them.

#include "AppHarness.h"

#include "app/Fps.h"
#include "platform/input/InputSchedule.h"
#include "platform/system/SystemServices.h"
#include "support/DeviceTestAccess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class DeviceTime : public AppHarness {
protected:
    // The frames' readings of the tick count and the counter, and what the game received.
    struct Run {
        std::vector<int64_t> counts;
        std::vector<std::string> log;
    };

    Run runOnce()
    {
        // Each run from the same start: an empty queue, no schedule, an undetected device.
        drainQueue();
        InputSchedule::current().reset();
        DeviceTestAccess::forgetPlatform();
        DeviceClock deviceTime;
        Clock::install(&deviceTime);
        script("3 down 10 20\n5 move 30 40\n7 up 30 40\n"
               "600 deactivate\n610 activate\n");
        frameLimit(1000);
        Run run;
        ProbeApplication app(run.log);
        app.setAppInstance(someInstance());
        app.configurer = [](Config* config) { config->fps = 32; };
        app.frame = [&](int frame) {
            LARGE_INTEGER count;
            QueryPerformanceCounter(&count);
            run.counts.push_back(count.QuadPart);
            run.log.push_back(std::to_string(frame) + " at " + std::to_string(GetTickCount()) + " ms, " +
                              std::to_string(count.QuadPart) + ", last wait " +
                              std::to_string(app.getFps()->getLastWait()) + " us");
            return 0L;
        };
        EXPECT_EQ(0, app.run());
        Clock::install(&clock);
        return run;
    }
};

TEST_F(DeviceTime, TwoRunsOfOneScriptReadTheSameClockAtEveryTickOnThePacersBoundaries)
{
    Run first = runOnce();
    Run second = runOnce();
    ASSERT_GT(first.counts.size(), 900u);
    EXPECT_EQ(first.log.size(), second.log.size());
    for (size_t i = 0; i < first.log.size() && i < second.log.size(); ++i)
        if (first.log[i] != second.log[i]) {
            ADD_FAILURE() << "entry " << i << ": " << first.log[i] << " / " << second.log[i];
            break;
        }

    // The device's counter runs at 3686400 a second: a period of 32 frames a second is
    // 115200 counts, held to within the microsecond that a reading of the clock takes.
    const int64_t period = 115200;
    int onTheBoundary = 0;
    for (size_t i = 1; i < first.counts.size(); ++i)
        onTheBoundary += std::llabs(first.counts[i] - first.counts[i - 1] - period) <= 8;
    EXPECT_GE(onTheBoundary, static_cast<int>(first.counts.size()) - 3) << "all but the frames around the pause";
}

} // namespace
