#include "platform/hosts/WebHost.h"
#include "platform/hosts/HostEnvironment.h"
#include "platform/hosts/HostKeys.h"

#include "platform/base/Clock.h"
#include "platform/base/InputCommand.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/device/GlassImage.h"
#include "platform/device/GlassPlacement.h"
#include "platform/input/InputSchedule.h"

#include <emscripten.h>

#include <algorithm>
#include <cstring>

// The page's side of the host is Module.parvolinWeb (WebPage.js); these calls reach it.
// The page queues what the person does, and the program takes it at its frame ticks: the
// program is never called from the page while it waits.
EM_JS(void, parvolin_web_show, (const uint32_t* pixels, int width, int height),
      { Module.parvolinWeb.show(pixels, width, height); });
EM_JS(void, parvolin_web_title, (const char* title), { Module.parvolinWeb.setTitle(UTF8ToString(title)); });
EM_JS(int, parvolin_web_take_event, (int32_t* fields, char* name, int nameSize),
      { return Module.parvolinWeb.takeEvent(fields, name, nameSize); });
EM_JS(int, parvolin_web_pending_events, (), { return Module.parvolinWeb.pendingEvents(); });
EM_JS(int, parvolin_web_pad, (int index, int32_t* fields), { return Module.parvolinWeb.padState(index, fields); });
EM_JS(void, parvolin_web_play, (const int16_t* frames, int count), { Module.parvolinWeb.play(frames, count); });
EM_JS(void, parvolin_web_alert, (const char* text), { Module.parvolinWeb.alert(UTF8ToString(text)); });
// Lets the browser run what waits (input, drawing, timers) and comes back at once: a
// message to itself, which browsers do not slow down as they do nested zero timeouts.
EM_ASYNC_JS(void, parvolin_web_yield, (), { await Module.parvolinWeb.yieldToPage(); });

namespace {
// The page's events, as parvolin_web_take_event gives them: kind, x, y (CSS pixels from
// the canvas's top left corner), the canvas's scale; a key's name beside.
enum PageEvent { PointerDown, PointerMove, PointerUp, PointerDouble, KeyDown, KeyUp, Hidden, Shown };

// The standard gamepad's buttons (the Gamepad API's "standard" mapping).
constexpr struct {
    int button;
    HostKeys::PadButton pad;
} standardButtons[] = {{0, HostKeys::PadButton::A},       {1, HostKeys::PadButton::B},
                       {2, HostKeys::PadButton::X},       {9, HostKeys::PadButton::Start},
                       {12, HostKeys::PadButton::DpadUp}, {13, HostKeys::PadButton::DpadDown},
                       {14, HostKeys::PadButton::DpadLeft}, {15, HostKeys::PadButton::DpadRight}};
constexpr int axisRange = 32767;
} // namespace

std::unique_ptr<Host> WebHost::create(std::string&) { return std::unique_ptr<Host>(new WebHost()); }

bool WebHost::canRunInDeviceTime() const { return !HostEnvironment::variable("PARVOLIN_SCRIPT").empty(); }

void WebHost::present(const EmulatedScreen& screen)
{
    // The glass is refreshed more often than it changes: an unchanged frame buffer is not
    // drawn again.
    const unsigned char* memory = screen.memoryStart();
    const size_t bytes = screen.memorySize();
    if (shownScreen == &screen && sameLayout(shownLayout, screen.layout()) && shown.size() == bytes &&
        std::memcmp(shown.data(), memory, bytes) == 0)
        return;
    GlassImage glass = Glass::capture(screen);
    parvolin_web_show(glass.pixels.data(), static_cast<int>(glass.width), static_cast<int>(glass.height));
    glassWidth = glass.width;
    glassHeight = glass.height;
    shown.assign(memory, memory + bytes);
    shownScreen = &screen;
    shownLayout = screen.layout();
}

void WebHost::windowsChanged() { parvolin_web_title(HostEnvironment::windowTitle().c_str()); }

