#ifndef PARVOLIN_EVENT_HANDLER_H
#define PARVOLIN_EVENT_HANDLER_H

#include <Parvolin/Export.h>
#include <Parvolin/display/KeyList.h>
#include <Parvolin/platform/base/PlatformTypes.h>

class Application;
class Panel;
class Surface;

// The one callback interface of the library: the application, states and a game's own
// handlers implement it. Every default does nothing and answers 0 ("carry on"); a nonzero
// answer asks the state machine for a jump.
//
// It declares no destructor: handlers are deleted through their own class. A compiler
// asked to warn about that (-Wnon-virtual-dtor) is told here that it is meant.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class PARVOLIN_API EventHandler {
public:
    // `surface` is the back buffer to draw into, `panel` the area meant for this handler.
    virtual long onInit(Surface* surface, Panel* panel, Application* application);
    virtual long onExit();
    virtual long onNextFrame(Surface* surface, Panel* panel);
    virtual long onMinimize();
    virtual long onRestore();
    // `key` is the platform's virtual-key code; `keys` the device's key list.
    virtual long onKeyDown(unsigned long key, KeyList& keys);
    virtual long onKeyUp(unsigned long key, KeyList& keys);
    // Points are in back-buffer coordinates, or panel coordinates where so registered.
    virtual long onStylusDown(tagPOINT point);
    virtual long onStylusUp(tagPOINT point);
    virtual long onStylusDblClk(tagPOINT point);
    virtual long onStylusMove(tagPOINT point);
};
#pragma GCC diagnostic pop

#endif
