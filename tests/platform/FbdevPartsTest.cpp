// The pieces of the frame-buffer host that need no device: the glass's place on a screen,
// the frame buffer's modes and pixel formats, repeats and the stick's dead zone, input
// event streams and what devices are.
#include "platform/device/GlassPlacement.h"
#include "platform/hosts/FrameBuffer.h"
#include "platform/input/EvdevDecoder.h"
#include "platform/input/EvdevDevices.h"
#include "platform/input/HeldKeys.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

struct PlacementCase {
    int32_t screenWidth, screenHeight, scaleAsked;
    int32_t scale, left, top;
};

class GlassPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

// A 240 x 320 glass on screens of several sizes; half pixels of centring go left and up.
TEST_P(GlassPlacementTest, CentresAtTheLargestScaleThatFitsOrTheOneAsked)
{
    const PlacementCase& c = GetParam();
    GlassPlacement placed = GlassPlacement::centred(c.screenWidth, c.screenHeight, 240, 320, c.scaleAsked);
    EXPECT_EQ(c.scale, placed.scale);
    EXPECT_EQ(c.left, placed.left);
    EXPECT_EQ(c.top, placed.top);
}

INSTANTIATE_TEST_SUITE_P(Screens, GlassPlacementTest,
                         ::testing::Values(PlacementCase{640, 480, 0, 1, 200, 80},
                                           PlacementCase{1280, 720, 0, 2, 400, 40},
                                           PlacementCase{501, 661, 2, 2, 10, 10},
                                           PlacementCase{199, 300, 0, 1, -21, -10},  // larger than the screen
                                           PlacementCase{640, 480, 3, 3, -40, -240}));

TEST(FrameBufferMode, TakesThreeNumbersAndALineLength)
{
    struct {
        const char* text;
        uint32_t width, height, bits, line;
    } good[] = {{"640x480x16", 640, 480, 16, 1280},
                {"501x661x16+1024", 501, 661, 16, 1024},
                {"8x2x24", 8, 2, 24, 24},
                {"520x700x32+2080", 520, 700, 32, 2080}};
    for (const auto& g : good) {
        FrameBufferMode mode;
        std::string why;
        ASSERT_TRUE(FrameBufferMode::parse(g.text, mode, why)) << g.text << ": " << why;
        EXPECT_EQ(g.width, mode.width);
        EXPECT_EQ(g.height, mode.height);
        EXPECT_EQ(g.bits, mode.bitsPerPixel);
        EXPECT_EQ(g.line, mode.lineBytes);
    }
}

TEST(FrameBufferMode, RefusesBadValuesNamingThem)
{
    for (const char* text : {"640x480", "640x480x8", "0x480x16", "640x0x32", "640x480x16+1279", "640x480x16+",
                             "640X480X16", "640x480x16x2", "-640x480x16", " 640x480x16", "99999x99999x32",
                             "1234567890x1x16"}) {
        FrameBufferMode mode;
        std::string why;
        EXPECT_FALSE(FrameBufferMode::parse(text, mode, why)) << text;
        EXPECT_NE(std::string::npos, why.find(std::string("PARVOLIN_FBDEV_MODE \"") + text + "\"")) << why;
    }
}

TEST(FrameBufferFormat, PacksColoursByTheBitFields)
{
    FrameBufferFormat argb = FrameBufferFormat::xrgb8888();
    argb.transparent = {24, 8};
    struct {
        FrameBufferFormat format;
        uint32_t colour, stored;
        const char* name;
    } cases[] = {{FrameBufferFormat::rgb565(), 0xFF0000, 0xF800, "RGB565"},
                 {FrameBufferFormat::rgb565(), 0x00FF00, 0x07E0, "RGB565"},
                 {FrameBufferFormat::rgb565(), 0x848284, 0x8410, "RGB565"},
                 {FrameBufferFormat::rgb888(), 0x123456, 0x123456, "RGB888"},
                 {FrameBufferFormat::xrgb8888(), 0x123456, 0x123456, "XRGB8888"},
                 {FrameBufferFormat::xbgr8888(), 0x123456, 0x563412, "XBGR8888"},
                 {argb, 0x123456, 0xFF123456, "XRGB8888"}};
    for (const auto& c : cases) {
        EXPECT_TRUE(c.format.supported()) << c.name;
        EXPECT_EQ(c.stored, c.format.pack(c.colour)) << c.name;
        EXPECT_EQ(c.name, c.format.describe());
    }
    // Another format is named by its fields (RGB555 here).
    FrameBufferFormat rgb555 = FrameBufferFormat::rgb565();
    rgb555.red = {10, 5};
    rgb555.green = {5, 5};
    EXPECT_FALSE(rgb555.supported());
    EXPECT_EQ("16 bits per pixel, red 5 bits at 10, green 5 bits at 5, blue 5 bits at 0", rgb555.describe());
}

