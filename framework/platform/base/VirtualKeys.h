#ifndef PARVOLIN_VIRTUAL_KEYS_H
#define PARVOLIN_VIRTUAL_KEYS_H

// The platform's virtual-key codes that the handhelds' keys produce.
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_SPACE = 0x20;
constexpr unsigned VK_LEFT = 0x25;
constexpr unsigned VK_UP = 0x26;
constexpr unsigned VK_RIGHT = 0x27;
constexpr unsigned VK_DOWN = 0x28;
constexpr unsigned VK_F1 = 0x70;
constexpr unsigned VK_F2 = 0x71;
constexpr unsigned VK_F21 = 0x84;
constexpr unsigned VK_APP1 = 0xC1;
constexpr unsigned VK_APP2 = 0xC2;
constexpr unsigned VK_APP3 = 0xC3;
constexpr unsigned VK_APP4 = 0xC4;
constexpr unsigned VK_APP5 = 0xC5;
constexpr unsigned VK_APP6 = 0xC6;

// The Smartphone's names for its keys.
constexpr unsigned VK_TUP = VK_UP;
constexpr unsigned VK_TDOWN = VK_DOWN;
constexpr unsigned VK_TLEFT = VK_LEFT;
constexpr unsigned VK_TRIGHT = VK_RIGHT;
constexpr unsigned VK_TACTION = VK_RETURN;
constexpr unsigned VK_TSOFT1 = VK_F1;
constexpr unsigned VK_TSOFT2 = VK_F2;
constexpr unsigned VK_TBACK = VK_ESCAPE;

#endif
