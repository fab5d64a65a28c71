#include "platform/hosts/SdlHost.h"
#include "platform/hosts/SdlControllers.h"
#include "platform/hosts/HostEnvironment.h"
#include "platform/hosts/HostKeys.h"

#include "platform/base/Clock.h"

#include "platform/device/EmulatedScreen.h"
#include "platform/device/GlassImage.h"
#include "platform/device/GlassPlacement.h"
#include "platform/base/InputCommand.h"
#include "platform/input/InputSchedule.h"
#include "platform/windows/WindowObjects.h"

#include <SDL2/SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int defaultScale = 2;
constexpr int largestChosenScale = 4;
} // namespace

int SdlHost::scaleFromEnvironment(int unset) { return HostEnvironment::scale(unset, "the desktop"); }

int SdlHost::chooseScale(int asked, uint32_t glassWidth, uint32_t glassHeight, int usableWidth, int usableHeight,
                         std::string& warning)
{
    warning.clear();
    const bool known = usableWidth > 0 && usableHeight > 0;
    auto fits = [&](int scale) {
        return int64_t(glassWidth) * scale <= usableWidth && int64_t(glassHeight) * scale <= usableHeight;
    };
    int scale = asked;
    if (scale < 1 || scale > HostEnvironment::largestScale)
        scale = known ? std::clamp<int>(GlassPlacement::largestScale(usableWidth, usableHeight,
                                                                     static_cast<int32_t>(glassWidth),
                                                                     static_cast<int32_t>(glassHeight)),
                                        1, largestChosenScale)
                      : defaultScale;
    if (known && !fits(scale))
        warning = "the window of " + std::to_string(int64_t(glassWidth) * scale) + " x " +
                  std::to_string(int64_t(glassHeight) * scale) + " (scale " + std::to_string(scale) +
                  ") is larger than the desktop's usable " + std::to_string(usableWidth) + " x " +
                  std::to_string(usableHeight);
    return scale;
}

void SdlHost::placeWindow(int width, int height, int usableX, int usableY, int usableWidth, int usableHeight, int& x,
                          int& y)
{
    x = usableX + std::max(0, (usableWidth - width) / 2);
    y = usableY + std::max(0, (usableHeight - height) / 2);
}

std::unique_ptr<Host> SdlHost::create(std::string& why)
{
    // Without a desktop SDL's drivers have nothing to open (and some complain on stderr
    // while they find that out), unless one is named.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (!(asked && *asked) && !HostEnvironment::hasDesktop()) {
        why = "there is no desktop (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        why = SDL_GetError();
        return nullptr;
    }
    // SDL falls back to drivers that show nothing; they count only when asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    bool showsNothing = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (SDL_GetNumVideoDisplays() < 1 || (showsNothing && !(asked && std::strcmp(asked, driver) == 0))) {
        why = "SDL has no video display here";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    return std::unique_ptr<Host>(new SdlHost(scaleFromEnvironment(0)));
}

std::string SdlHost::title() const { return window ? SDL_GetWindowTitle(window) : std::string(); }

void SdlHost::windowSize(int& width, int& height) const
{
    width = height = 0;
    if (window)
        SDL_GetWindowSize(window, &width, &height);
}

SdlHost::SdlHost(int askedScale) : askedScale(askedScale), scale(askedScale > 0 ? askedScale : defaultScale) {}

