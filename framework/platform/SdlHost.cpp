#include "platform/SdlHost.h"

#include "platform/EmulatedScreen.h"
#include "platform/GlassImage.h"
#include "platform/HostText.h"
#include "platform/WindowObjects.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int defaultScale = 2;
constexpr int largestScale = 8;

std::string titleText()
{
    std::wstring title = WindowObjects::newestTitle();
    std::string text;
    if (title.empty() || !HostText::toUtf8(title.c_str(), text))
        return "Parvolin";
    return text;
}
} // namespace

int SdlHost::scaleFromEnvironment()
{
    const char* value = std::getenv("PARVOLIN_SCALE");
    if (!value || !*value)
        return defaultScale;
    char* end = nullptr;
    long scale = std::strtol(value, &end, 10);
    if (*end || scale < 1 || scale > largestScale) {
        std::fprintf(stderr, "Parvolin: PARVOLIN_SCALE \"%s\" is not a whole number from 1 to %d; using %d\n", value,
                     largestScale, defaultScale);
        return defaultScale;
    }
    return static_cast<int>(scale);
}

std::unique_ptr<Host> SdlHost::create()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return nullptr;
    // SDL falls back to drivers that show nothing; they count only when asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    bool showsNothing = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (SDL_GetNumVideoDisplays() < 1 || (showsNothing && !(asked && std::strcmp(asked, driver) == 0))) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    return std::unique_ptr<Host>(new SdlHost(scaleFromEnvironment()));
}

std::string SdlHost::title() const { return window ? SDL_GetWindowTitle(window) : std::string(); }

void SdlHost::windowSize(int& width, int& height) const
{
    width = height = 0;
    if (window)
        SDL_GetWindowSize(window, &width, &height);
}

SdlHost::SdlHost(int scale) : scale(scale) {}

SdlHost::~SdlHost()
{
    closeWindow();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlHost::closeWindow()
{
    if (texture)
        SDL_DestroyTexture(texture);
    if (renderer)
        SDL_DestroyRenderer(renderer);
    if (window)
        SDL_DestroyWindow(window);
    texture = nullptr;
    renderer = nullptr;
    window = nullptr;
    glassWidth = glassHeight = 0;
}

// A window (and a texture) of the glass's size; made again when another device is chosen.
bool SdlHost::fit(uint32_t width, uint32_t height)
{
    if (window && width == glassWidth && height == glassHeight)
        return true;
    closeWindow();
    window = SDL_CreateWindow(titleText().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              static_cast<int>(width) * scale, static_cast<int>(height) * scale, 0);
    if (window)
        renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer)
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                    static_cast<int>(width), static_cast<int>(height));
    if (!texture) {
        std::fprintf(stderr, "Parvolin: the SDL window cannot show the glass: %s\n", SDL_GetError());
        closeWindow();
        return false;
    }
    glassWidth = width;
    glassHeight = height;
    return true;
}

void SdlHost::present(const EmulatedScreen& screen)
{
    GlassImage glass = Glass::capture(screen);
    if (!fit(glass.width, glass.height))
        return;
    SDL_UpdateTexture(texture, nullptr, glass.pixels.data(), static_cast<int>(glass.width * sizeof(uint32_t)));
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    // Keeps the desktop's window responsive; input is not read yet.
    SDL_PumpEvents();
}

void SdlHost::windowsChanged()
{
    if (window)
        SDL_SetWindowTitle(window, titleText().c_str());
}
