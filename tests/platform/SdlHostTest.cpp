#include "platform/device/EmulatedScreen.h"
#include "platform/device/GlassImage.h"
#include "platform/input/InputSchedule.h"
#include "platform/windows/Messages.h"
#include "platform/hosts/HostKeys.h"
#include "platform/hosts/SdlControllers.h"
#include "platform/hosts/SdlHost.h"
#include "platform/base/VirtualKeys.h"
#include "support/DeviceScope.h"
#include "support/TempFolder.h"
#include "support/TestWindow.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <set>
#include <string>
#include <vector>

namespace {

void pushMouse(Uint32 type, int x, int y, Uint8 clicks = 1)
{
    SDL_Event event = {};
    event.type = type;
    if (type == SDL_MOUSEMOTION) {
        event.motion.x = x;
        event.motion.y = y;
    } else {
        event.button.button = SDL_BUTTON_LEFT;
        event.button.clicks = clicks;
        event.button.x = x;
        event.button.y = y;
    }
    SDL_PushEvent(&event);
}

void pushKey(Uint32 type, SDL_Keycode key, bool repeat = false)
{
    SDL_Event event = {};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.repeat = repeat ? 1 : 0;
    SDL_PushEvent(&event);
}

void pushWindowEvent(Uint8 what)
{
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    SDL_PushEvent(&event);
}

// The SDL window's input, on SDL's off-screen driver, reaches the device's window as the
// device's messages.
TEST(SdlHostInput, MouseKeysFocusAndClosingBecomeTheDevicesInput)
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan::ScopedDisabler sdlKeepsItsMemory;
#endif
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("PARVOLIN_SCALE", "2", 1);
    std::unique_ptr<Host> created = SdlHost::create();
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("PARVOLIN_SCALE");
    if (!created)
        GTEST_SKIP() << "SDL has no off-screen video driver here";
    SdlHost& host = static_cast<SdlHost&>(*created);
    Hosts::install(&host);
    ScopedDeviceProfile device("pocketpc2003");
    InputSchedule::current().reset();
    {
        TestWindow window(L"Input");
        host.present(*EmulatedScreen::current());  // the window opens with the first frame
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);

        pushMouse(SDL_MOUSEMOTION, 50, 50);  // no stylus on the glass yet: nothing
        pushMouse(SDL_MOUSEBUTTONDOWN, 20, 41);
        pushMouse(SDL_MOUSEMOTION, 2000, -7);  // past the edge: stays on the glass
        pushMouse(SDL_MOUSEBUTTONUP, 30, 40);
        pushMouse(SDL_MOUSEBUTTONDOWN, 30, 40, 2);  // the second click: a double-click
        pushKey(SDL_KEYDOWN, SDLK_RETURN);
        pushKey(SDL_KEYDOWN, SDLK_RETURN, true);
        pushKey(SDL_KEYUP, SDLK_z);
        pushKey(SDL_KEYDOWN, SDLK_q);  // not a key of the device
        pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);

        std::vector<MSG> taken = takeMessages();
        ASSERT_EQ(9u, taken.size());
        EXPECT_EQ(WM_LBUTTONDOWN, taken[0].message);
        EXPECT_EQ(10, LOWORD(taken[0].lParam)) << "window pixels divided by the scale";
        EXPECT_EQ(20, HIWORD(taken[0].lParam));
        EXPECT_EQ(WM_MOUSEMOVE, taken[1].message);
        EXPECT_EQ(239, LOWORD(taken[1].lParam));
        EXPECT_EQ(0, HIWORD(taken[1].lParam));
        EXPECT_EQ(WM_LBUTTONUP, taken[2].message);
        EXPECT_EQ(WM_LBUTTONDOWN, taken[3].message) << "the test window's class has no double-clicks";
        EXPECT_EQ(WM_KEYDOWN, taken[4].message);
        EXPECT_EQ(WPARAM(VK_RETURN), taken[4].wParam);
        EXPECT_NE(0, taken[5].lParam & KF_PREVIOUSLY_DOWN);
        EXPECT_EQ(WM_KEYUP, taken[6].message);
        EXPECT_EQ(WPARAM(VK_APP1), taken[6].wParam);
        EXPECT_EQ(WM_ACTIVATE, taken[7].message);
        EXPECT_EQ(WA_INACTIVE, LOWORD(taken[7].wParam));
        EXPECT_EQ(WM_SYSCOMMAND, taken[8].message);
    }
    Hosts::install(nullptr);
    InputSchedule::current().reset();
}