SdlHost::~SdlHost()
{
    closeWindow();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlHost::playSound(const int16_t* frames, size_t count) { speaker.play(frames, count); }

void SdlHost::closeWindow()
{
    shownScreen = nullptr;
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
    SDL_Rect usable = {0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
        usable = SDL_Rect{0, 0, 0, 0};
    std::string warning;
    scale = chooseScale(askedScale, width, height, usable.w, usable.h, warning);
    if (!warning.empty())
        std::fprintf(stderr, "Parvolin: %s; %s\n", warning.c_str(),
                     askedScale > 0 ? "PARVOLIN_SCALE applies all the same" : "no scale is smaller than 1");
    const int windowWidth = static_cast<int>(width) * scale, windowHeight = static_cast<int>(height) * scale;
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    if (usable.w > 0 && usable.h > 0)
        placeWindow(windowWidth, windowHeight, usable.x, usable.y, usable.w, usable.h, x, y);
    window = SDL_CreateWindow(HostEnvironment::windowTitle().c_str(), x, y, windowWidth, windowHeight, 0);
    // The frame the desktop puts around the window must not push its title off the top.
    int top = 0, left = 0;
    if (window && usable.w > 0 && SDL_GetWindowBordersSize(window, &top, &left, nullptr, nullptr) == 0 &&
        (y - top < usable.y || x - left < usable.x))
        SDL_SetWindowPosition(window, std::max(x, usable.x + left), std::max(y, usable.y + top));
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
    stale = true;
    return true;
}

void SdlHost::present(const EmulatedScreen& screen)
{
    // The glass is refreshed more often than it changes (the display controller's refresh
    // comes after the end of a frame too), and showing it is the window's dearest work:
    // the same frame buffer is shown again only when the desktop lost the window's picture.
    const unsigned char* memory = screen.memoryStart();
    const size_t bytes = screen.memorySize();
    const bool same = !stale && shownScreen == &screen && sameLayout(shownLayout, screen.layout()) &&
                      shown.size() == bytes && std::memcmp(shown.data(), memory, bytes) == 0;
    if (!same) {
        GlassImage glass = Glass::capture(screen);
        if (!fit(glass.width, glass.height))
            return;
        SDL_UpdateTexture(texture, nullptr, glass.pixels.data(), static_cast<int>(glass.width * sizeof(uint32_t)));
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        shown.assign(memory, memory + bytes);
        shownScreen = &screen;
        shownLayout = screen.layout();
        stale = false;
    }
    // Keeps the desktop's window responsive between the ticks that read its input.
    SDL_PumpEvents();
}

void SdlHost::windowsChanged()
{
    if (!window)
        return;
    SDL_SetWindowTitle(window, HostEnvironment::windowTitle().c_str());
    // The desktop's window follows the program's: minimised with it, restored with it.
    bool iconic = IsIconic(WindowObjects::shownWindow()) != 0;
    if (iconic && !minimised)
        SDL_MinimizeWindow(window);
    else if (!iconic && minimised)
        SDL_RestoreWindow(window);
    minimised = iconic;
}

void SdlHost::deliverInput()
{
    // The game controllers are opened with the first look at the input.
    if (!controllers)
        controllers.reset(new SdlControllers());
    SDL_Event event;
    std::vector<InputCommand> padInput;
    uint64_t now = Clock::current().nanoseconds();
    while (SDL_PollEvent(&event)) {
        InputCommand command;
        if (controllers->handle(event, now, padInput)) {
            for (const InputCommand& padCommand : padInput)
                InputSchedule::current().deliver(padCommand);
            padInput.clear();
        } else if (translate(event, command)) {
            InputSchedule::current().deliver(command);
        }
    }
    controllers->repeatDue(now, padInput);
    for (const InputCommand& padCommand : padInput)
        InputSchedule::current().deliver(padCommand);
}

bool SdlHost::waitForInput(DWORD milliseconds)
{
    if (!window)
        return Host::waitForInput(milliseconds);
    // Looks without taking: the event is delivered before the next tick.
    return SDL_WaitEventTimeout(nullptr, static_cast<int>(milliseconds)) == 1;
}

void SdlHost::raise()
{
    if (!window)
        return;
    SDL_RestoreWindow(window);
    SDL_RaiseWindow(window);
}

void SdlHost::showMessageBox(BoxKind kind, const std::string& caption, const std::string& text)
{
    const Uint32 flags = kind == BoxKind::Error     ? SDL_MESSAGEBOX_ERROR
                         : kind == BoxKind::Warning ? SDL_MESSAGEBOX_WARNING
                                                    : SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), window) != 0)
        std::fprintf(stderr, "Parvolin: the message box cannot be shown: %s\n", SDL_GetError());
}

// The stylus cannot leave the glass: a drag past the window's edge stays at the edge.
void SdlHost::stylusAt(int windowX, int windowY, InputCommand& command) const
{
    GlassPlacement window;
    window.glassWidth = static_cast<int32_t>(glassWidth);
    window.glassHeight = static_cast<int32_t>(glassHeight);
    window.scale = scale;
    window.glassPoint(windowX, windowY, command.x, command.y);
}

bool SdlHost::translate(const SDL_Event& event, InputCommand& command)
{
    switch (event.type) {
    case SDL_QUIT:
        command.kind = InputCommand::Close;
        return true;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_RESTORED)
            stale = true;
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
            command.kind = InputCommand::Deactivate;
        else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
            command.kind = InputCommand::Activate;
        else
            return false;
        return true;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button != SDL_BUTTON_LEFT || !glassWidth)
            return false;
        stylusDown = true;
        // Every second click of a series comes quickly enough to be a double-click.
        command.kind = event.button.clicks >= 2 && event.button.clicks % 2 == 0 ? InputCommand::DoubleClick
                                                                                 : InputCommand::Down;
        stylusAt(event.button.x, event.button.y, command);
        return true;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button != SDL_BUTTON_LEFT || !stylusDown)
            return false;
        stylusDown = false;
        command.kind = InputCommand::Up;
        stylusAt(event.button.x, event.button.y, command);
        return true;
    case SDL_MOUSEMOTION:
        // A stylus is only seen while it touches the glass.
        if (!stylusDown)
            return false;
        command.kind = InputCommand::Move;
        stylusAt(event.motion.x, event.motion.y, command);
        return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        SDL_Keycode key = event.key.keysym.sym;
        if (key == SDLK_F12) {
            if (event.type == SDL_KEYDOWN && !event.key.repeat)
                saveShot();
            return false;
        }
        const int name = HostKeys::ofKeyboard(SDL_GetKeyName(key));
        if (name != InputCommand::noKeyName) {
            command.kind = event.type == SDL_KEYDOWN ? InputCommand::KeyDown : InputCommand::KeyUp;
            command.keyName = name;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void SdlHost::saveShot()
{
    EmulatedScreen* screen = EmulatedScreen::current();
    if (!screen)
        return;
    // The first name not taken yet in the working folder.
    std::string name;
    for (;;) {
        name = "parvolin-shot-" + std::to_string(++shots) + ".png";
        std::FILE* existing = std::fopen(name.c_str(), "rb");
        if (!existing)
            break;
        std::fclose(existing);
    }
    // Named in full, so that a person knows where to look.
    if (char* folder = getcwd(nullptr, 0)) {
        name = std::string(folder) + "/" + name;
        std::free(folder);
    }
    if (Glass::writePng(Glass::capture(*screen), name))
        std::fprintf(stderr, "Parvolin: the glass was saved as %s\n", name.c_str());
    else
        std::fprintf(stderr, "Parvolin: the glass could not be saved as %s\n", name.c_str());
}
