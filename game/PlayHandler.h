#ifndef VORLEQUIN_PLAY_HANDLER_H
#define VORLEQUIN_PLAY_HANDLER_H

#include <Parvolin/Parvolin.h>

#include <cstdint>

class Snake;

// The play field: the snake steered by the stylus in the mode picked on the menu, the
// apple, the score and the close box. Each frame it draws the field, then moves the snake
// three pixels over what it just drew, so that collisions are read from the frame itself.
//
// The field is 240 x 320. On a larger screen it is drawn apart and shown in the middle
// (setOrigin), and the stylus is taken relative to it.
class PlayHandler : public EventHandler {
public:
    // Jump codes answered to the state machine.
    static constexpr long backToMenu = 53;
    static constexpr int32_t fieldWidth = 240;
    static constexpr int32_t fieldHeight = 320;
    // The dead snake's colour on the game-over picture (COLORREF).
    static constexpr unsigned long deadSnakeColour = 0x4060FF;
    // What the stylus x becomes when it is lifted.
    static constexpr int32_t stylusLifted = -100;

    PlayHandler();
    virtual ~PlayHandler();
    PlayHandler(const PlayHandler&) = delete;
    PlayHandler& operator=(const PlayHandler&) = delete;

    // A new game: the snake back at the centre heading right, no score, waiting for the
    // first touch. The apple stays where it is.
    long onInit(Surface* surface, Panel* panel, Application* application) override;
    long onNextFrame(Surface* surface, Panel* panel) override;
    long onStylusDown(tagPOINT point) override;
    long onStylusMove(tagPOINT point) override;
    // In the close box: back to the menu. Elsewhere the stylus counts as lifted.
    long onStylusUp(tagPOINT point) override;
    // The game is over (the snake died or the close box was used).
    long onExit() override;

    // Where the field's top left corner is on the screen.
    void setOrigin(tagPOINT origin) { fieldOrigin = origin; }
    // The field as the game ended, the dead snake in its own colour, with "GAME OVER" and
    // the score over it.
    void drawGameOver(Surface* surface);

    // 3 flees the stylus, 2 steers by its distance from the middle, 1 chases it.
    void setControlMode(int32_t mode) { controlMode = mode; }
    int32_t getControlMode() const { return controlMode; }
    int32_t getScore() const { return score; }
    int32_t getAppleX() const { return appleX; }
    int32_t getAppleY() const { return appleY; }
    bool isStarted() const { return started; }
    // Whether a game was played and is over (until the next begins), and whether it ended
    // with the snake's death.
    bool isOver() const { return over; }
    bool hasDied() const { return died; }
    // Null only when it could not be allocated.
    Snake* getSnake() { return snake; }

private:
    void steer();
    // The field without the snake: black, the border, the close box, the apple, the score.
    void drawField(Surface* field);
    void placeApple();
    // What the field is drawn on: the screen itself when it is the field's size, else a
    // surface of the game's (null when it cannot be made).
    Surface* fieldFor(Surface* screen);
    // A field drawn apart goes to the middle of the screen.
    void show(Surface* screen, Surface* field);
    tagPOINT onField(tagPOINT point) const;

    Surface appleImage;
    Snake* snake;
    int32_t controlMode;
    tagPOINT stylus;
    int32_t appleX;
    int32_t appleY;
    int32_t score;
    bool started;
    bool over;
    bool died;
    tagPOINT fieldOrigin;
    Surface field;
};

#endif
