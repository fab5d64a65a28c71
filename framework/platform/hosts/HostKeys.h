#ifndef PARVOLIN_HOST_KEYS_H
#define PARVOLIN_HOST_KEYS_H

// The device's keys on a person's keyboard and gamepads: one table for the window and the
// page, so that a game plays the same in both (the frame buffer's input decoder keeps the
// same keys in input/EvdevDecoder).
#include <cstdint>

namespace HostKeys {

// The device's key (InputCommand::KeyName) for a keyboard key named as SDL names it ("Up",
// "Return", "Keypad Enter", "Z"): the arrow keys are the direction pad, Enter is Start,
// Z, X and C are A, B and C. InputCommand::noKeyName for any other key or null.
int ofKeyboard(const char* name);

// A gamepad's controls, as the standard layouts name them (SDL's game controllers, the
// browser's standard gamepad).
enum class PadButton { DpadUp, DpadDown, DpadLeft, DpadRight, A, B, X, Start, Other };

// The D-pad is the direction pad, A, B and X are A, B and C, Start is Start.
int ofPadButton(PadButton button);

} // namespace HostKeys

#endif
