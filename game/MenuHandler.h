#ifndef VORLEQUIN_MENU_HANDLER_H
#define VORLEQUIN_MENU_HANDLER_H

#include <Parvolin/Parvolin.h>

class PlayHandler;

// The title screen: the picture with the three steering modes and the exit box. A release
// of the stylus on a mode row picks the mode and starts a game.
class MenuHandler : public EventHandler {
public:
    // Jump codes answered to the state machine.
    static constexpr long startGame = 11;
    static constexpr long quitGame = 54;  // no jump is registered for it: the program ends

    MenuHandler();
    virtual ~MenuHandler();
    MenuHandler(const MenuHandler&) = delete;
    MenuHandler& operator=(const MenuHandler&) = delete;

    long onNextFrame(Surface* surface, Panel* panel) override;
    long onStylusUp(tagPOINT point) override;

    // The game whose steering mode the menu sets; not owned.
    void setPlay(PlayHandler* handler) { play = handler; }

private:
    Surface menuImage;
    PlayHandler* play;
};

#endif
