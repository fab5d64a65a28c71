#ifndef PARVOLIN_RAW_FRAME_BUFFER_BACK_END_H
#define PARVOLIN_RAW_FRAME_BUFFER_BACK_END_H

#include "display/DisplayBackEnd.h"

// The display driver's raw frame buffer (system version 4): the driver tells where the
// frame buffer is once, and every frame is written straight there. Keys come from the
// Game API.
class RawFrameBufferBackEnd : public DisplayBackEnd {
public:
    RawFrameBufferBackEnd();
    ~RawFrameBufferBackEnd() override;

    bool open(HWND window, Config* config) override;
    void close() override;
    void suspend() override;
    void resume() override;
    unsigned char* lock() override;
    void unlock() override;
    bool openScreen(HWND window) override;
    bool openInput() override;
    void closeScreen() override;
    void closeInput() override;

    // Asks the driver of the window's screen for its frame buffer; true when it answers
    // with an RGB565 or RGB555 one, whose layout is then in the fields.
    bool probe(HWND window);

private:
    HMODULE gxLibrary;
    unsigned char* framePointer;
    GameApiInput input;
};

#endif
