#ifndef PARVOLIN_VIRTUAL_KEYS_H
#define PARVOLIN_VIRTUAL_KEYS_H

/// \file
/// The platform's virtual-key codes that the handhelds' keys produce.
/// \ingroup platform_base

/// \addtogroup platform_base
/// @{

/// \name Virtual-key codes
/// The platform's virtual-key codes that the handhelds' keys produce, as
/// EventHandler::onKeyDown receives them. The direction pad and the buttons differ from
/// device to device: compare against the KeyList a handler is given rather than these.
/// @{
constexpr unsigned VK_BACK = 0x08;    ///< Backspace.
constexpr unsigned VK_RETURN = 0x0D;  ///< Return; the action (centre) key of the pad.
constexpr unsigned VK_ESCAPE = 0x1B;  ///< Escape; the Smartphone's back key.
constexpr unsigned VK_SPACE = 0x20;   ///< Space.
constexpr unsigned VK_LEFT = 0x25;    ///< The pad's left.
constexpr unsigned VK_UP = 0x26;      ///< The pad's up.
constexpr unsigned VK_RIGHT = 0x27;   ///< The pad's right.
constexpr unsigned VK_DOWN = 0x28;    ///< The pad's down.
constexpr unsigned VK_F1 = 0x70;      ///< F1; the Smartphone's left soft key.
constexpr unsigned VK_F2 = 0x71;      ///< F2; the Smartphone's right soft key.
constexpr unsigned VK_F21 = 0x84;     ///< F21, which the device sends without a key press: onKeyDown never sees it.
constexpr unsigned VK_APP1 = 0xC1;    ///< The first application button.
constexpr unsigned VK_APP2 = 0xC2;    ///< The second application button.
constexpr unsigned VK_APP3 = 0xC3;    ///< The third application button.
constexpr unsigned VK_APP4 = 0xC4;    ///< The fourth application button.
constexpr unsigned VK_APP5 = 0xC5;    ///< The fifth application button.
constexpr unsigned VK_APP6 = 0xC6;    ///< The sixth application button.
/// @}

/// \name The Smartphone's names for its keys
/// @{
constexpr unsigned VK_TUP = VK_UP;          ///< Up.
constexpr unsigned VK_TDOWN = VK_DOWN;      ///< Down.
constexpr unsigned VK_TLEFT = VK_LEFT;      ///< Left.
constexpr unsigned VK_TRIGHT = VK_RIGHT;    ///< Right.
constexpr unsigned VK_TACTION = VK_RETURN;  ///< The action key.
constexpr unsigned VK_TSOFT1 = VK_F1;       ///< The left soft key.
constexpr unsigned VK_TSOFT2 = VK_F2;       ///< The right soft key.
constexpr unsigned VK_TBACK = VK_ESCAPE;    ///< The back key.
/// @}

/// @}

#endif
