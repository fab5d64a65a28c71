#ifndef PARVOLIN_RAW_FRAME_BUFFER_H
#define PARVOLIN_RAW_FRAME_BUFFER_H

#include "platform/device/DeviceProfile.h"
#include "platform/gdi/Gdi.h"
#include "platform/base/PlatformTypes.h"

// The display driver's raw frame-buffer query: an escape on the device context of the
// screen or of a window that answers with the frame buffer's address and layout.

constexpr int GETRAWFRAMEBUFFER = 0x00020001;

// Pixel formats of the answer (FORMAT_565, FORMAT_555, FORMAT_OTHER) are in DeviceProfile.h.
// On the 32-bit device this record took 24 bytes; here its pointer takes 8.
struct RawFrameBufferInfo {
    WORD wFormat;
    WORD wBPP;
    void* pFramePointer;
    int cxStride;
    int cyStride;
    int cxPixels;
    int cyPixels;
};

// GETRAWFRAMEBUFFER fills a RawFrameBufferInfo in `output` and returns 1 when the device's
// driver has the query. 0: the driver does not know the escape (any other escape, or a
// device without the query). Negative: the call itself is wrong (a context that is no
// screen's or window's, an output smaller than the record) or the frame buffer is not
// there; the last error says which.
int ExtEscape(HDC dc, int escape, int inputSize, const char* input, int outputSize, char* output);

#endif
