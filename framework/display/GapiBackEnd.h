#ifndef PARVOLIN_GAPI_BACK_END_H
#define PARVOLIN_GAPI_BACK_END_H

#include "display/DisplayBackEnd.h"

// The Game API, "GX.dll": the screen interface of the older systems, of version 4 when
// the display driver has no raw frame buffer, and the low-resolution mode of
// high-resolution screens. One device's Game API reports its frame buffer wrongly; for it
// the frame buffer is addressed directly where the hardware has it.
class GapiBackEnd : public DisplayBackEnd {
public:
    GapiBackEnd();
    ~GapiBackEnd() override;

    bool open(HWND window, Config* config) override;
    void close() override;
    // Nested: only the first suspend suspends the Game API, only the last resume resumes it.
    void suspend() override;
    void resume() override;
    unsigned char* lock() override;
    void unlock() override;
    bool openScreen(HWND window) override;
    bool openInput() override;
    void closeScreen() override;
    void closeInput() override;

    // Where the Compaq iPAQ H3800 has the pixel (0, 0) of its upright screen.
    static constexpr uintptr_t ipaqFrameBuffer = 0xAC0755A0;

private:
    bool loadGameApi();

    int32_t suspendCount;
    bool useBeginDraw;
    HMODULE gxLibrary;
    GXOpenDisplayFunction gxOpenDisplay;
    GXCloseDisplayFunction gxCloseDisplay;
    GXBeginDrawFunction gxBeginDraw;
    GXEndDrawFunction gxEndDraw;
    GXOpenInputFunction gxOpenInput;
    GXCloseInputFunction gxCloseInput;
    GXGetDisplayPropertiesFunction gxGetDisplayProperties;
    GXGetDefaultKeysFunction gxGetDefaultKeys;
    GXSuspendFunction gxSuspend;
    GXResumeFunction gxResume;
    GXSetViewportFunction gxSetViewport;
    GXIsDisplayDRAMBufferFunction gxIsDisplayDRAMBuffer;
};

#endif
