#ifndef PARVOLIN_KEY_LIST_H
#define PARVOLIN_KEY_LIST_H

/// \file
/// KeyList, the device's keys as a handler sees them.
/// \ingroup display

#include <cstdint>

/// \addtogroup display
/// @{

/// The device's key codes for its direction pad and buttons, handed to onKeyDown and
/// onKeyUp so that a handler can tell which key was pressed: compare the key received
/// with these fields. The direction keys follow the configured orientation: vkUp is the
/// key that points up on the turned screen. A gamepad drives the same keys: its D-pad and
/// left stick are the direction pad, its A, B and X buttons vkA, vkB and vkC, and its
/// Start vkStart.
struct KeyList {
    uint32_t vkUp;     ///< Up on the screen as the game shows it.
    uint32_t vkDown;   ///< Down.
    uint32_t vkLeft;   ///< Left.
    uint32_t vkRight;  ///< Right.
    uint32_t vkStart;  ///< The start or action key (the pad's centre on a Pocket PC).
    uint32_t vkA;      ///< Button A (the first application button on a Pocket PC).
    uint32_t vkB;      ///< Button B.
    uint32_t vkC;      ///< Button C.
};

/// @}

#endif
