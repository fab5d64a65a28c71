#include "AppHarness.h"

#include "platform/input/InputScript.h"
#include "platform/input/InputSchedule.h"
#include "platform/windows/Messages.h"
#include "platform/libraries/ShellHelper.h"
#include "support/DeviceTestAccess.h"

void drainQueue()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

AppHarness::AppHarness() {}

void AppHarness::SetUp()
{
    drainQueue();
    InputSchedule::current().reset();
    resetShellHelperStatus();
}

void AppHarness::TearDown()
{
    // The runs made the device detect its platform; the next test may emulate another.
    DeviceTestAccess::forgetPlatform();
    drainQueue();
    InputSchedule::current().reset();
}

void AppHarness::script(const std::string& text)
{
    std::vector<InputCommand> commands;
    std::string error;
    ASSERT_TRUE(InputScript::parse(text, commands, error)) << error;
    InputSchedule::current().setScript(commands);
}

void AppHarness::frameLimit(uint64_t ticks) { InputSchedule::current().setFrameLimit(ticks); }

std::string pointText(const char* event, tagPOINT point)
{
    return std::string(event) + " " + std::to_string(point.x) + "," + std::to_string(point.y);
}

long ProbeApplication::configure(Config* config)
{
    configuredFps = config->fps;
    // Unpaced unless a test asks: the harness's clock stands still.
    config->fps = 0;
    if (configurer)
        configurer(config);
    return configureResult;
}

long ProbeApplication::onInit(Surface*, Panel*, Application*)
{
    log.push_back("init");
    return initResult;
}

long ProbeApplication::onExit()
{
    log.push_back("exit");
    return 0;
}

long ProbeApplication::onNextFrame(Surface*, Panel*)
{
    int number = frames++;
    log.push_back("frame " + std::to_string(number));
    return frame ? frame(number) : 0;
}

long ProbeApplication::onMinimize()
{
    log.push_back("minimize");
    if (minimized)
        minimized();
    return 0;
}

long ProbeApplication::onRestore()
{
    log.push_back("restore");
    if (restored)
        restored();
    return 0;
}

long ProbeApplication::onKeyDown(unsigned long key, KeyList& keys)
{
    lastKeys = keys;
    log.push_back("keydown " + std::to_string(key));
    return 0;
}

long ProbeApplication::onKeyUp(unsigned long key, KeyList& keys)
{
    lastKeys = keys;
    log.push_back("keyup " + std::to_string(key));
    if (keyUp)
        keyUp();
    return 0;
}

long ProbeApplication::onStylusDown(tagPOINT point)
{
    log.push_back(pointText("down", point));
    return 0;
}

long ProbeApplication::onStylusUp(tagPOINT point)
{
    log.push_back(pointText("up", point));
    return 0;
}

long ProbeApplication::onStylusDblClk(tagPOINT point)
{
    log.push_back(pointText("dblclk", point));
    return 0;
}

long ProbeApplication::onStylusMove(tagPOINT point)
{
    log.push_back(pointText("move", point));
    return 0;
}
