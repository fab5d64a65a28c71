#ifndef VORLEQUIN_MENU_HANDLER_H
#define VORLEQUIN_MENU_HANDLER_H

#include "ScoreBook.h"

#include <Parvolin/Parvolin.h>

class PlayHandler;

// The title screen: the picture with the three steering modes and the exit box. A release
// of the stylus on a mode row picks the mode and starts a game; the row under a pressed
// stylus lights up. After a game it shows the last and the best score, and after a death
// first the game-over picture for about a second (the menu is not shown, and taps do
// nothing, until then).
class MenuHandler : public EventHandler {
public:
    // Jump codes answered to the state machine.
    static constexpr long startGame = 11;
    static constexpr long quitGame = 54;  // no jump is registered for it: the program ends
    // One second of frames at the game's 32 frames a second.
    static constexpr int gameOverFrames = 32;

    // The places a release answers to, in the menu picture's coordinates.
    enum Area { nowhere = 0, chaseRow = 1, wheelRow = 2, fleeRow = 3, exitBox = 4 };
    static Area areaAt(long x, long y);

    // The best score is kept in the file `scoreFile` (see ScoreBook).
    explicit MenuHandler(const wchar_t* scoreFile = ScoreBook::fileName);
    virtual ~MenuHandler();
    MenuHandler(const MenuHandler&) = delete;
    MenuHandler& operator=(const MenuHandler&) = delete;

    // Entered: after a game, its score is recorded.
    long onInit(Surface* surface, Panel* panel, Application* application) override;
    long onNextFrame(Surface* surface, Panel* panel) override;
    long onStylusDown(tagPOINT point) override;
    long onStylusMove(tagPOINT point) override;
    long onStylusUp(tagPOINT point) override;

    // The game whose steering mode the menu sets; not owned.
    void setPlay(PlayHandler* handler) { play = handler; }
    // Where the picture's top left corner is on the screen.
    void setOrigin(tagPOINT origin) { pictureOrigin = origin; }
    const ScoreBook& getScores() const { return scores; }

private:
    void drawPressedArea(Surface* surface);
    void drawScores(Surface* surface);

    Surface menuImage;
    PlayHandler* play;
    ScoreBook scores;
    tagPOINT pictureOrigin;
    int gameOverLeft;      // frames of the game-over picture still to show
    bool pressed;          // the stylus is down; `pressedAt` is where, on the picture
    tagPOINT pressedAt;
};

#endif
