#ifndef PARVOLIN_INPUT_COMMAND_H
#define PARVOLIN_INPUT_COMMAND_H

#include <cstdint>
#include <string>

// One thing a person does to the device (or a screenshot taken of it), at a frame tick:
// a line of an input script, and what the hosts hand to the device.
struct InputCommand {
    enum Kind { Down, Move, Up, DoubleClick, KeyDown, KeyUp, Deactivate, Activate, Close, Shot };

    // The device's keys by name, in the order their names are listed in a script.
    enum KeyName { Up_, Down_, Left_, Right_, Start_, A_, B_, C_, keyNameCount, noKeyName = -1 };

    Kind kind = Close;
    uint64_t frame = 0;
    int32_t x = 0;           // the stylus on the glass, physical pixels
    int32_t y = 0;
    int keyName = noKeyName; // a named key of the device, or noKeyName for `key`
    uint32_t key = 0;        // a virtual-key code given by number
    std::string path;        // where a shot goes (host path)
};

#endif