// F12 saves the glass in the working folder and says where, in full.
TEST(SdlHostInput, F12SavesTheGlassAndNamesItsFullPath)
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan::ScopedDisabler sdlKeepsItsMemory;
#endif
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    std::unique_ptr<Host> created = SdlHost::create();
    unsetenv("SDL_VIDEODRIVER");
    if (!created)
        GTEST_SKIP() << "SDL has no off-screen video driver here";
    Hosts::install(created.get());
    TempFolder folder;
    char* before = getcwd(nullptr, 0);
    ASSERT_EQ(0, chdir(folder.hostPath("").c_str()));
    {
        TestWindow window(L"Shot");
        created->present(*EmulatedScreen::current());
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        pushKey(SDL_KEYDOWN, SDLK_F12);
        ::testing::internal::CaptureStderr();
        created->deliverInput();
        std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(std::string::npos, said.find("saved as " + folder.hostPath("parvolin-shot-1.png"))) << said;
        EXPECT_EQ(0, access(folder.hostPath("parvolin-shot-1.png").c_str(), F_OK));
    }
    EXPECT_EQ(0, chdir(before));
    std::free(before);
    Hosts::install(nullptr);
}

TEST(Hosts, ScaleComesFromTheEnvironment)
{
    const char* before = std::getenv("PARVOLIN_SCALE");
    std::string saved = before ? before : "";
    unsetenv("PARVOLIN_SCALE");
    EXPECT_EQ(2, SdlHost::scaleFromEnvironment());
    setenv("PARVOLIN_SCALE", "3", 1);
    EXPECT_EQ(3, SdlHost::scaleFromEnvironment());
    for (const char* wrong : {"0", "9", "2x", "-1"}) {
        setenv("PARVOLIN_SCALE", wrong, 1);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(2, SdlHost::scaleFromEnvironment()) << wrong;
        EXPECT_NE(std::string::npos, ::testing::internal::GetCapturedStderr().find("PARVOLIN_SCALE"));
    }
    if (before)
        setenv("PARVOLIN_SCALE", saved.c_str(), 1);
    else
        unsetenv("PARVOLIN_SCALE");
}

// Without PARVOLIN_SCALE the window is as large as fits the desktop's usable area, up to
// four times the glass; an asked scale applies even when it does not fit, and says so.
TEST(Hosts, TheScaleFitsTheDesktopUnlessOneIsAsked)
{
    const struct {
        int asked;
        uint32_t glassWidth, glassHeight;
        int usableWidth, usableHeight;
        int scale;
        const char* warning;  // a part of it; empty: none
    } cases[] = {
        {0, 240, 320, 1920, 1040, 3, ""},   // 4 would be 1280 high
        {0, 240, 320, 3840, 2100, 4, ""},   // never more than 4 unasked
        {0, 240, 320, 1280, 690, 2, ""},    // the old default, where it fits
        {0, 240, 320, 800, 600, 1, ""},
        {0, 480, 640, 400, 300, 1, "480 x 640"},
        {0, 240, 320, 0, 0, 2, ""},         // a desktop of unknown size
        {3, 240, 320, 1920, 1040, 3, ""},
        {4, 240, 320, 1920, 1040, 4, "960 x 1280 (scale 4) is larger than the desktop's usable 1920 x 1040"},
        {8, 480, 480, 1024, 768, 8, "3840 x 3840"},
    };
    for (const auto& c : cases) {
        std::string warning;
        EXPECT_EQ(c.scale, SdlHost::chooseScale(c.asked, c.glassWidth, c.glassHeight, c.usableWidth, c.usableHeight,
                                                warning))
            << c.asked << " " << c.glassWidth << " " << c.usableWidth;
        if (*c.warning)
            EXPECT_NE(std::string::npos, warning.find(c.warning)) << warning;
        else
            EXPECT_EQ("", warning);
    }
    // The middle of the usable area, but never above or left of it.
    int x = 0, y = 0;
    SdlHost::placeWindow(720, 960, 0, 40, 1920, 1040, x, y);
    EXPECT_EQ(600, x);
    EXPECT_EQ(80, y);
    SdlHost::placeWindow(960, 1280, 0, 40, 1920, 1040, x, y);
    EXPECT_EQ(480, x);
    EXPECT_EQ(40, y);
    SdlHost::placeWindow(2000, 1280, 100, 40, 1920, 1040, x, y);
    EXPECT_EQ(100, x);
}

