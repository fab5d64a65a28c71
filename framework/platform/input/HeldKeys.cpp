#include "platform/input/HeldKeys.h"

void HeldKeys::setRepeats(uint64_t delay, uint64_t interval)
{
    repeatDelay = delay;
    repeatInterval = interval;
}

void HeldKeys::push(InputCommand::Kind kind, int keyName, std::vector<InputCommand>& out)
{
    InputCommand command;
    command.kind = kind;
    command.keyName = keyName;
    out.push_back(command);
}

void HeldKeys::hold(int keyName, unsigned control, bool held, uint64_t now, std::vector<InputCommand>& out)
{
    if (!named(keyName))
        return;
    unsigned before = holders[keyName];
    holders[keyName] = held ? before | control : before & ~control;
    if (!before && holders[keyName]) {
        push(InputCommand::KeyDown, keyName, out);
        nextRepeat[keyName] = now + repeatDelay;
    } else if (before && !holders[keyName]) {
        push(InputCommand::KeyUp, keyName, out);
    }
}

void HeldKeys::axis(int negativeKey, int positiveKey, unsigned control, int direction, uint64_t now,
                    std::vector<InputCommand>& out)
{
    // The key let go first, so that a quick swing from one end to the other reads as a
    // release and a press.
    if (direction >= 0)
        hold(negativeKey, control, false, now, out);
    if (direction <= 0)
        hold(positiveKey, control, false, now, out);
    if (direction < 0)
        hold(negativeKey, control, true, now, out);
    if (direction > 0)
        hold(positiveKey, control, true, now, out);
}

void HeldKeys::repeat(int keyName, std::vector<InputCommand>& out) const
{
    if (isDown(keyName))
        push(InputCommand::KeyDown, keyName, out);
}

void HeldKeys::repeatDue(uint64_t now, std::vector<InputCommand>& out)
{
    if (!repeatInterval)
        return;
    for (int key = 0; key < InputCommand::keyNameCount; ++key) {
        if (!holders[key] || now < nextRepeat[key])
            continue;
        push(InputCommand::KeyDown, key, out);
        // A late look repeats once, not once for every interval missed.
        nextRepeat[key] = now + repeatInterval;
    }
}

void HeldKeys::releaseAll(std::vector<InputCommand>& out)
{
    for (int key = 0; key < InputCommand::keyNameCount; ++key)
        if (holders[key]) {
            holders[key] = 0;
            push(InputCommand::KeyUp, key, out);
        }
}

bool HeldKeys::isDown(int keyName) const { return named(keyName) && holders[keyName] != 0; }

int HeldKeys::axisDirection(int64_t value, int64_t minimum, int64_t maximum)
{
    if (maximum <= minimum)
        return 0;
    // Doubled, so that the middle of an odd range stays whole.
    int64_t fromMiddle = 2 * value - (minimum + maximum);
    int64_t deadZone = (maximum - minimum) / 2;
    return fromMiddle > deadZone ? 1 : fromMiddle < -deadZone ? -1 : 0;
}
