#ifndef PARVOLIN_EVDEV_DECODER_H
#define PARVOLIN_EVDEV_DECODER_H

#include "platform/base/InputCommand.h"
#include "platform/device/GlassPlacement.h"
#include "platform/input/HeldKeys.h"

#include <linux/input.h>

#include <cstdint>
#include <vector>

// The pointer that mice move over the glass, in screen pixels. It starts at the glass's
// centre and never leaves the glass.
struct MousePointer {
    int32_t x = 0;
    int32_t y = 0;
    bool placed = false;

    // Where it is on `placement` (placed at the centre the first time).
    void keepOn(const GlassPlacement& placement);
};

// One Linux input event device's stream of `struct input_event` records turned into the
// device's input. What the device is decides what its events mean:
//   Touch  absolute X/Y (or multi-touch slot 0) with BTN_TOUCH: the stylus, its reported
//          range stretched over the screen, then onto the glass's place on it (an unknown
//          range: the values are screen pixels). A touch beside the glass is ignored
//          until it is lifted; a touch that slides off the glass stays on its edge.
//   Mouse  relative X/Y move the pointer; BTN_LEFT is the stylus, at the pointer.
//   Keys   the arrows, Enter, Z, X and C are the device's direction pad, Start, A, B, C.
//   Pad    the same keys, plus the D-pad (buttons or hat), the left stick past half its
//          travel, BTN_SOUTH, BTN_EAST, BTN_WEST as A, B, C and BTN_START as Start.
// A key's repeat (value 2) is an auto-repeat. A pad's held keys repeat at the window's pad
// timing (HeldKeys::padRepeatDelay), unless the device repeats them itself (it sends
// value 2). Events take effect as units: what a unit
// did is handed out at its SYN_REPORT. At SYN_DROPPED (the kernel lost events) what came
// before is handed out, and the events up to the next SYN_REPORT are skipped, as the
// kernel says they are incomplete; then the decoder asks for the device's present state
// (its keys, buttons and axes, as its queries answer), so that a key or a touch let go
// among the lost events is let go. A stream that cannot be asked (a file, a FIFO) keeps
// such a key down until it is pressed and let go again.
class EvdevDecoder {
public:
    enum Kind : unsigned { Touch = 1, Mouse = 2, Keys = 4, Pad = 8 };

    struct AxisRange {
        int32_t minimum = 0;
        int32_t maximum = 0;
        bool known = false;
    };
    struct Ranges {
        AxisRange x, y;            // ABS_X, ABS_Y
        AxisRange touchX, touchY;  // ABS_MT_POSITION_X, ABS_MT_POSITION_Y
    };

    // What a device holds at present, as its queries (EVIOCGKEY, EVIOCGABS) answer.
    struct PresentState {
        static constexpr size_t bitsPerWord = 8 * sizeof(unsigned long);
        struct Axis {
            unsigned code;
            int32_t value;
        };
        unsigned long keysDown[(KEY_CNT + bitsPerWord - 1) / bitsPerWord] = {};
        std::vector<Axis> axes;  // those the device has

        bool isDown(unsigned code) const
        {
            return code < KEY_CNT && ((keysDown[code / bitsPerWord] >> (code % bitsPerWord)) & 1);
        }
    };

    // Most commands one unit hands out. Its stylus makes at most two (down and up, or a
    // move and up) and always has room, so that the device is told the whole of it; keys
    // past the rest of the room are lost, as if never pressed.
    static constexpr size_t maxUnitCommands = 64;
    static constexpr size_t stylusRoom = 2;

    EvdevDecoder(unsigned kinds, const Ranges& ranges);

    unsigned kinds() const { return kindSet; }

    // One record, read at `now` (the device's clock, nanoseconds); at the end of a unit its
    // commands are appended to `out`. `pointer` is the mice's shared pointer.
    void take(const input_event& event, const GlassPlacement& placement, MousePointer& pointer, uint64_t now,
              std::vector<InputCommand>& out);
    // The repeats of held pad keys that are due by `now`.
    void repeatDue(uint64_t now, std::vector<InputCommand>& out) { keys.repeatDue(now, out); }
    // True once after events were lost: the device's present state is wanted (resync).
    bool takeStateRequest()
    {
        bool wanted = stateWanted;
        stateWanted = false;
        return wanted;
    }
    // The device holds `state` now: what differs from what the device was told is handed
    // out as one unit, as if the lost events had arrived.
    void resync(const PresentState& state, const GlassPlacement& placement, MousePointer& pointer,
                std::vector<InputCommand>& out);
    // The device went away: its stylus is lifted and its keys let go.
    void release(std::vector<InputCommand>& out);

    // The device's named key for an EV_KEY code, or InputCommand::noKeyName.
    static int keyNameOf(unsigned code);

private:
    void key(unsigned code, int32_t value);
    void absolute(unsigned code, int32_t value);
    void endUnit(const GlassPlacement& placement, MousePointer& pointer, std::vector<InputCommand>& out);
    void touchUnit(const GlassPlacement& placement);
    void mouseUnit(const GlassPlacement& placement, MousePointer& pointer);
    void stylus(InputCommand::Kind kind, int32_t glassX, int32_t glassY);
    // Whether a key may still change within the unit (one change makes up to two commands).
    bool keyRoom() const { return unit.size() + 2 + stylusRoom <= maxUnitCommands; }
    int32_t screenCoordinate(int32_t value, const AxisRange& range, int32_t screenSize) const;

    const unsigned kindSet;
    const Ranges ranges;
    HeldKeys keys;
    uint64_t readAt = 0;  // when the record being taken was read
    std::vector<InputCommand> unit;  // what the unit so far did
    bool dropping = false;
    bool stateWanted = false;

    // The stylus as the touch screen or the mouse holds it.
    bool touching = false;       // as the events so far say
    bool touchPressed = false;   // pressed within the unit (and perhaps released again)
    bool stylusDown = false;     // as the device was told
    bool ignoredTouch = false;   // pressed beside the glass: nothing until it is lifted
    int32_t rawX = 0, rawY = 0;  // the touch's position in the device's units
    bool rawXFromTouch = false, rawYFromTouch = false;
    int32_t slot = 0;
    int32_t lastGlassX = 0, lastGlassY = 0;
    int64_t moveX = 0, moveY = 0;  // the mouse's motion within the unit
};

#endif
