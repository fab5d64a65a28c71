#include "platform/input/EvdevDecoder.h"

#include <algorithm>

namespace {

// The same keys as the window's keyboard, and the gamepad's buttons.
const struct {
    unsigned code;
    int keyName;
} keyTable[] = {
    {KEY_UP, InputCommand::Up_},         {KEY_DOWN, InputCommand::Down_},
    {KEY_LEFT, InputCommand::Left_},     {KEY_RIGHT, InputCommand::Right_},
    {KEY_ENTER, InputCommand::Start_},   {KEY_KPENTER, InputCommand::Start_},
    {KEY_Z, InputCommand::A_},           {KEY_X, InputCommand::B_},
    {KEY_C, InputCommand::C_},           {BTN_DPAD_UP, InputCommand::Up_},
    {BTN_DPAD_DOWN, InputCommand::Down_}, {BTN_DPAD_LEFT, InputCommand::Left_},
    {BTN_DPAD_RIGHT, InputCommand::Right_}, {BTN_SOUTH, InputCommand::A_},
    {BTN_EAST, InputCommand::B_},        {BTN_WEST, InputCommand::C_},
    {BTN_START, InputCommand::Start_},
};

// A pad whose stick's range cannot be read reports, as most drivers do, 16 signed bits.
constexpr EvdevDecoder::AxisRange usualStickRange = {-32768, 32767, true};

constexpr int64_t maxMotion = int64_t(1) << 40;
constexpr int32_t largestScreen = 1 << 24;

int sign(int32_t value) { return value > 0 ? 1 : value < 0 ? -1 : 0; }

} // namespace

void MousePointer::keepOn(const GlassPlacement& placement)
{
    if (!placed) {
        x = static_cast<int32_t>((int64_t(placement.shownLeft()) + placement.shownRight()) / 2);
        y = static_cast<int32_t>((int64_t(placement.shownTop()) + placement.shownBottom()) / 2);
        placed = true;
    }
    x = std::clamp(x, placement.shownLeft(), std::max(placement.shownLeft(), placement.shownRight() - 1));
    y = std::clamp(y, placement.shownTop(), std::max(placement.shownTop(), placement.shownBottom() - 1));
}

EvdevDecoder::EvdevDecoder(unsigned kinds, const Ranges& ranges) : kindSet(kinds), ranges(ranges)
{
    unit.reserve(maxUnitCommands);
    if (kinds & Pad)
        keys.setRepeats(HeldKeys::padRepeatDelay, HeldKeys::padRepeatInterval);
}

int EvdevDecoder::keyNameOf(unsigned code)
{
    for (const auto& entry : keyTable)
        if (entry.code == code)
            return entry.keyName;
    return InputCommand::noKeyName;
}

void EvdevDecoder::take(const input_event& event, const GlassPlacement& placement, MousePointer& pointer,
                        uint64_t now, std::vector<InputCommand>& out)
{
    readAt = now;
    if (event.type == EV_SYN) {
        if (event.code == SYN_DROPPED) {
            // What came before the loss happened: the device is told, so that what it was
            // told and what this decoder holds stay one.
            if (!dropping)
                endUnit(placement, pointer, out);
            dropping = true;
        } else if (event.code == SYN_REPORT) {
            if (dropping) {
                dropping = false;
                stateWanted = true;
            } else
                endUnit(placement, pointer, out);
        }
        return;
    }
    if (dropping)
        return;
    switch (event.type) {
    case EV_KEY:
        key(event.code, event.value);
        break;
    case EV_ABS:
        absolute(event.code, event.value);
        break;
    case EV_REL:
        if (kindSet & Mouse) {
            // Bounded: a unit that never ends must not overflow.
            if (event.code == REL_X)
                moveX = std::clamp<int64_t>(moveX + event.value, -maxMotion, maxMotion);
            else if (event.code == REL_Y)
                moveY = std::clamp<int64_t>(moveY + event.value, -maxMotion, maxMotion);
        }
        break;
    default:
        break;
    }
}

void EvdevDecoder::key(unsigned code, int32_t value)
{
    if ((code == BTN_TOUCH && (kindSet & Touch)) || (code == BTN_LEFT && (kindSet & Mouse))) {
        bool pressed = value != 0;
        if (pressed && !touching)
            touchPressed = true;
        touching = pressed;
        return;
    }
    if (!(kindSet & (Keys | Pad)) || !keyRoom())
        return;
    int keyName = keyNameOf(code);
    if (value == 2) {
        // The device repeats its keys itself: no second repeat of ours.
        keys.setRepeats(0, 0);
        keys.repeat(keyName, unit);
    } else if (value == 0 || value == 1) {
        keys.hold(keyName, HeldKeys::Button, value == 1, readAt, unit);
    }
}

void EvdevDecoder::absolute(unsigned code, int32_t value)
{
    if (kindSet & Touch) {
        switch (code) {
        case ABS_X:
            rawX = value, rawXFromTouch = false;
            break;
        case ABS_Y:
            rawY = value, rawYFromTouch = false;
            break;
        case ABS_MT_SLOT:
            slot = value;
            break;
        case ABS_MT_POSITION_X:
            if (slot == 0)
                rawX = value, rawXFromTouch = true;
            break;
        case ABS_MT_POSITION_Y:
            if (slot == 0)
                rawY = value, rawYFromTouch = true;
            break;
        default:
            break;
        }
        return;
    }
    if (!(kindSet & Pad) || !keyRoom())
        return;
    switch (code) {
    case ABS_HAT0X:
        keys.axis(InputCommand::Left_, InputCommand::Right_, HeldKeys::Hat, sign(value), readAt, unit);
        break;
    case ABS_HAT0Y:
        keys.axis(InputCommand::Up_, InputCommand::Down_, HeldKeys::Hat, sign(value), readAt, unit);
        break;
    case ABS_X:
    case ABS_Y: {
        const AxisRange& range = code == ABS_X ? ranges.x : ranges.y;
        const AxisRange& used = range.known ? range : usualStickRange;
        int direction = HeldKeys::axisDirection(value, used.minimum, used.maximum);
        if (code == ABS_X)
            keys.axis(InputCommand::Left_, InputCommand::Right_, HeldKeys::Stick, direction, readAt, unit);
        else
            keys.axis(InputCommand::Up_, InputCommand::Down_, HeldKeys::Stick, direction, readAt, unit);
        break;
    }
    default:
        break;
    }
}

