#ifndef PARVOLIN_CONFIG_H
#define PARVOLIN_CONFIG_H

#include <cstdint>

// The one configuration record of a game, filled in code by its configure(). A new record
// holds the defaults: everything zero except 32 frames per second.
struct Config {
    const wchar_t* appName = nullptr;  // window title and class base; null means "Parvolin"
    int32_t iconId = 0;                // the window icon's resource id (low 16 bits)
    int32_t orientation = 0;           // quarter turns of the screen, 0 to 3; others act as 0
    int32_t nativeResolution = 0;      // nonzero keeps a high-resolution screen at its resolution
    bool doubleClicks = false;         // the window receives double-click messages
    uint8_t reserved1 = 0;
    bool runInBackground = false;      // frames go on while the application is not active
    bool stayInForeground = false;     // deactivation takes the foreground back instead of minimising
    int32_t width = 0;                 // not read by the library
    int32_t height = 0;                // not read by the library
    int32_t reserved2 = 0;
    uint32_t fps = 32;                 // frames per second; 0 runs unpaced
    int32_t reserved3 = 0;
};

#endif