void WebHost::deliverInput()
{
    // Once a frame tick the page gets its turn: what the person did meanwhile comes now.
    parvolin_web_yield();
    int32_t fields[4];
    char name[32];
    while (parvolin_web_take_event(fields, name, sizeof(name))) {
        InputCommand command;
        switch (fields[0]) {
        case PointerDown:
        case PointerDouble:
        case PointerMove:
        case PointerUp: {
            // A stylus is only seen while it touches the glass, and never leaves it.
            if (!glassWidth || (fields[0] != PointerDown && fields[0] != PointerDouble && !stylusDown))
                continue;
            command.kind = fields[0] == PointerDown     ? InputCommand::Down
                           : fields[0] == PointerDouble ? InputCommand::DoubleClick
                           : fields[0] == PointerMove   ? InputCommand::Move
                                                        : InputCommand::Up;
            stylusDown = fields[0] != PointerUp;
            GlassPlacement canvas;
            canvas.glassWidth = static_cast<int32_t>(glassWidth);
            canvas.glassHeight = static_cast<int32_t>(glassHeight);
            canvas.scale = std::max(1, fields[3]);
            canvas.glassPoint(fields[1], fields[2], command.x, command.y);
            break;
        }
        case KeyDown:
        case KeyUp:
            command.keyName = HostKeys::ofKeyboard(name);
            if (command.keyName == InputCommand::noKeyName)
                continue;
            command.kind = fields[0] == KeyDown ? InputCommand::KeyDown : InputCommand::KeyUp;
            break;
        case Hidden:
            command.kind = InputCommand::Deactivate;
            break;
        case Shown:
            command.kind = InputCommand::Activate;
            break;
        default:
            continue;
        }
        InputSchedule::current().deliver(command);
    }
    deliverPads();
}

// The browser tells a gamepad's state, not its changes: they are found by comparing with
// the last look. The clock is read only when a pad is there: in device time every reading
// moves it, and a page without a pad must keep the time a headless run keeps.
void WebHost::deliverPads()
{
    std::vector<InputCommand> out;
    uint64_t now = 0;
    for (int index = 0; index < padCount; ++index) {
        Pad& pad = pads[index];
        int32_t fields[4] = {0, 0, 0, 0};
        const bool connected = parvolin_web_pad(index, fields) != 0;
        if (connected && now == 0)
            now = Clock::current().nanoseconds();
        if (!connected) {
            if (pad.connected)
                pad.keys.releaseAll(out);
            pad = Pad();
            continue;
        }
        if (!pad.connected) {
            pad.connected = true;
            pad.keys.setRepeats(HeldKeys::padRepeatDelay, HeldKeys::padRepeatInterval);
        }
        const uint32_t buttons = static_cast<uint32_t>(fields[1]);
        for (const auto& entry : standardButtons) {
            const uint32_t bit = 1u << entry.button;
            if ((buttons ^ pad.buttons) & bit)
                pad.keys.hold(HostKeys::ofPadButton(entry.pad), HeldKeys::Button, (buttons & bit) != 0, now, out);
        }
        pad.buttons = buttons;
        const int x = HeldKeys::axisDirection(fields[2], -axisRange, axisRange);
        const int y = HeldKeys::axisDirection(fields[3], -axisRange, axisRange);
        if (x != pad.direction[0])
            pad.keys.axis(InputCommand::Left_, InputCommand::Right_, HeldKeys::Stick, x, now, out);
        if (y != pad.direction[1])
            pad.keys.axis(InputCommand::Up_, InputCommand::Down_, HeldKeys::Stick, y, now, out);
        pad.direction[0] = x;
        pad.direction[1] = y;
        pad.keys.repeatDue(now, out);
    }
    for (const InputCommand& command : out)
        InputSchedule::current().deliver(command);
}

bool WebHost::waitForInput(DWORD milliseconds)
{
    // In short steps, so that what the person does ends the wait soon.
    constexpr DWORD step = 10;
    DWORD waited = 0;
    for (;;) {
        if (parvolin_web_pending_events() > 0)
            return true;
        if (waited >= milliseconds)
            return false;
        const DWORD now = std::min(step, milliseconds - waited);
        emscripten_sleep(now);
        waited += now;
    }
}

void WebHost::playSound(const int16_t* frames, size_t count)
{
    parvolin_web_play(frames, static_cast<int>(std::min<size_t>(count, 1u << 20)));
}

void WebHost::showMessageBox(BoxKind, const std::string& caption, const std::string& text)
{
    parvolin_web_alert((caption + "\n\n" + text).c_str());
}
