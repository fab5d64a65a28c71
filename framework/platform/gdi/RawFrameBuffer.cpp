#include "platform/gdi/RawFrameBuffer.h"

#include "platform/device/DeviceProfile.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/windows/Windows.h"

#include <cstring>

int ExtEscape(HDC dc, int escape, int, const char*, int outputSize, char* output)
{
    DeviceContext* context = HandleTable::find<DeviceContext>(dc);
    if (!context || context->memory || (context->window && !IsWindow(context->window))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    const RawFrameBufferReport& report = DeviceProfiles::current().rawFrameBuffer;
    if (escape != GETRAWFRAMEBUFFER || !report.present)
        return 0;
    if (!output || outputSize < static_cast<int>(sizeof(RawFrameBufferInfo))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    EmulatedScreen* screen = EmulatedScreen::current();
    FrameBufferLayout described = {static_cast<DWORD>(report.cxPixels),
                                   static_cast<DWORD>(report.cyPixels),
                                   report.cxStride,
                                   report.cyStride,
                                   report.wBPP,
                                   0,
                                   0};
    void* framePointer = screen && report.cxPixels > 0 && report.cyPixels > 0 ? screen->originFor(described) : nullptr;
    if (!framePointer) {
        SetLastError(ERROR_GEN_FAILURE);
        return -1;
    }
    RawFrameBufferInfo info = {report.wFormat,   report.wBPP,     framePointer,     report.cxStride,
                               report.cyStride, report.cxPixels, report.cyPixels};
    std::memcpy(output, &info, sizeof(info));
    return 1;
}
