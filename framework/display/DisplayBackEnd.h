#ifndef PARVOLIN_DISPLAY_BACK_END_H
#define PARVOLIN_DISPLAY_BACK_END_H

#include "core/Config.h"
#include "display/KeyList.h"
#include "platform/libraries/GameApi.h"
#include "platform/base/PlatformTypes.h"

#include <cstddef>
#include <cstdint>

// One of the screen interfaces the display reaches the frame buffer through. After a
// successful open the fields describe the frame buffer as the back buffer sees it: size
// and pitches already turned for the configured orientation, and the byte offset of
// back-buffer pixel (0, 0) from the address the interface hands out.
class DisplayBackEnd {
public:
    DisplayBackEnd();

    virtual bool open(HWND window, Config* config) = 0;
    virtual void close() = 0;
    virtual void suspend() = 0;
    virtual void resume() = 0;
    // The address of back-buffer pixel (0, 0) in the frame buffer; null when the
    // interface gives none this frame.
    virtual unsigned char* lock() = 0;
    virtual void unlock() = 0;
    virtual void applyOrientation();
    virtual bool openScreen(HWND window) = 0;
    virtual bool openInput() = 0;
    virtual void closeScreen() = 0;
    virtual void closeInput() = 0;
    virtual ~DisplayBackEnd();

    // Decides, on the unturned size, whether the screen counts as high resolution and
    // whether stylus positions must be halved.
    void detectScaling();

    KeyList keys;
    uint32_t width;
    uint32_t height;
    int32_t xPitch;
    int32_t yPitch;
    uint32_t bitsPerPixel;
    uint32_t format;
    Config* config;
    int32_t startOffset;
    bool halveStylus;
    bool highResolution;
    bool screenOpen;
    bool inputOpen;

protected:
    // The Game API's key input, which every back end reads the device's keys through.
    struct GameApiInput {
        GXOpenInputFunction open = nullptr;
        GXCloseInputFunction close = nullptr;
        GXGetDefaultKeysFunction getDefaultKeys = nullptr;
    };

    // Loads the library `name` into `library` (unless it is loaded) and looks up every one
    // of `names` into `found`; when one is missing the library is freed again and false
    // returned, so that no missing function is ever called.
    static bool loadLibrary(const wchar_t* name, HMODULE& library, const wchar_t* const* names, FARPROC* found,
                            size_t count);
    static void freeLibrary(HMODULE& library);
    // "GX.dll" with its three input functions only.
    static bool loadGameApiInput(HMODULE& library, GameApiInput& input);

    bool openInputWith(const GameApiInput& input);
    void closeInputWith(const GameApiInput& input);
};

#endif
