#include "display/RawFrameBufferBackEnd.h"

#include "platform/gdi/RawFrameBuffer.h"
#include "platform/windows/Windows.h"

RawFrameBufferBackEnd::RawFrameBufferBackEnd() : gxLibrary(nullptr), framePointer(nullptr) {}

RawFrameBufferBackEnd::~RawFrameBufferBackEnd() { close(); }

bool RawFrameBufferBackEnd::open(HWND window, Config* configuration)
{
    config = configuration;
    if (!openScreen(window) || !loadGameApiInput(gxLibrary, input) || !openInput()) {
        close();
        return false;
    }
    return true;
}

void RawFrameBufferBackEnd::close()
{
    closeInput();
    closeScreen();
    freeLibrary(gxLibrary);
}

void RawFrameBufferBackEnd::suspend() { closeInput(); }

void RawFrameBufferBackEnd::resume() { openInput(); }

unsigned char* RawFrameBufferBackEnd::lock() { return screenOpen ? framePointer + startOffset : nullptr; }

void RawFrameBufferBackEnd::unlock() {}

bool RawFrameBufferBackEnd::openScreen(HWND window)
{
    if (screenOpen)
        return true;
    screenOpen = probe(window);
    if (screenOpen) {
        detectScaling();
        applyOrientation();
    }
    return screenOpen;
}

bool RawFrameBufferBackEnd::openInput() { return gxLibrary && openInputWith(input); }

void RawFrameBufferBackEnd::closeScreen() { screenOpen = false; }

void RawFrameBufferBackEnd::closeInput() { closeInputWith(input); }

bool RawFrameBufferBackEnd::probe(HWND window)
{
    HDC dc = GetDC(window);
    if (!dc)
        return false;
    RawFrameBufferInfo info = {};
    // A negative answer is an error of the call, not a frame buffer.
    int answer = ExtEscape(dc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof(info), reinterpret_cast<char*>(&info));
    ReleaseDC(window, dc);
    if (answer <= 0 || !info.pFramePointer)
        return false;
    xPitch = info.cxStride;
    yPitch = info.cyStride;
    width = static_cast<uint32_t>(info.cxPixels);
    height = static_cast<uint32_t>(info.cyPixels);
    bitsPerPixel = info.wBPP;
    framePointer = static_cast<unsigned char*>(info.pFramePointer);
    if (info.wFormat == FORMAT_565)
        format = kfDirect565;
    else if (info.wFormat == FORMAT_555)
        format = kfDirect555;
    else
        return false;
    return true;
}
