#ifndef PARVOLIN_DISPLAY_H
#define PARVOLIN_DISPLAY_H

/// \file
/// Display, the screen as a game sees it.
/// \ingroup display

#include <Parvolin/Export.h>
#include <Parvolin/core/Config.h>
#include <Parvolin/display/CopyRoutine.h>
#include <Parvolin/display/KeyList.h>
#include <Parvolin/platform/base/PlatformTypes.h>

class DisplayBackEnd;
class Surface;

/// \addtogroup display
/// @{

/// The screen as a game sees it: one RGB565 back buffer of the screen's size, turned for
/// the configured orientation, that every frame is drawn into and flip copies to the frame
/// buffer through whichever screen interface the device has. It also turns stylus
/// positions into back-buffer coordinates and hands out the device's keys, remapped so
/// that vkUp is the key pointing up on the turned screen.
///
/// The back buffer's size is the device's screen: 240 x 320 on the default device
/// (PARVOLIN_DEVICE=pocketpc2003), wider than high when the orientation turns it a
/// quarter. A game asks the back buffer (Surface::getWidth, Surface::getHeight) rather
/// than assuming a size. The application opens the display; games use it through
/// Application::getBackBuffer and Application::flip.
class PARVOLIN_API Display {
public:
    /// Opens the screen for `window` with `config`'s orientation and resolution (the
    /// configuration is borrowed while the display is open). 0; NullParameter without a
    /// configuration; UnsupportedMode when no screen interface fits or the frame buffer is
    /// not 16-bit RGB565 or RGB555; UnknownError when the interface cannot be opened;
    /// OutOfMemory or a code of Surface::create when the back buffer cannot be made (all
    /// ResultCode::). Opening again closes first.
    long openDisplay(HWND window, Config* config);
    /// Lets the screen interface go; the back buffer stays. 0, also on a display that is
    /// not open.
    long closeDisplay();
    /// Copies the back buffer to the screen. 0, also when the screen gives no frame buffer
    /// this time (nothing is copied then) and on a display that is not open;
    /// ResultCode::InvalidSurface when the back buffer no longer has the screen's size.
    long flip();
    /// Tells the screen interface that the game goes to the background. 0.
    long suspendDisplay();
    /// Tells the screen interface that the game is back. 0.
    long resumeDisplay();
    /// The back buffer, owned by the display; null before the first opening.
    Surface* getBackBuffer();
    /// The device's keys as the turned screen shows them, into `out`.
    /// ResultCode::NullParameter for a null `out`.
    long getKeyList(KeyList* out);
    /// A stylus position on the screen to back-buffer coordinates, in place: halved first
    /// on screens shown at half resolution, then turned by the orientation.
    /// ResultCode::NullParameter for null.
    long deviceToLogical(tagPOINT* point);

protected:
    /// Made by Device::getDisplay and the application only.
    Display();
    /// Closes the display and releases the back buffer.
    virtual ~Display();

private:
    friend class Application;
    friend class Device;

    DisplayBackEnd* createBackEnd(HWND window);
    long fail(long code);

    Config* config;
    HWND window;
    DisplayBackEnd* backEnd;
    Surface* backBuffer;
    CopyRoutine copyRoutine;
    KeyList keys;
};

/// @}

#endif
