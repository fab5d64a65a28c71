#ifndef PARVOLIN_DISPLAY_BACK_ENDS_H
#define PARVOLIN_DISPLAY_BACK_ENDS_H

#include "display/DisplayBackEnd.h"

#include <cstddef>

// One screen interface the display can use. `create` gives null when it does not serve
// this system (by its major version) or this screen; the next entry is tried then.
struct DisplayBackEndEntry {
    const char* name;
    const char* description;
    DisplayBackEnd* (*create)(HWND window, DWORD majorVersion);
};

namespace DisplayBackEnds {

// The screen interfaces in the order they are tried: DirectDraw, the raw frame buffer,
// the Game API (which serves every system).
const DisplayBackEndEntry* entries(size_t& count);

// The first entry that serves, made for `window`; null when none does.
DisplayBackEnd* create(HWND window);

} // namespace DisplayBackEnds

#endif
