#ifndef PARVOLIN_EVENT_HANDLER_H
#define PARVOLIN_EVENT_HANDLER_H

/// \file
/// EventHandler, the one callback interface of the library.
/// \ingroup app

#include <Parvolin/Export.h>
#include <Parvolin/display/KeyList.h>
#include <Parvolin/platform/base/PlatformTypes.h>

class Application;
class Panel;
class Surface;

/// \addtogroup app
/// @{

/// The one callback interface of the library: the application, states and a game's own
/// handlers implement it. Every default does nothing and answers 0 ("carry on").
///
/// What an answer other than 0 means depends on who asked. Inside a State, any nonzero
/// answer of a handler ends the forwarding and becomes the state's answer; a
/// StateMachine takes any nonzero answer of its current state (of onNextFrame, the input
/// events, onMinimize and onRestore) as a jump code: the jump registered for that code
/// is taken, and a code without a jump ends the application. Answer 0 unless a jump is
/// meant. An Application that is not a StateMachine ends its loop when its own onInit or
/// onNextFrame answers a negative number and ignores the other answers.
///
/// It declares no destructor: handlers are deleted through their own class. A compiler
/// asked to warn about that (-Wnon-virtual-dtor) is told here that it is meant.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class PARVOLIN_API EventHandler {
public:
    /// The handler's state is entered (or, for the application, the display is open):
    /// `surface` is the back buffer to draw into, `panel` the area meant for this handler,
    /// `application` the running application. All three are borrowed.
    virtual long onInit(Surface* surface, Panel* panel, Application* application);
    /// The handler's state is left (or the application ends).
    virtual long onExit();
    /// Draw the next frame into `surface` or `panel`; the application flips and paces
    /// after it. Called once per frame tick while the application is active (or runs in
    /// the background).
    virtual long onNextFrame(Surface* surface, Panel* panel);
    /// The application is about to be minimised (it lost the foreground).
    virtual long onMinimize();
    /// The application is active again.
    virtual long onRestore();
    /// A key went down. `key` is the platform's virtual-key code; `keys` the device's key
    /// list to compare it with. A held key does not repeat the call.
    virtual long onKeyDown(unsigned long key, KeyList& keys);
    /// A key came up; as onKeyDown.
    virtual long onKeyUp(unsigned long key, KeyList& keys);
    /// The stylus touched the screen at `point`. Points are in back-buffer coordinates, or
    /// panel coordinates where so registered (State::addEventHandler).
    virtual long onStylusDown(tagPOINT point);
    /// The stylus left the screen at `point`.
    virtual long onStylusUp(tagPOINT point);
    /// A double tap at `point` (only when Config::doubleClicks is set).
    virtual long onStylusDblClk(tagPOINT point);
    /// The stylus moved to `point` while touching (only while the application is active).
    virtual long onStylusMove(tagPOINT point);
};
#pragma GCC diagnostic pop

/// @}

#endif
