#include "platform/hosts/FbdevHost.h"

#include "platform/device/DeviceProfile.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/hosts/ConsoleMode.h"
#include "platform/input/InputSchedule.h"
#include "platform/windows/WindowObjects.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr const char* defaultDevice = "/dev/fb0";
constexpr long largestScale = 8;

std::string fromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}
} // namespace

int FbdevHost::scaleFromEnvironment()
{
    std::string value = fromEnvironment("PARVOLIN_SCALE");
    if (value.empty())
        return 0;
    char* end = nullptr;
    long scale = std::strtol(value.c_str(), &end, 10);
    if (*end || scale < 1 || scale > largestScale) {
        std::fprintf(stderr,
                     "Parvolin: PARVOLIN_SCALE \"%s\" is not a whole number from 1 to %ld; using the largest "
                     "scale that fits the screen\n",
                     value.c_str(), largestScale);
        return 0;
    }
    return static_cast<int>(scale);
}

std::unique_ptr<Host> FbdevHost::create(std::string& why)
{
    std::string video = fromEnvironment("PARVOLIN_VIDEO");
    if (video != "fbdev") {
        if (!video.empty()) {
            why = "it is chosen by what this machine has only when PARVOLIN_VIDEO is not set";
            return nullptr;
        }
        if (!fromEnvironment("DISPLAY").empty() || !fromEnvironment("WAYLAND_DISPLAY").empty()) {
            why = "there is a desktop";
            return nullptr;
        }
    }
    std::string path = fromEnvironment("PARVOLIN_FBDEV");
    if (path.empty())
        path = defaultDevice;
    std::string modeText = fromEnvironment("PARVOLIN_FBDEV_MODE");
    FrameBufferMode mode;
    if (!modeText.empty() && !FrameBufferMode::parse(modeText, mode, why))
        return nullptr;
    std::unique_ptr<FbdevHost> host(new FbdevHost(scaleFromEnvironment()));
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
    devices.read(placed, commands);
    for (const InputCommand& command : commands)
        InputSchedule::current().deliver(command);
    const MousePointer& pointer = devices.pointer();
    if (started && devices.hasMouse() && (pointer.x != drawnPointer.x || pointer.y != drawnPointer.y))
        draw();
}

bool FbdevHost::waitForInput(DWORD milliseconds) { return devices.wait(milliseconds); }
