#ifndef PARVOLIN_TEST_APP_HARNESS_H
#define PARVOLIN_TEST_APP_HARNESS_H

#include "app/Application.h"
#include "app/StateMachine.h"
#include "support/CountingHost.h"
#include "support/DeviceScope.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Runs applications in this process on an emulated device whose every flip is one
// presented frame (the Game API), under a clock that stands still unless a test makes it
// step, with input from a script given as text.
class AppHarness : public ::testing::Test {
protected:
    AppHarness();
    void SetUp() override;
    void TearDown() override;

    // The script's commands for the coming run ("2 down 10 20\n5 close").
    void script(const std::string& text);
    // Closes the application before frame tick `ticks`.
    void frameLimit(uint64_t ticks);

    static HINSTANCE someInstance() { return reinterpret_cast<HINSTANCE>(uintptr_t(0x4000)); }

    ScopedDeviceProfile device{"pocketpc2002"};
    ScopedManualClock clock;
    CountingHost host;
};

// Empties the thread's queue: a run leaves WM_QUIT behind (its window's WM_DESTROY posts
// it), which the next run in this thread would otherwise find first.
void drainQueue();

// An event log: every call a handler or an application receives, as text.
using EventLog = std::vector<std::string>;

std::string pointText(const char* event, tagPOINT point);

// An application whose configuration, frames and results the test decides, logging every
// event it receives.
class ProbeApplication : public Application {
public:
    explicit ProbeApplication(EventLog& log) : log(log) {}

    std::function<void(Config*)> configurer;
    long configureResult = 0;
    long initResult = 0;
    // Called for each frame with its number (counting onNextFrame calls from 0).
    std::function<long(int frame)> frame;
    std::function<void()> minimized;
    std::function<void()> restored;
    std::function<void()> keyUp;
    int frames = 0;
    uint32_t configuredFps = 0;  // what configure found in the record
    KeyList lastKeys = {};

    long configure(Config* config) override;
    long onInit(Surface* surface, Panel* panel, Application* application) override;
    long onExit() override;
    long onNextFrame(Surface* surface, Panel* panel) override;
    long onMinimize() override;
    long onRestore() override;
    long onKeyDown(unsigned long key, KeyList& keys) override;
    long onKeyUp(unsigned long key, KeyList& keys) override;
    long onStylusDown(tagPOINT point) override;
    long onStylusUp(tagPOINT point) override;
    long onStylusDblClk(tagPOINT point) override;
    long onStylusMove(tagPOINT point) override;

private:
    EventLog& log;
};

#endif
