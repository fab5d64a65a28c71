#ifndef PARVOLIN_KEY_LIST_H
#define PARVOLIN_KEY_LIST_H

#include <cstdint>

// The device's key codes for its direction pad and buttons, handed to onKeyDown and
// onKeyUp so that a handler can tell which key was pressed.
struct KeyList {
    uint32_t vkUp;
    uint32_t vkDown;
    uint32_t vkLeft;
    uint32_t vkRight;
    uint32_t vkStart;
    uint32_t vkA;
    uint32_t vkB;
    uint32_t vkC;
};

#endif
