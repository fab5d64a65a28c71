#ifndef PARVOLIN_DIRECT_DRAW_BACK_END_H
#define PARVOLIN_DIRECT_DRAW_BACK_END_H

#include "display/DisplayBackEnd.h"
#include "platform/libraries/DirectDraw.h"

// DirectDraw's primary surface (system version 5 and later), locked for every frame.
// RGB565 is assumed. Keys come from the Game API.
class DirectDrawBackEnd : public DisplayBackEnd {
public:
    DirectDrawBackEnd();
    ~DirectDrawBackEnd() override;

    bool open(HWND window, Config* config) override;
    void close() override;
    void suspend() override;
    void resume() override;
    // Null when the primary surface cannot be locked.
    unsigned char* lock() override;
    void unlock() override;
    bool openScreen(HWND window) override;
    bool openInput() override;
    void closeScreen() override;
    void closeInput() override;

private:
    bool openDirectDraw(HWND window);
    void releaseObjects();

    IDirectDraw* directDraw;
    DDSURFACEDESC surfaceDesc;
    IDirectDrawSurface* primarySurface;
    HMODULE gxLibrary;
    HMODULE ddrawLibrary;
    DirectDrawCreateFunction directDrawCreate;
    GameApiInput input;
};

#endif
