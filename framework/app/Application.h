#ifndef PARVOLIN_APPLICATION_H
#define PARVOLIN_APPLICATION_H

/// \file
/// Application, the spine of a game: its window, display, loop and mixer.
/// \ingroup app

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

/// \addtogroup app
/// @{

/// The spine of a game: run() owns everything from the start of the process to its end.
/// It creates the one full-screen window, hides the shell's task bar, opens the display,
/// wraps its back buffer in a whole-screen panel, starts frame pacing, and then loops:
/// each pass either dispatches one pending window message or, when none is pending, runs
/// one frame tick: onNextFrame, then the flip of the back buffer to the screen, then the
/// wait for the next frame. Window messages for the stylus, keys, activation and closing
/// become calls of the EventHandler operations the game overrides.
///
/// Games usually derive from StateMachine. One application per process: the window
/// procedure reaches it through one pointer.
///
/// A minimal game (WinMain is the program's entry, see ProgramEntry.h):
/// \code
/// class Game : public StateMachine {
///     long configure(Config* config) override { config->appName = L"Game"; return 0; }
///     long onInit(Surface*, Panel*, Application*) override
///     {
///         play.addEventHandler(&board, nullptr, false, false);
///         addState(&play);
///         setInitialState(&play);
///         return 0;
///     }
///     State play;
///     Board board;  // an EventHandler that draws in onNextFrame
/// };
///
/// int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
/// {
///     Game* game = new Game();
///     game->setAppInstance(instance);
///     long result = game->run();
///     delete game;
///     return static_cast<int>(result);
/// }
/// \endcode
// Its own destructor is virtual; EventHandler has none, on purpose (see there).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class PARVOLIN_API Application : public EventHandler {
#pragma GCC diagnostic pop
public:
    /// Nothing is made before run().
    Application();
    /// Releases the display, the pacer and the mixer.
    virtual ~Application();
    Application(const Application&) = delete;             ///< Not copyable.
    Application& operator=(const Application&) = delete;  ///< Not copyable.

    /// The whole life of the game: configure, the window, the display, the mixer, onInit,
    /// the loop, onExit. 0 after a normal end, after a failed onInit and when another
    /// instance was found (it is brought forward instead); ResultCode::GenericFailure
    /// when configuration, the instance or the window fails (getLastError says which). A
    /// display that cannot be opened ends the process with exit code -1.
    virtual long run();
    /// The loop ends after the current message or frame. 0.
    virtual long shutdown();
    /// The next frame tick minimises the application. 0.
    virtual long minimize();
    /// The next `frames` frame ticks skip onNextFrame, flipping and pacing as usual.
    /// ResultCode::GenericFailure, changing nothing, for 0 frames.
    virtual long pause(unsigned long frames);
    /// Copies the text (cut to 259 characters) as the last error; null stores "Invalid
    /// error code description." and returns ResultCode::GenericFailure.
    virtual long setError(const wchar_t* text);
    /// The last error's text, owned by the application (empty when there was none).
    virtual wchar_t* getLastError();
    /// The program's instance, as setAppInstance stored it.
    virtual HINSTANCE getAppInstance();
    /// The program's instance, WinMain's first argument. Must be called before run().
    virtual void setAppInstance(HINSTANCE instance);
    /// The display's back buffer, owned by the display, for use while run() runs (null
    /// before). Its size is the device screen's (see Display).
    virtual Surface* getBackBuffer();
    /// Copies the back buffer to the screen now (the loop flips after every frame
    /// anyway): Display::flip's result; ResultCode::GenericFailure before run().
    virtual long flip();
    /// The frame pacer, owned by the application; null before run().
    virtual Fps* getFps();
    /// The mixer, opened by run() after the display and closed at its end; null before
    /// run(). On a device without sound it stays closed and its calls say so
    /// (ResultCode::AssertionError): the game goes on silent. It is paused while the
    /// application is deactivated or minimised (unless it runs in the background);
    /// pause(frames) does not stop it.
    virtual Audio* getAudio();
    /// Supplied by the game: changes what it needs in `config` (already holding the
    /// defaults) and returns 0; anything else makes run() fail.
    virtual long configure(Config* config) = 0;

    /// Characters of the error text, terminator included.
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

/// @}

#endif
