#ifndef PARVOLIN_WEB_HOST_H
#define PARVOLIN_WEB_HOST_H

#include "platform/base/Host.h"
#include "platform/device/DeviceProfile.h"
#include "platform/input/HeldKeys.h"

#include <memory>
#include <string>
#include <vector>

// A web page showing the device's glass on a canvas (WebPage.html and WebPage.js, built
// for the browser with Emscripten), scaled by the largest whole factor that fits the page,
// titled after the program's window.
//
// Its input is the device's: pointer events (mouse, touch, pen) are the stylus, mapped
// through the canvas's scale; the keyboard and the gamepads (the browser's standard
// layout) by the same tables as the SDL window (HostKeys); the page hidden and shown again
// deactivate and activate. The speaker is the page's Web Audio, which the browser starts
// with the first tap or key; until then the game runs silent.
//
// The program runs between the browser's own work: each frame tick gives control back to
// the page (deliverInput), and so does every wait of the device (the clock's sleeps and
// waitForInput), through Asyncify. A page opened with ?script= runs its script in device
// time, as a headless run does, so that its shots are the same.
class WebHost : public Host {
public:
    // Null, with the reason in `why`, in a build that does not run in a browser.
    static std::unique_ptr<Host> create(std::string& why);

    void present(const EmulatedScreen& screen) override;
    void windowsChanged() override;
    void deliverInput() override;
    bool waitForInput(DWORD milliseconds) override;
    void playSound(const int16_t* frames, size_t count) override;
    void showMessageBox(BoxKind kind, const std::string& caption, const std::string& text) override;
    bool canRunInDeviceTime() const override;

private:
    WebHost() = default;
    void deliverPads();

    // What the page last showed, so that an unchanged frame is not drawn again.
    std::vector<unsigned char> shown;
    const EmulatedScreen* shownScreen = nullptr;
    FrameBufferLayout shownLayout = {};
    uint32_t glassWidth = 0;
    uint32_t glassHeight = 0;
    bool stylusDown = false;

    struct Pad {
        bool connected = false;
        uint32_t buttons = 0;  // the standard gamepad's buttons, bit n for button n
        int direction[2] = {0, 0};
        HeldKeys keys;
    };
    static constexpr int padCount = 4;
    Pad pads[padCount];
};

#endif