// SDL's off-screen driver, named explicitly, lets the SDL host run without a desktop: its
// window has the glass's size times the scale and the device window's title.
TEST(Hosts, SdlWindowShowsTheGlassScaledAndTitled)
{
#if defined(__SANITIZE_ADDRESS__)
    // SDL's video drivers keep what they allocate for the life of the process.
    __lsan::ScopedDisabler sdlKeepsItsMemory;
#endif
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("PARVOLIN_SCALE", "3", 1);
    std::unique_ptr<Host> host = SdlHost::create();
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("PARVOLIN_SCALE");
    if (!host)
        GTEST_SKIP() << "SDL has no off-screen video driver here";
    SdlHost& sdl = static_cast<SdlHost&>(*host);
    ScopedDeviceProfile device("smartphone2003");
    TestWindow window(L"Vorlequin");
    int width = 0, height = 0;
    sdl.windowSize(width, height);
    EXPECT_EQ(0, width) << "no window before the first frame";
    sdl.present(*EmulatedScreen::current());
    sdl.windowSize(width, height);
    EXPECT_EQ(176 * 3, width);
    EXPECT_EQ(220 * 3, height);
    EXPECT_EQ("Vorlequin", sdl.title());
    {
        TestWindow dialog(L"Another");
        sdl.windowsChanged();
        EXPECT_EQ("Another", sdl.title());
    }
    ScopedDeviceProfile larger("pocketpc2005-square");
    sdl.present(*EmulatedScreen::current());
    sdl.windowSize(width, height);
    EXPECT_EQ(480 * 3, width);
}

// A game controller plugged in while the window is open (SDL's virtual joystick, seen by
// SDL as a controller): its buttons and stick are the device's keys, held keys repeat,
// and unplugging it lets go of what it held.
TEST(SdlHostInput, GameControllersArePluggedInAndAreTheDevicesKeys)
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan::ScopedDisabler sdlKeepsItsMemory;
#endif
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    std::unique_ptr<Host> created = SdlHost::create();
    unsetenv("SDL_VIDEODRIVER");
    if (!created)
        GTEST_SKIP() << "SDL has no off-screen video driver here";
    ScopedManualClock clock(1000000000ull);
    Hosts::install(created.get());
    ScopedDeviceProfile device("pocketpc2003");
    InputSchedule::current().reset();
    {
        TestWindow window(L"Pad");
        created->present(*EmulatedScreen::current());
        SDL_PumpEvents();
        created->deliverInput();
        takeMessages();

        SDL_VirtualJoystickDesc pad;
        std::memset(&pad, 0, sizeof(pad));
        pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        pad.naxes = SDL_CONTROLLER_AXIS_MAX;
        pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        pad.axis_mask = (1u << SDL_CONTROLLER_AXIS_LEFTX) | (1u << SDL_CONTROLLER_AXIS_LEFTY);
        pad.button_mask = (1u << SDL_CONTROLLER_BUTTON_A) | (1u << SDL_CONTROLLER_BUTTON_X) |
                          (1u << SDL_CONTROLLER_BUTTON_START) | (1u << SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        pad.name = "Parvolin test pad";
        int index = SDL_JoystickAttachVirtualEx(&pad);
        if (index < 0 || !SDL_IsGameController(index)) {
            Hosts::install(nullptr);
            GTEST_SKIP() << "SDL has no virtual game controllers here: " << SDL_GetError();
        }
        // The off-screen window never has the focus, and SDL keeps a pad's input from a
        // window without it.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        SDL_Joystick* joystick = SDL_JoystickOpen(index);
        ASSERT_NE(nullptr, joystick);
        SDL_PumpEvents();
        created->deliverInput();  // plugged in: opened
        takeMessages();

        // The virtual pad's buttons are numbered in the order of its mask: A, X, Start, left.
        SDL_JoystickSetVirtualButton(joystick, 0, 1);
        SDL_JoystickSetVirtualButton(joystick, 3, 1);
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, -30000);  // left again
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, 8000);    // inside the dead zone
        SDL_JoystickUpdate();
        SDL_PumpEvents();
        created->deliverInput();
        std::vector<MSG> taken = takeMessages();
        ASSERT_EQ(2u, taken.size()) << "A, and left once although the D-pad and the stick hold it";
        EXPECT_EQ(WM_KEYDOWN, taken[0].message);
        EXPECT_EQ(WM_KEYDOWN, taken[1].message);
        EXPECT_EQ((std::set<WPARAM>{VK_APP1, VK_LEFT}), (std::set<WPARAM>{taken[0].wParam, taken[1].wParam}));

        clock.advance(HeldKeys::padRepeatDelay);
        created->deliverInput();
        taken = takeMessages();
        ASSERT_EQ(2u, taken.size()) << "both held keys repeat";
        EXPECT_NE(0, taken[0].lParam & KF_PREVIOUSLY_DOWN);

        SDL_JoystickSetVirtualButton(joystick, 3, 0);
        SDL_JoystickUpdate();
        SDL_PumpEvents();
        created->deliverInput();
        EXPECT_EQ(0u, takeMessages().size()) << "the stick still holds left";

        SDL_JoystickClose(joystick);
        SDL_JoystickDetachVirtual(index);
        SDL_PumpEvents();
        created->deliverInput();
        taken = takeMessages();
        ASSERT_EQ(2u, taken.size()) << "unplugged: A and left let go";
        EXPECT_EQ(WM_KEYUP, taken[0].message);
        EXPECT_EQ(WM_KEYUP, taken[1].message);
    }
    Hosts::install(nullptr);
    InputSchedule::current().reset();
}

} // namespace