// A glass larger than the screen at the scale asked hangs over every edge: the screen
// shows its middle, glass column 13 cut to its last two screen pixels at the left.
TEST(FrameBuffer, AGlassLargerThanTheScreenShowsItsMiddle)
{
    TempFolder folder;
    folder.write(L"fb", "");
    FrameBufferMode mode;
    std::string why;
    ASSERT_TRUE(FrameBufferMode::parse("640x480x32", mode, why));
    FrameBuffer screen;
    ASSERT_TRUE(screen.open(folder.hostPath("fb"), &mode, why)) << why;
    GlassImage glass;
    glass.width = 240;
    glass.height = 320;
    for (uint32_t i = 0; i < 240 * 320; ++i)
        glass.pixels.push_back(i);  // each pixel its own colour: its index
    GlassPlacement placed = GlassPlacement::centred(640, 480, 240, 320, 3);  // corner at (-40, -240)
    screen.drawGlass(glass, placed);
    auto at = [&](uint32_t x, uint32_t y) {
        uint32_t value;
        std::memcpy(&value, screen.pixels() + y * 2560 + x * 4, 4);
        return value;
    };
    EXPECT_EQ(80u * 240 + 13, at(0, 0));
    EXPECT_EQ(80u * 240 + 13, at(1, 0));
    EXPECT_EQ(80u * 240 + 14, at(2, 0));
    EXPECT_EQ(239u * 240 + 226, at(639, 479));
}

TEST(HeldKeys, HeldKeysRepeatAfterTheDelayOncePerLook)
{
    const uint64_t ms = 1000000;
    HeldKeys keys;
    keys.setRepeats(500 * ms, 40 * ms);
    std::vector<InputCommand> out;
    keys.hold(InputCommand::A_, HeldKeys::Button, true, 0, out);
    keys.repeatDue(499 * ms, out);
    EXPECT_EQ(1u, out.size());
    keys.repeatDue(500 * ms, out);
    EXPECT_EQ(2u, out.size());
    keys.repeatDue(520 * ms, out);
    EXPECT_EQ(2u, out.size());
    keys.repeatDue(5000 * ms, out);
    EXPECT_EQ(3u, out.size()) << "a late look repeats once";
    EXPECT_EQ(InputCommand::KeyDown, out[2].kind);
}

