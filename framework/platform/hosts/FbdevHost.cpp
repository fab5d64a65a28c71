#include "platform/hosts/FbdevHost.h"
#include "platform/hosts/FbdevHostEntry.h"

#include "platform/base/Clock.h"
#include "platform/device/DeviceProfile.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/hosts/ConsoleMode.h"
#include "platform/hosts/HostEnvironment.h"
#include "platform/input/InputSchedule.h"
#include "platform/windows/WindowObjects.h"

#include <cstdio>

namespace {
constexpr const char* defaultDevice = "/dev/fb0";
} // namespace

std::unique_ptr<Host> FbdevHost::create(std::string& why)
{
    std::string video = HostEnvironment::variable("PARVOLIN_VIDEO");
    if (video != "fbdev") {
        if (!video.empty()) {
            why = "it is chosen by what this machine has only when PARVOLIN_VIDEO is not set";
            return nullptr;
        }
        if (HostEnvironment::hasDesktop()) {
            why = "there is a desktop";
            return nullptr;
        }
    }
    std::string path = HostEnvironment::variable("PARVOLIN_FBDEV");
    if (path.empty())
        path = defaultDevice;
    std::string modeText = HostEnvironment::variable("PARVOLIN_FBDEV_MODE");
    FrameBufferMode mode;
    if (!modeText.empty() && !FrameBufferMode::parse(modeText, mode, why))
        return nullptr;
    std::unique_ptr<FbdevHost> host(new FbdevHost(HostEnvironment::scale(0, "the screen")));
    if (!host->devices.configureFromEnvironment(why))
        return nullptr;
    if (!host->screen.open(path, modeText.empty() ? nullptr : &mode, why))
        return nullptr;
    host->devices.open();
    return host;
}

FbdevHost::~FbdevHost() { ConsoleMode::leave(); }

void FbdevHost::place(uint32_t width, uint32_t height)
{
    if (placedOnce && placed.glassWidth == int32_t(width) && placed.glassHeight == int32_t(height))
        return;
    const FrameBufferGeometry& geometry = screen.geometry();
    placed = GlassPlacement::centred(int32_t(geometry.width), int32_t(geometry.height), int32_t(width),
                                     int32_t(height), askedScale);
    if (askedScale && askedScale > GlassPlacement::largestScale(placed.screenWidth, placed.screenHeight,
                                                                placed.glassWidth, placed.glassHeight))
        std::fprintf(stderr,
                     "Parvolin: at PARVOLIN_SCALE %d the glass (%ux%u) is larger than the screen (%ux%u); its "
                     "middle is shown\n",
                     askedScale, width, height, geometry.width, geometry.height);
    placedOnce = true;
    needsClear = true;
    devices.placePointer(placed);
}

void FbdevHost::draw()
{
    screen.drawGlass(shown, placed);
    drawnPointer = devices.pointer();
    if (devices.hasMouse())
        screen.drawPointer(drawnPointer.x, drawnPointer.y, placed);
}

void FbdevHost::present(const EmulatedScreen& emulated)
{
    GlassImage glass = Glass::capture(emulated);
    place(glass.width, glass.height);
    if (!started) {
        started = true;
        ConsoleMode::enter();
    }
    if (needsClear) {
        screen.clear();
        needsClear = false;
    }
    shown = std::move(glass);
    draw();
}

void FbdevHost::windowsChanged()
{
    if (!started || WindowObjects::shownWindow())
        return;
    if (EmulatedScreen* emulated = EmulatedScreen::current())
        present(*emulated);
}

void FbdevHost::deliverInput()
{
    // The input of the first tick comes before the first frame: the glass's place is
    // known from the device already.
    const FrameBufferLayout& layout = DeviceProfiles::current().frameBuffer;
    place(layout.width, layout.height);
    commands.clear();
    devices.read(placed, Clock::current().nanoseconds(), commands);
    for (const InputCommand& command : commands)
        InputSchedule::current().deliver(command);
    const MousePointer& pointer = devices.pointer();
    if (started && devices.hasMouse() && (pointer.x != drawnPointer.x || pointer.y != drawnPointer.y))
        draw();
}

bool FbdevHost::waitForInput(DWORD milliseconds) { return devices.wait(milliseconds); }

void FbdevHost::playSound(const int16_t* frames, size_t count) { speaker.play(frames, count); }

std::unique_ptr<Host> createFbdevHost(std::string& why) { return FbdevHost::create(why); }
