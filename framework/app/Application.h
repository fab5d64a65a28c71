#ifndef PARVOLIN_APPLICATION_H
#define PARVOLIN_APPLICATION_H

#include <Parvolin/Export.h>
#include <Parvolin/core/Config.h>
#include <Parvolin/app/EventHandler.h>
#include <Parvolin/platform/base/PlatformTypes.h>

#include <cstdint>

class Audio;
class Display;
class Fps;
class Panel;
class Surface;

// The spine of a game: run() owns everything from the start of the process to its end.
// It creates the one full-screen window, hides the shell's task bar, opens the display,
// wraps its back buffer in a whole-screen panel, starts frame pacing, and then loops:
// each pass either dispatches one pending window message or, when none is pending, runs
// one frame tick. Window messages for the stylus, keys, activation and closing become
// calls of the EventHandler operations the game overrides.
//
// One application per process: the window procedure reaches it through one pointer.
// Its own destructor is virtual; EventHandler has none, on purpose (see there).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class PARVOLIN_API Application : public EventHandler {
#pragma GCC diagnostic pop
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The whole life of the game. 0 after a normal end, after a failed onInit and when
    // another instance was found (it is brought forward instead); the generic failure
    // when configuration, the instance or the window fails (getLastError says which). A
    // display that cannot be opened ends the process with exit code -1.
    virtual long run();
    // The loop ends after the current message or frame. 0.
    virtual long shutdown();
    // The next frame tick minimises the application. 0.
    virtual long minimize();
    // The next `frames` frame ticks skip onNextFrame, flipping and pacing as usual. The
    // generic failure, changing nothing, for 0 frames.
    virtual long pause(unsigned long frames);
    // Copies the text (cut to 259 characters); null stores "Invalid error code
    // description." and returns the generic failure.
    virtual long setError(const wchar_t* text);
    virtual wchar_t* getLastError();
    virtual HINSTANCE getAppInstance();
    // Must be called before run().
    virtual void setAppInstance(HINSTANCE instance);
    // The display's back buffer, its flip and the frame pacer: for use while run() runs
    // (null and 0 before).
    virtual Surface* getBackBuffer();
    virtual long flip();
    virtual Fps* getFps();
    // The mixer, opened by run() after the display and closed at its end; null before
    // run(). On a device without sound it stays closed and its calls say so
    // (ResultCode::AssertionError): the game goes on silent. It is paused while the
    // application is deactivated or minimised (unless it runs in the background);
    // pause(frames) does not stop it.
    virtual Audio* getAudio();
    // Supplied by the game: changes what it needs in `config` (already holding the
    // defaults) and returns 0; anything else makes run() fail.
    virtual long configure(Config* config) = 0;

    static constexpr unsigned long textCapacity = 260;

private:
    long createMainWindow();
    long destroyMainWindow();
    long openDisplay();
    long closeDisplay();
    LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT msgRouter(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    long mainLoop();
    long taskBar(HWND window, int fullScreen);

    // The stylus position a message carries, in back-buffer coordinates.
    tagPOINT stylusPoint(LPARAM lParam);

    Config config;
    Surface* backBuffer;
    Panel* panel;
    FARPROC shFullScreen;     // SHFullScreen of the shell helper, or null
    FARPROC shSipPreference;  // SHSipPreference, or null
    HINSTANCE shellLibrary;
    HWND window;
    HINSTANCE instance;
    bool active;
    uint32_t pauseFrames;
    bool quitRequested;
    bool minimizeRequested;
    wchar_t lastError[textCapacity];
    wchar_t windowClassName[textCapacity];
    Display* display;
    Fps* fps;
    Audio* audio;

    static Application* currentApplication;
};

#endif
