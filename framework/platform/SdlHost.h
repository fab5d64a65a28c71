#ifndef PARVOLIN_SDL_HOST_H
#define PARVOLIN_SDL_HOST_H

#include "platform/Host.h"

#include <string>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

// An SDL2 window on the desktop showing the device's glass, each glass pixel a square of
// PARVOLIN_SCALE (1 to 8, default 2) screen pixels, titled after the device's newest
// top-level window. It opens with the first frame.
class SdlHost : public Host {
public:
    // Null when SDL has no video display here: no driver, or only one that shows nothing
    // ("offscreen", "dummy") without SDL_VIDEODRIVER naming it.
    static std::unique_ptr<Host> create();
    ~SdlHost() override;

    void present(const EmulatedScreen& screen) override;
    void windowsChanged() override;

    // The desktop window as it is now; empty before the first frame.
    std::string title() const;
    void windowSize(int& width, int& height) const;

    // PARVOLIN_SCALE, or 2 when it is not set; a value outside 1..8 is reported on stderr.
    static int scaleFromEnvironment();

private:
    explicit SdlHost(int scale);
    bool fit(uint32_t width, uint32_t height);
    void closeWindow();

    const int scale;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    uint32_t glassWidth = 0;
    uint32_t glassHeight = 0;
};

#endif
