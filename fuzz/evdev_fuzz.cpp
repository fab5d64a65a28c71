// Streams of Linux input event records (struct input_event), as a device or a file gives
// them to the frame-buffer host, through the decoder of every kind of device on screens
// and glasses of many sizes, with present states after lost events, checking what the
// device is handed: stylus positions on the glass, a stylus that goes down before it
// moves or goes up, keys let go only when held, a bounded number of commands, and nothing
// held after the device goes away.
#include "platform/device/GlassPlacement.h"
#include "platform/input/EvdevDecoder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "evdev_fuzz: %s\n", what);
    std::abort();
}

int32_t number(const uint8_t* bytes)
{
    uint32_t value;
    std::memcpy(&value, bytes, 4);
    return static_cast<int32_t>(value);
}

// What the device was told so far, checked command by command.
struct DeviceState {
    bool stylusDown = false;
    bool keyDown[InputCommand::keyNameCount] = {};

    void check(const InputCommand& command, const GlassPlacement& placement)
    {
        switch (command.kind) {
        case InputCommand::Down:
        case InputCommand::Move:
        case InputCommand::Up:
            if (command.x < 0 || command.y < 0 || command.x >= placement.glassWidth ||
                command.y >= placement.glassHeight)
                fail("a stylus position off the glass");
            if ((command.kind == InputCommand::Down) == stylusDown)
                fail("the stylus went down twice, or moved or went up without going down");
            stylusDown = command.kind != InputCommand::Up;
            break;
        case InputCommand::KeyDown:
        case InputCommand::KeyUp:
            if (command.keyName < 0 || command.keyName >= InputCommand::keyNameCount)
                fail("a key the device does not have");
            if (command.kind == InputCommand::KeyUp && !keyDown[command.keyName])
                fail("a key let go that was not held");
            keyDown[command.keyName] = command.kind == InputCommand::KeyDown;
            break;
        default:
            fail("a command no input device makes");
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first 24 bytes: the device's kinds, its ranges, the screen, the glass and scale.
    constexpr size_t header = 24;
    if (size < header)
        return 0;
    unsigned kinds = data[0] & 0x0F;
    EvdevDecoder::Ranges ranges;
    ranges.x = {number(data + 4), number(data + 8), (data[1] & 1) != 0};
    ranges.y = {number(data + 8), number(data + 4), (data[1] & 2) != 0};
    ranges.touchX = {number(data + 12), number(data + 4), (data[1] & 4) != 0};
    ranges.touchY = ranges.x;
    int32_t screenWidth = 1 + (data[16] | (data[17] << 8)) % 4096;
    int32_t screenHeight = 1 + (data[18] | (data[19] << 8)) % 4096;
    int32_t glassWidth = 1 + (data[20] | ((data[21] & 3) << 8));
    int32_t glassHeight = 1 + (data[22] | ((data[23] & 3) << 8));
    GlassPlacement placement =
        GlassPlacement::centred(screenWidth, screenHeight, glassWidth, glassHeight, (data[2] % 9));

    EvdevDecoder decoder(kinds, ranges);
    MousePointer pointer;
    DeviceState state;
    std::vector<InputCommand> out;
    size_t records = 0;
    for (size_t at = header; at + sizeof(input_event) <= size; at += sizeof(input_event), ++records) {
        input_event event;
        std::memcpy(&event, data + at, sizeof(event));
        size_t before = out.size();
        // Each record read a little later than the one before, the pad's repeats taken after.
        const uint64_t now = uint64_t(records) * (1 + (data[3] & 0x3F)) * 1000000;
        decoder.take(event, placement, pointer, now, out);
        decoder.repeatDue(now, out);
        if (decoder.takeStateRequest()) {
            // After lost events, a present state made of the record's bytes.
            EvdevDecoder::PresentState state;
            const uint8_t* bytes = data + at;
            for (unsigned code = 0; code < KEY_CNT; ++code)
                if ((bytes[code % sizeof(input_event)] >> (code % 8)) & 1)
                    state.keysDown[code / state.bitsPerWord] |= 1UL << (code % state.bitsPerWord);
            state.axes = {{ABS_X, event.value}, {ABS_Y, ~event.value}, {ABS_HAT0X, int8_t(event.code)},
                          {ABS_HAT0Y, int8_t(event.type)}};
            decoder.resync(state, placement, pointer, out);
        }
        if (out.size() - before > EvdevDecoder::maxUnitCommands + InputCommand::keyNameCount)
            fail("one record handed out more than a unit may");
        if (pointer.placed && !placement.shows(pointer.x, pointer.y))
            fail("the pointer left the glass");
    }
    decoder.release(out);
    for (const InputCommand& command : out)
        state.check(command, placement);
    if (state.stylusDown)
        fail("the stylus stayed down after the device went away");
    for (bool held : state.keyDown)
        if (held)
            fail("a key stayed held after the device went away");
    return 0;
}
