#ifndef VORLEQUIN_SNAKE_GAME_H
#define VORLEQUIN_SNAKE_GAME_H

#include <Parvolin/Parvolin.h>

class MenuHandler;
class PlayHandler;

// Vorlequin: a menu state where the player picks how the stylus steers, and a play state
// where the snake crawls until it meets something white. The menu starts a game (11), a
// game goes back to the menu (53), and the menu's exit (54, for which no jump exists)
// ends the program.
class SnakeGame : public StateMachine {
public:
    SnakeGame();
    ~SnakeGame() override;
    SnakeGame(const SnakeGame&) = delete;
    SnakeGame& operator=(const SnakeGame&) = delete;

    long configure(Config* config) override;
    // Builds both states and their handlers once; negative when they cannot be made, or
    // when the screen is smaller than the field (a message box says so, and the last
    // error holds its text).
    long onInit(Surface* surface, Panel* panel, Application* application) override;
    long onExit() override;

    // For tests: the states and handlers once onInit has made them.
    State* getMenuState() { return menu; }
    State* getPlayState() { return play; }
    PlayHandler* getPlayHandler() { return playHandler; }

private:
    // The game keeps what it made so that it can give it back at the end.
    State* menu;
    State* play;
    MenuHandler* menuHandler;
    PlayHandler* playHandler;
};

#endif