void EvdevDecoder::stylus(InputCommand::Kind kind, int32_t glassX, int32_t glassY)
{
    InputCommand command;
    command.kind = kind;
    command.x = glassX;
    command.y = glassY;
    unit.push_back(command);
    lastGlassX = glassX;
    lastGlassY = glassY;
}

void EvdevDecoder::endUnit(const GlassPlacement& placement, MousePointer& pointer, std::vector<InputCommand>& out)
{
    if (placement.glassWidth > 0 && placement.glassHeight > 0) {
        if (kindSet & Touch)
            touchUnit(placement);
        else if (kindSet & Mouse)
            mouseUnit(placement, pointer);
    }
    touchPressed = false;
    moveX = moveY = 0;
    out.insert(out.end(), unit.begin(), unit.end());
    unit.clear();
}

int32_t EvdevDecoder::screenCoordinate(int32_t value, const AxisRange& range, int32_t screenSize) const
{
    if (!range.known || range.maximum <= range.minimum)
        return value;
    // The range's ends are the screen's first and last pixels; between them, the nearest.
    int64_t span = int64_t(range.maximum) - range.minimum;
    int64_t along = std::clamp<int64_t>(int64_t(value) - range.minimum, 0, span);
    int64_t last = std::clamp<int64_t>(int64_t(screenSize) - 1, 0, largestScreen);
    return static_cast<int32_t>((along * 2 * last + span) / (2 * span));
}

void EvdevDecoder::touchUnit(const GlassPlacement& placement)
{
    int32_t screenX = screenCoordinate(rawX, rawXFromTouch ? ranges.touchX : ranges.x, placement.screenWidth);
    int32_t screenY = screenCoordinate(rawY, rawYFromTouch ? ranges.touchY : ranges.y, placement.screenHeight);
    int32_t glassX, glassY;
    placement.glassPoint(screenX, screenY, glassX, glassY);
    bool pressed = touching || touchPressed;
    if (pressed && !stylusDown && !ignoredTouch) {
        if (placement.shows(screenX, screenY)) {
            stylusDown = true;
            stylus(InputCommand::Down, glassX, glassY);
        } else {
            ignoredTouch = true;
        }
    } else if (touching && stylusDown && (glassX != lastGlassX || glassY != lastGlassY)) {
        stylus(InputCommand::Move, glassX, glassY);
    }
    if (!touching) {
        if (stylusDown)
            stylus(InputCommand::Up, glassX, glassY);
        stylusDown = false;
        ignoredTouch = false;
    }
}

void EvdevDecoder::mouseUnit(const GlassPlacement& placement, MousePointer& pointer)
{
    pointer.keepOn(placement);
    pointer.x = static_cast<int32_t>(std::clamp<int64_t>(pointer.x + moveX, INT32_MIN, INT32_MAX));
    pointer.y = static_cast<int32_t>(std::clamp<int64_t>(pointer.y + moveY, INT32_MIN, INT32_MAX));
    pointer.keepOn(placement);
    int32_t glassX, glassY;
    placement.glassPoint(pointer.x, pointer.y, glassX, glassY);
    bool pressed = touching || touchPressed;
    if (pressed && !stylusDown) {
        stylusDown = true;
        stylus(InputCommand::Down, glassX, glassY);
    } else if (touching && stylusDown && (glassX != lastGlassX || glassY != lastGlassY)) {
        stylus(InputCommand::Move, glassX, glassY);
    }
    if (!touching && stylusDown) {
        stylus(InputCommand::Up, glassX, glassY);
        stylusDown = false;
    }
}

void EvdevDecoder::resync(const PresentState& state, const GlassPlacement& placement, MousePointer& pointer,
                          std::vector<InputCommand>& out)
{
    // A named key is down when any of its codes is (the arrows and the D-pad share keys).
    bool down[InputCommand::keyNameCount] = {};
    for (const auto& entry : keyTable)
        if (state.isDown(entry.code))
            down[entry.keyName] = true;
    if (kindSet & (Keys | Pad))
        for (int keyName = 0; keyName < InputCommand::keyNameCount; ++keyName)
            keys.hold(keyName, HeldKeys::Button, down[keyName], readAt, unit);
    key(BTN_TOUCH, state.isDown(BTN_TOUCH));
    key(BTN_LEFT, state.isDown(BTN_LEFT));
    for (const PresentState::Axis& axis : state.axes)
        absolute(axis.code, axis.value);
    endUnit(placement, pointer, out);
}

void EvdevDecoder::release(std::vector<InputCommand>& out)
{
    // The keys of an unfinished unit are held already: the device hears of them first, so
    // that each is let go after it went down.
    out.insert(out.end(), unit.begin(), unit.end());
    unit.clear();
    if (stylusDown) {
        stylus(InputCommand::Up, lastGlassX, lastGlassY);
        stylusDown = false;
    }
    touching = ignoredTouch = false;
    keys.releaseAll(unit);
    out.insert(out.end(), unit.begin(), unit.end());
    unit.clear();
}
