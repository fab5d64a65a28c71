#ifndef PARVOLIN_SDL_HOST_H
#define PARVOLIN_SDL_HOST_H

#include "platform/base/Host.h"
#include "platform/device/DeviceProfile.h"
#include "platform/hosts/SdlSpeaker.h"

#include <memory>
#include <string>
#include <vector>

class SdlControllers;
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;
struct InputCommand;

// An SDL2 window on the desktop showing the device's glass, each glass pixel a square of
// PARVOLIN_SCALE (1 to 8) screen pixels, titled after the program's window and minimised
// with it. Without PARVOLIN_SCALE the scale is the largest of 1 to 4 at which the window
// fits the desktop's usable area; a PARVOLIN_SCALE too large for it still applies, with a
// warning. It opens with the first frame, in the middle of the usable area, or at its top
// left corner when it is larger.
//
// Its input is the device's: the mouse's left button and its motion while pressed are the
// stylus (window coordinates divided by the scale), the arrow keys the direction pad,
// Enter is Start, Z, X and C are A, B and C; game controllers are the keys too
// (SdlControllers); losing and gaining the focus deactivate and activate, closing the
// window is the close command. F12 saves the glass as a PNG file in the working folder.
// The device's speaker is an SdlSpeaker.
class SdlHost : public Host {
public:
    // Null, with the reason in `why`, when SDL has no video display here: no desktop, no
    // driver, or only one that shows nothing ("offscreen", "dummy") without
    // SDL_VIDEODRIVER naming it; or when this build has no window host at all.
    static std::unique_ptr<Host> create(std::string& why);
    static std::unique_ptr<Host> create()
    {
        std::string why;
        return create(why);
    }
    ~SdlHost() override;

    void present(const EmulatedScreen& screen) override;
    void windowsChanged() override;
    void deliverInput() override;
    bool waitForInput(DWORD milliseconds) override;
    void raise() override;
    void showMessageBox(BoxKind kind, const std::string& caption, const std::string& text) override;
    void playSound(const int16_t* frames, size_t count) override;
    bool sharesDesktop() const override { return true; }

    // The desktop window as it is now; empty before the first frame.
    std::string title() const;
    void windowSize(int& width, int& height) const;

    // PARVOLIN_SCALE, or `unset` when it is not set; a value outside 1..8 is reported on
    // stderr and counts as not set.
    static int scaleFromEnvironment(int unset = 2);

    // The scale of a glass of `glassWidth` x `glassHeight` on a desktop whose usable area
    // is `usableWidth` x `usableHeight` (0: unknown): `asked` (1..8) when given, else
    // (0) the largest of 1 to 4 that fits, 2 on a desktop of unknown size. `warning`
    // says when the window will not fit, naming its size, and is empty otherwise.
    static int chooseScale(int asked, uint32_t glassWidth, uint32_t glassHeight, int usableWidth, int usableHeight,
                           std::string& warning);
    // Where a window of `width` x `height` goes in the usable area at (`usableX`,
    // `usableY`) of `usableWidth` x `usableHeight`: in its middle, but never above or
    // left of it.
    static void placeWindow(int width, int height, int usableX, int usableY, int usableWidth, int usableHeight,
                            int& x, int& y);

private:
    explicit SdlHost(int askedScale);
    bool fit(uint32_t width, uint32_t height);
    void closeWindow();
    // One SDL event as the device's input; false for one that means nothing to it.
    bool translate(const SDL_Event& event, InputCommand& command);
    void stylusAt(int windowX, int windowY, InputCommand& command) const;
    void saveShot();

    const int askedScale;  // 0: chosen by the desktop's size
    int scale;
    std::unique_ptr<SdlControllers> controllers;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    uint32_t glassWidth = 0;
    uint32_t glassHeight = 0;
    std::vector<unsigned char> shown;  // the frame buffer the window shows, and whose
    const EmulatedScreen* shownScreen = nullptr;
    FrameBufferLayout shownLayout = {};
    bool stale = true;  // the window must be drawn again, changed or not
    bool stylusDown = false;
    bool minimised = false;
    unsigned shots = 0;
    SdlSpeaker speaker;
};

#endif
