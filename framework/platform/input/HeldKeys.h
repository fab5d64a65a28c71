#ifndef PARVOLIN_HELD_KEYS_H
#define PARVOLIN_HELD_KEYS_H

#include "platform/base/InputCommand.h"

#include <cstdint>
#include <vector>

// The device's keys as the controls of a gamepad (or a keyboard) hold them. A direction can
// be held by several controls at once, the D-pad's button, the hat and the stick: the key
// goes down when the first control takes it and up when the last one lets go, so that the
// game sees each press once. With repeats on, a key held past a delay goes down again at
// a steady rate, as a keyboard's keys repeat; each of those is an auto-repeat to the
// device (a key-down of a key that is down).
class HeldKeys {
public:
    enum Control : unsigned { Button = 1, Hat = 2, Stick = 4 };

    // A held pad control repeats as a keyboard's key does: after half a second, 25 times a
    // second (nanoseconds). The same on every host, so that a game plays the same on each.
    static constexpr uint64_t padRepeatDelay = 500000000ull;
    static constexpr uint64_t padRepeatInterval = 40000000ull;

    // Repeats after `delay`, then every `interval` (nanoseconds); both 0: no repeats.
    void setRepeats(uint64_t delay, uint64_t interval);

    // `control` holds or lets go of a named key (InputCommand::KeyName) at `now`
    // (nanoseconds, for repeats); a change of the key is appended to `out`.
    void hold(int keyName, unsigned control, bool held, uint64_t now, std::vector<InputCommand>& out);
    // An axis between two keys: direction -1 holds the first, 1 the second, 0 neither.
    void axis(int negativeKey, int positiveKey, unsigned control, int direction, uint64_t now,
              std::vector<InputCommand>& out);
    // The control repeats a key it holds (a keyboard's own auto-repeat): another key-down.
    void repeat(int keyName, std::vector<InputCommand>& out) const;
    // Repeats that are due by `now`.
    void repeatDue(uint64_t now, std::vector<InputCommand>& out);
    // Everything held is let go (the controls went away).
    void releaseAll(std::vector<InputCommand>& out);

    bool isDown(int keyName) const;

    // Which way an axis points: -1 or 1 when its value lies more than half the way from
    // the middle of its range to an end, else 0 (the dead zone). An empty range: 0.
    static int axisDirection(int64_t value, int64_t minimum, int64_t maximum);

private:
    static bool named(int keyName) { return keyName >= 0 && keyName < InputCommand::keyNameCount; }
    static void push(InputCommand::Kind kind, int keyName, std::vector<InputCommand>& out);

    unsigned holders[InputCommand::keyNameCount] = {};
    uint64_t nextRepeat[InputCommand::keyNameCount] = {};
    uint64_t repeatDelay = 0;
    uint64_t repeatInterval = 0;
};

#endif
