#ifndef PARVOLIN_CONFIG_H
#define PARVOLIN_CONFIG_H

/// \file
/// Config, the configuration record a game fills in.
/// \ingroup core

#include <cstdint>

/// \addtogroup core
/// @{

/// The one configuration record of a game, filled in code by its
/// \ref Application::configure "configure". A new record holds the defaults: everything
/// zero except 32 frames per second.
struct Config {
    const wchar_t* appName = nullptr;  ///< Window title and class base; null means "Parvolin". Borrowed: keep the text alive.
    int32_t iconId = 0;                ///< The window icon's resource id (low 16 bits).
    int32_t orientation = 0;           ///< Quarter turns of the screen, 0 to 3; others act as 0.
    int32_t nativeResolution = 0;      ///< Nonzero keeps a high-resolution screen at its own resolution; 0 shows one that is not square at half resolution (a back buffer of half the size, each pixel doubled).
    bool doubleClicks = false;         ///< The window receives double-click messages (EventHandler::onStylusDblClk).
    uint8_t reserved1 = 0;             ///< Not read.
    bool runInBackground = false;      ///< Frames go on while the application is not active.
    bool stayInForeground = false;     ///< Deactivation takes the foreground back instead of minimising.
    int32_t width = 0;                 ///< Not read by the library: the screen's size is the device's (Surface::getWidth of the back buffer).
    int32_t height = 0;                ///< Not read by the library (see width).
    int32_t reserved2 = 0;             ///< Not read.
    uint32_t fps = 32;                 ///< Frames per second; 0 runs unpaced.
    int32_t reserved3 = 0;             ///< Not read.
};

/// @}

#endif
