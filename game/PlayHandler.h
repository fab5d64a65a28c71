#ifndef VORLEQUIN_PLAY_HANDLER_H
#define VORLEQUIN_PLAY_HANDLER_H

#include <Parvolin/Parvolin.h>

#include <cstdint>

class Snake;

// The play field: the snake steered by the stylus in the mode picked on the menu, the
// apple, the score and the close box. Each frame it draws the field, then moves the snake
// three pixels over what it just drew, so that collisions are read from the frame itself.
class PlayHandler : public EventHandler {
public:
    // Jump codes answered to the state machine.
    static constexpr long backToMenu = 53;
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

    // 3 flees the stylus, 2 steers by its distance from the middle, 1 chases it.
    void setControlMode(int32_t mode) { controlMode = mode; }
    int32_t getControlMode() const { return controlMode; }
    int32_t getScore() const { return score; }
    int32_t getAppleX() const { return appleX; }
    int32_t getAppleY() const { return appleY; }
    bool isStarted() const { return started; }
    // Null only when it could not be allocated.
    Snake* getSnake() { return snake; }

private:
    void steer();
    void draw(Surface* surface);
    void placeApple();

    Surface appleImage;
    Snake* snake;
    int32_t controlMode;
    tagPOINT stylus;
    int32_t appleX;
    int32_t appleY;
    int32_t score;
    bool started;
};

#endif
