#ifndef PARVOLIN_SDL_CONTROLLERS_H
#define PARVOLIN_SDL_CONTROLLERS_H

#include "platform/base/InputCommand.h"
#include "platform/input/HeldKeys.h"

#include <cstdint>
#include <vector>

union SDL_Event;
typedef struct _SDL_GameController SDL_GameController;

// The game controllers of the SDL window (SDL's game-controller interface), opened as they
// are plugged in and closed as they go, as the device's keys by the same table as the
// frame-buffer host's gamepads: the D-pad and the left stick (past half its travel) are
// the direction pad, A, B and X are A, B and C, Start is Start. A held key repeats as a
// keyboard's does (after half a second, 25 times a second).
class SdlControllers {
public:
    static constexpr size_t maxControllers = 16;

    SdlControllers();
    ~SdlControllers();
    SdlControllers(const SdlControllers&) = delete;
    SdlControllers& operator=(const SdlControllers&) = delete;

    // One SDL event at `now` (nanoseconds): true when it was a controller's, its input
    // appended to `out`.
    bool handle(const SDL_Event& event, uint64_t now, std::vector<InputCommand>& out);
    // The repeats of held keys that are due.
    void repeatDue(uint64_t now, std::vector<InputCommand>& out);
    size_t count() const { return pads.size(); }

private:
    struct Pad {
        int32_t instance;
        SDL_GameController* controller;
        HeldKeys keys;
    };
    // The controller's state, made when one that was not seen plugged in sends input.
    Pad* find(int32_t instance, bool make);
    void remove(int32_t instance, std::vector<InputCommand>& out);

    bool ready = false;
    std::vector<Pad> pads;
};

#endif
