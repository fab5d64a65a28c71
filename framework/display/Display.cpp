#include "display/Display.h"

#include "core/ResultCodes.h"
#include "display/DisplayBackEnds.h"
#include "display/FlipCopies.h"
#include "display/GapiBackEnd.h"
#include "graphics/Surface.h"

#include <new>

Display::Display()
    : config(nullptr), window(nullptr), backEnd(nullptr), backBuffer(new (std::nothrow) Surface()),
      copyRoutine(nullptr), keys{}
{
}

Display::~Display()
{
    // A display deleted while open would leave its screen interface open and its library
    // loaded.
    closeDisplay();
    if (backBuffer) {
        backBuffer->free();
        delete backBuffer;
    }
}

// Closes and forgets the back end, and passes the code on.
long Display::fail(long code)
{
    closeDisplay();
    return code;
}

long Display::openDisplay(HWND newWindow, Config* newConfig)
{
    if (!newConfig)
        return ResultCode::NullParameter;
    closeDisplay();
    config = newConfig;
    window = newWindow;

    backEnd = DisplayBackEnds::create(window);
    if (!backEnd)
        return ResultCode::UnsupportedMode;
    if (!backEnd->open(window, config))
        return fail(ResultCode::UnknownError);

    // A high-resolution screen that is not square is shown at half resolution through the
    // Game API, unless the game asks for the native resolution.
    if (backEnd->highResolution && config->nativeResolution == 0 && backEnd->width != backEnd->height) {
        closeDisplay();
        backEnd = new (std::nothrow) GapiBackEnd();
        if (!backEnd)
            return ResultCode::UnsupportedMode;
        if (!backEnd->open(window, config))
            return fail(ResultCode::UnknownError);
    }

    // A new back buffer for every opening; the old one goes.
    if (backBuffer) {
        backBuffer->free();
        delete backBuffer;
    }
    backBuffer = new (std::nothrow) Surface();
    if (!backBuffer)
        return fail(ResultCode::OutOfMemory);
    long created = backBuffer->create(static_cast<unsigned long>(backEnd->width),
                                      static_cast<unsigned long>(backEnd->height));
    if (created != ResultCode::Ok)
        return fail(created);

    copyRoutine = FlipCopies::choose(backEnd->bitsPerPixel, backEnd->format, backEnd->width, backEnd->xPitch,
                                     backEnd->yPitch);
    if (!copyRoutine)
        return fail(ResultCode::UnsupportedMode);

    // vkUp is the key that points up on the turned screen.
    const KeyList& device = backEnd->keys;
    keys = device;
    switch (config->orientation) {
    case 1:
        keys.vkUp = device.vkRight, keys.vkDown = device.vkLeft, keys.vkLeft = device.vkUp,
        keys.vkRight = device.vkDown;
        break;
    case 2:
        keys.vkUp = device.vkDown, keys.vkDown = device.vkUp, keys.vkLeft = device.vkRight,
        keys.vkRight = device.vkLeft;
        break;
    case 3:
        keys.vkUp = device.vkLeft, keys.vkDown = device.vkRight, keys.vkLeft = device.vkDown,
        keys.vkRight = device.vkUp;
        break;
    default:
        break;
    }
    return ResultCode::Ok;
}

long Display::closeDisplay()
{
    if (backEnd) {
        backEnd->close();
        delete backEnd;
        backEnd = nullptr;
    }
    copyRoutine = nullptr;
    return ResultCode::Ok;
}

long Display::flip()
{
    if (!backEnd || !copyRoutine || !backBuffer)
        return ResultCode::Ok;
    Surface::Buffer pixels;
    // The game may have freed or resized the back buffer; copying the screen's size from
    // it would read past its pixels.
    if (backBuffer->getBuffer(&pixels) != ResultCode::Ok || pixels.width != backEnd->width ||
        pixels.height != backEnd->height)
        return ResultCode::InvalidSurface;
    unsigned char* base = backEnd->lock();
    if (!base)
        return ResultCode::Ok;
    copyRoutine(base, pixels.pixels, pixels.width, pixels.height, backEnd->xPitch, backEnd->yPitch);
    backEnd->unlock();
    return ResultCode::Ok;
}

long Display::suspendDisplay()
{
    if (backEnd)
        backEnd->suspend();
    return ResultCode::Ok;
}

long Display::resumeDisplay()
{
    if (backEnd)
        backEnd->resume();
    return ResultCode::Ok;
}

Surface* Display::getBackBuffer() { return backBuffer; }

long Display::getKeyList(KeyList* out)
{
    if (!out)
        return ResultCode::NullParameter;
    *out = keys;
    return ResultCode::Ok;
}

long Display::deviceToLogical(tagPOINT* point)
{
    if (!point)
        return ResultCode::NullParameter;
    if (!backEnd || !config || !backBuffer)
        return ResultCode::Ok;
    // Halved first: the stylus reports the full-resolution glass, while the turn below is
    // in the coordinates of the half-resolution frame buffer. Wide arithmetic, so that no
    // position, however far off the screen, overflows.
    int64_t x = point->x;
    int64_t y = point->y;
    if (backEnd->halveStylus)
        x >>= 1, y >>= 1;
    const int64_t w = static_cast<int64_t>(backBuffer->getWidth());
    const int64_t h = static_cast<int64_t>(backBuffer->getHeight());
    int64_t logicalX = x;
    int64_t logicalY = y;
    switch (config->orientation) {
    case 1:
        logicalX = y, logicalY = h - 1 - x;
        break;
    case 2:
        logicalX = w - 1 - x, logicalY = h - 1 - y;
        break;
    case 3:
        logicalX = w - 1 - y, logicalY = x;
        break;
    default:
        break;
    }
    point->x = static_cast<int32_t>(logicalX);
    point->y = static_cast<int32_t>(logicalY);
    return ResultCode::Ok;
}
