#ifndef PARVOLIN_SDL_HOST_H
#define PARVOLIN_SDL_HOST_H

#include "platform/base/Host.h"

#include <string>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;
struct InputCommand;

// An SDL2 window on the desktop showing the device's glass, each glass pixel a square of
// PARVOLIN_SCALE (1 to 8, default 2) screen pixels, titled after the program's window and
// minimised with it. It opens with the first frame.
//
// Its input is the device's: the mouse's left button and its motion while pressed are the
// stylus (window coordinates divided by the scale), the arrow keys the direction pad,
// Enter is Start, Z, X and C are A, B and C; losing and gaining the focus deactivate and
// activate, closing the window is the close command. F12 saves the glass as a PNG file in
// the working folder. The device's speaker is an SDL audio device (SDL's audio subsystem
// alone), a little behind the device's clock so that it never runs dry.
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
    void playSound(const int16_t* frames, size_t count) override;
    bool sharesDesktop() const override { return true; }

    // The desktop window as it is now; empty before the first frame.
    std::string title() const;
    void windowSize(int& width, int& height) const;

    // PARVOLIN_SCALE, or 2 when it is not set; a value outside 1..8 is reported on stderr.
    static int scaleFromEnvironment();

private:
    explicit SdlHost(int scale);
    bool fit(uint32_t width, uint32_t height);
    // The SDL audio device, opened with the first sound; false when there is none (no
    // sound card: the sound is let go and the game goes on).
    bool openSpeaker();
    void closeWindow();
    // One SDL event as the device's input; false for one that means nothing to it.
    bool translate(const SDL_Event& event, InputCommand& command);
    void stylusAt(int windowX, int windowY, InputCommand& command) const;
    void saveShot();

    const int scale;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    uint32_t glassWidth = 0;
    uint32_t glassHeight = 0;
    bool stylusDown = false;
    bool minimised = false;
    unsigned shots = 0;
    uint32_t speaker = 0;
    bool speakerTried = false;
};

#endif