TEST(HeldKeys, AnAxisPointsPastHalfItsTravel)
{
    struct {
        int64_t value, minimum, maximum;
        int direction;
    } cases[] = {{16384, -32768, 32767, 1}, {16383, -32768, 32767, 0}, {-16384, -32768, 32767, 0},
                 {-16385, -32768, 32767, -1}, {192, 0, 255, 1},        {191, 0, 255, 0},
                 {0, 0, 255, -1},             {5, 5, 5, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.direction, HeldKeys::axisDirection(c.value, c.minimum, c.maximum)) << c.value;
}

// A 240 x 320 glass at scale 1 on a 640 x 480 screen: its corner at (200, 80).
class EvdevDecoderTest : public ::testing::Test {
protected:
    std::vector<InputCommand> feed(EvdevDecoder& decoder, std::initializer_list<input_event> events)
    {
        std::vector<InputCommand> out;
        for (const input_event& event : events)
            decoder.take(event, placement, pointer, now, out);
        return out;
    }

    static input_event ev(unsigned type, unsigned code, int32_t value)
    {
        input_event event = {};
        event.type = static_cast<uint16_t>(type);
        event.code = static_cast<uint16_t>(code);
        event.value = value;
        return event;
    }
    static input_event syn() { return ev(EV_SYN, SYN_REPORT, 0); }

    static void expectStylus(const InputCommand& command, InputCommand::Kind kind, int32_t x, int32_t y)
    {
        EXPECT_EQ(kind, command.kind);
        EXPECT_EQ(x, command.x);
        EXPECT_EQ(y, command.y);
    }

    GlassPlacement placement = GlassPlacement::centred(640, 480, 240, 320, 0);
    MousePointer pointer;
    uint64_t now = 0;  // when the records are read
};

TEST_F(EvdevDecoderTest, TouchScreenRangeIsStretchedOverTheScreenThenOntoTheGlass)
{
    EvdevDecoder::Ranges ranges;
    ranges.x = {0, 1278, true};  // two units a screen pixel
    ranges.y = {0, 958, true};
    EvdevDecoder touch(EvdevDecoder::Touch, ranges);
    EXPECT_TRUE(feed(touch, {ev(EV_ABS, ABS_X, 640), ev(EV_ABS, ABS_Y, 320), ev(EV_KEY, BTN_TOUCH, 1)}).empty())
        << "nothing before the unit ends";
    std::vector<InputCommand> out = feed(touch, {syn(), ev(EV_ABS, ABS_X, 1278), syn(), ev(EV_KEY, BTN_TOUCH, 0), syn()});
    ASSERT_EQ(3u, out.size());
    expectStylus(out[0], InputCommand::Down, 120, 80);
    expectStylus(out[1], InputCommand::Move, 239, 80);  // slid off the glass: on its edge
    expectStylus(out[2], InputCommand::Up, 239, 80);

    // Pressed and lifted within one unit: a tap. Beside the glass: nothing, until lifted.
    out = feed(touch, {ev(EV_ABS, ABS_X, 600), ev(EV_KEY, BTN_TOUCH, 1), ev(EV_KEY, BTN_TOUCH, 0), syn(),
                       ev(EV_ABS, ABS_X, 10), ev(EV_KEY, BTN_TOUCH, 1), syn(), ev(EV_ABS, ABS_X, 640), syn(),
                       ev(EV_KEY, BTN_TOUCH, 0), syn()});
    ASSERT_EQ(2u, out.size());
    expectStylus(out[0], InputCommand::Down, 100, 80);
    expectStylus(out[1], InputCommand::Up, 100, 80);
}

TEST_F(EvdevDecoderTest, MultiTouchSlotZeroCountsAndUnknownRangesArePixels)
{
    EvdevDecoder touch(EvdevDecoder::Touch, EvdevDecoder::Ranges());
    std::vector<InputCommand> out =
        feed(touch, {ev(EV_ABS, ABS_MT_SLOT, 0), ev(EV_ABS, ABS_MT_POSITION_X, 320), ev(EV_ABS, ABS_MT_POSITION_Y, 240),
                     ev(EV_ABS, ABS_MT_SLOT, 1), ev(EV_ABS, ABS_MT_POSITION_X, 500), ev(EV_KEY, BTN_TOUCH, 1), syn(),
                     ev(EV_SYN, SYN_DROPPED, 0), ev(EV_KEY, BTN_TOUCH, 0), syn()});
    ASSERT_EQ(1u, out.size()) << "the second finger and the dropped unit count for nothing";
    expectStylus(out[0], InputCommand::Down, 120, 160);
    out.clear();
    touch.release(out);
    ASSERT_EQ(1u, out.size()) << "a device that goes away lifts its stylus";
    EXPECT_EQ(InputCommand::Up, out[0].kind);
}

// A unit crowded with key changes still tells the device the whole of its stylus, so that
// no move or lift comes without the press before it.
TEST_F(EvdevDecoderTest, AUnitFullOfKeysKeepsRoomForTheStylus)
{
    EvdevDecoder board(EvdevDecoder::Touch | EvdevDecoder::Keys, EvdevDecoder::Ranges());
    std::vector<InputCommand> out;
    for (int press = 0; press < 100; ++press)
        board.take(ev(EV_KEY, KEY_Z, press % 2 == 0), placement, pointer, now, out);
    for (input_event event : {ev(EV_ABS, ABS_X, 320), ev(EV_ABS, ABS_Y, 240), ev(EV_KEY, BTN_TOUCH, 1), syn()})
        board.take(event, placement, pointer, now, out);
    ASSERT_LE(out.size(), EvdevDecoder::maxUnitCommands);
    expectStylus(out.back(), InputCommand::Down, 120, 160);
    out = feed(board, {ev(EV_ABS, ABS_X, 330), syn(), ev(EV_KEY, BTN_TOUCH, 0), syn()});
    ASSERT_EQ(2u, out.size());
    expectStylus(out[0], InputCommand::Move, 130, 160);
    expectStylus(out[1], InputCommand::Up, 130, 160);
}

// After lost events the device's present state lets go what was let go among them, and
// presses what was pressed; a key held by another of its codes stays down.
TEST_F(EvdevDecoderTest, ThePresentStateAfterALossSettlesKeysAndTouch)
{
    EvdevDecoder board(EvdevDecoder::Touch | EvdevDecoder::Keys, EvdevDecoder::Ranges());
    std::vector<InputCommand> out = feed(board, {ev(EV_KEY, KEY_Z, 1), ev(EV_KEY, KEY_UP, 1), ev(EV_ABS, ABS_X, 320),
                                                 ev(EV_ABS, ABS_Y, 240), ev(EV_KEY, BTN_TOUCH, 1), syn()});
    ASSERT_EQ(3u, out.size());
    EXPECT_FALSE(board.takeStateRequest());
    // Lost: Z and the touch let go, the D-pad's up and X pressed.
    out = feed(board, {ev(EV_SYN, SYN_DROPPED, 0), ev(EV_KEY, KEY_Z, 0), syn()});
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(board.takeStateRequest());
    EXPECT_FALSE(board.takeStateRequest()) << "asked once";
    EvdevDecoder::PresentState state;
    for (unsigned code : {BTN_DPAD_UP, KEY_UP, KEY_X})
        state.keysDown[code / state.bitsPerWord] |= 1UL << (code % state.bitsPerWord);
    state.axes = {{ABS_X, 330}, {ABS_Y, 240}};
    board.resync(state, placement, pointer, out);
    ASSERT_EQ(3u, out.size());
    EXPECT_EQ(InputCommand::KeyUp, out[0].kind);
    EXPECT_EQ(InputCommand::A_, out[0].keyName);
    EXPECT_EQ(InputCommand::KeyDown, out[1].kind);
    EXPECT_EQ(InputCommand::B_, out[1].keyName);
    expectStylus(out[2], InputCommand::Up, 130, 160);
}

// A pad's held key repeats at the window's pad timing; a device that repeats its keys
// itself (value 2) gets no repeats of ours.
TEST_F(EvdevDecoderTest, PadKeysRepeatUnlessTheDeviceRepeatsThem)
{
    for (bool deviceRepeats : {false, true}) {
        EvdevDecoder pad(EvdevDecoder::Pad, EvdevDecoder::Ranges());
        std::vector<InputCommand> out = feed(pad, {ev(EV_KEY, BTN_DPAD_UP, 1), syn()});
        ASSERT_EQ(1u, out.size());
        if (deviceRepeats) {
            EXPECT_EQ(1u, feed(pad, {ev(EV_KEY, BTN_DPAD_UP, 2), syn()}).size());
        }
        std::vector<uint64_t> repeatedAt;
        for (uint64_t at = 0; at <= HeldKeys::padRepeatDelay + 2 * HeldKeys::padRepeatInterval; at += 10000000) {
            out.clear();
            pad.repeatDue(at, out);
            if (!out.empty() && out[0].kind == InputCommand::KeyDown && out[0].keyName == InputCommand::Up_)
                repeatedAt.push_back(at);
        }
        const std::vector<uint64_t> ours = {HeldKeys::padRepeatDelay,
                                            HeldKeys::padRepeatDelay + HeldKeys::padRepeatInterval,
                                            HeldKeys::padRepeatDelay + 2 * HeldKeys::padRepeatInterval};
        EXPECT_EQ(deviceRepeats ? std::vector<uint64_t>() : ours, repeatedAt) << "device repeats " << deviceRepeats;
    }
}

TEST_F(EvdevDecoderTest, MouseMovesThePointerFromTheGlassCentreAndItsButtonIsTheStylus)
{
    EvdevDecoder mouse(EvdevDecoder::Mouse, EvdevDecoder::Ranges());
    std::vector<InputCommand> out = feed(mouse, {ev(EV_REL, REL_X, 10), syn()});
    EXPECT_TRUE(out.empty()) << "a pointer moving without its button is no stylus";
    EXPECT_EQ(330, pointer.x);
    EXPECT_EQ(240, pointer.y);
    out = feed(mouse, {ev(EV_KEY, BTN_LEFT, 1), syn(), ev(EV_REL, REL_X, -1000), ev(EV_REL, REL_Y, 5), syn(),
                       ev(EV_KEY, BTN_LEFT, 0), syn()});
    ASSERT_EQ(3u, out.size());
    expectStylus(out[0], InputCommand::Down, 130, 160);
    expectStylus(out[1], InputCommand::Move, 0, 165);
    expectStylus(out[2], InputCommand::Up, 0, 165);
    EXPECT_EQ(200, pointer.x) << "held at the glass's edge";
}

TEST(EvdevDevices, KindsAreGivenAsPathColonKind)
{
    std::vector<EvdevDevices::GivenKind> kinds;
    std::string why;
    ASSERT_TRUE(EvdevDevices::parseKinds("/tmp/a:touch,/tmp/b:c:pad,/dev/input/event3:keys", kinds, why)) << why;
    ASSERT_EQ(3u, kinds.size());
    EXPECT_EQ("/tmp/b:c", kinds[1].path);
    EXPECT_EQ(unsigned(EvdevDecoder::Pad), kinds[1].kinds);
    for (const char* text : {"touch", "a:", ":pad", "a:joystick", "a:touch,,b:pad"}) {
        EXPECT_FALSE(EvdevDevices::parseKinds(text, kinds, why)) << text;
        EXPECT_NE(std::string::npos, why.find(std::string("PARVOLIN_EVDEV_KIND \"") + text + "\"")) << why;
    }
}

TEST(EvdevDevices, DevicesAreClassifiedByWhatTheyReport)
{
    struct Capability {
        unsigned type, code;
    };
    auto device = [](std::initializer_list<Capability> list, bool pointerProperty = false) {
        EvdevCapabilities caps;
        for (const Capability& c : list) {
            EvdevCapabilities::set(caps.types, c.type);
            unsigned long* bits = c.type == EV_KEY ? caps.keys : c.type == EV_ABS ? caps.absolutes : caps.relatives;
            EvdevCapabilities::set(bits, c.code);
        }
        if (pointerProperty)
            EvdevCapabilities::set(caps.properties, INPUT_PROP_POINTER);
        return EvdevDevices::classify(caps);
    };
    EXPECT_EQ(unsigned(EvdevDecoder::Touch), device({{EV_KEY, BTN_TOUCH}, {EV_ABS, ABS_X}, {EV_ABS, ABS_Y}}));
    EXPECT_EQ(unsigned(EvdevDecoder::Touch),
              device({{EV_KEY, BTN_TOUCH}, {EV_ABS, ABS_MT_POSITION_X}, {EV_ABS, ABS_MT_POSITION_Y}}));
    EXPECT_EQ(0u, device({{EV_KEY, BTN_TOUCH}, {EV_KEY, BTN_LEFT}, {EV_ABS, ABS_X}, {EV_ABS, ABS_Y}}, true))
        << "a touchpad";
    EXPECT_EQ(unsigned(EvdevDecoder::Mouse), device({{EV_KEY, BTN_LEFT}, {EV_REL, REL_X}, {EV_REL, REL_Y}}));
    EXPECT_EQ(unsigned(EvdevDecoder::Pad),
              device({{EV_KEY, BTN_SOUTH}, {EV_ABS, ABS_X}, {EV_ABS, ABS_Y}, {EV_ABS, ABS_HAT0X}}));
    EXPECT_EQ(unsigned(EvdevDecoder::Keys), device({{EV_KEY, KEY_A}, {EV_KEY, KEY_Z}, {EV_KEY, KEY_UP}}));
    EXPECT_EQ(unsigned(EvdevDecoder::Keys | EvdevDecoder::Pad), device({{EV_KEY, KEY_ENTER}, {EV_KEY, BTN_DPAD_UP}}));
    EXPECT_EQ(0u, device({{EV_KEY, KEY_POWER}})) << "a power button";
}

} // namespace
