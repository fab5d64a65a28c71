#ifndef PARVOLIN_FBDEV_HOST_H
#define PARVOLIN_FBDEV_HOST_H

#include "platform/base/Host.h"
#include "platform/device/GlassImage.h"
#include "platform/device/GlassPlacement.h"
#include "platform/hosts/FrameBuffer.h"
#include "platform/hosts/SdlSpeaker.h"
#include "platform/input/EvdevDevices.h"

#include <string>
#include <vector>

// The device on a Linux frame buffer, for handhelds and boards without a desktop or a GPU.
// It opens PARVOLIN_FBDEV (default /dev/fb0), or, with PARVOLIN_FBDEV_MODE, a device or
// plain file of that geometry, and shows the glass on every frame of the device, scaled by
// PARVOLIN_SCALE or by the largest whole factor that fits, centred (halves rounded down),
// black around it. Its input is the input event devices' (EvdevDevices), plus the input
// script as under every host; it runs in real time. On a virtual terminal the console is
// in graphics mode while the program runs (ConsoleMode). The last picture stays in the
// frame buffer when the program ends.
//
// The device's speaker is an SdlSpeaker: SDL's audio alone, no video; silent on a machine
// without a sound device, and in a build without SDL2.
class FbdevHost : public Host {
public:
    // Serves when PARVOLIN_VIDEO=fbdev names it, or when PARVOLIN_VIDEO is unset, there is
    // no desktop (neither DISPLAY nor WAYLAND_DISPLAY) and the frame buffer can be opened
    // for writing. Null with `why`, naming the path or the value at fault, otherwise;
    // nothing was changed or created then.
    static std::unique_ptr<Host> create(std::string& why);
    ~FbdevHost() override;

    void present(const EmulatedScreen& screen) override;
    // The program's last window went: its glass, as the program left it, stays shown.
    void windowsChanged() override;
    void deliverInput() override;
    bool waitForInput(DWORD milliseconds) override;
    void playSound(const int16_t* frames, size_t count) override;

    const GlassPlacement& placement() const { return placed; }
    const FrameBuffer& frameBuffer() const { return screen; }
    const SdlSpeaker& sound() const { return speaker; }

private:
    explicit FbdevHost(int scale) : askedScale(scale) {}
    // The glass of `width` x `height` pixels placed on the screen (again when its size
    // changed: another device was chosen).
    void place(uint32_t width, uint32_t height);
    void draw();

    FrameBuffer screen;
    EvdevDevices devices;
    SdlSpeaker speaker;
    const int askedScale;
    GlassPlacement placed;
    bool placedOnce = false;
    bool started = false;    // the first frame is shown: the console is switched
    bool needsClear = true;  // black around a glass that was placed anew
    GlassImage shown;
    MousePointer drawnPointer;
    std::vector<InputCommand> commands;
};

#endif
