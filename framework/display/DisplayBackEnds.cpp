#include "display/DisplayBackEnds.h"

#include "display/DirectDrawBackEnd.h"
#include "display/GapiBackEnd.h"
#include "display/RawFrameBufferBackEnd.h"
#include "platform/system/SystemServices.h"

#include <new>

namespace {

DisplayBackEnd* createDirectDraw(HWND, DWORD majorVersion)
{
    return majorVersion >= 5 ? new (std::nothrow) DirectDrawBackEnd() : nullptr;
}

// Only when the driver answers the raw frame-buffer query.
DisplayBackEnd* createRawFrameBuffer(HWND window, DWORD majorVersion)
{
    if (majorVersion != 4)
        return nullptr;
    RawFrameBufferBackEnd* backEnd = new (std::nothrow) RawFrameBufferBackEnd();
    if (backEnd && !backEnd->probe(window)) {
        backEnd->close();
        delete backEnd;
        return nullptr;
    }
    return backEnd;
}

DisplayBackEnd* createGapi(HWND, DWORD) { return new (std::nothrow) GapiBackEnd(); }

const DisplayBackEndEntry backEndEntries[] = {
    {"ddraw", "DirectDraw's primary surface, on systems from version 5", createDirectDraw},
    {"raw", "the display driver's raw frame buffer, on system version 4", createRawFrameBuffer},
    {"gapi", "the Game API, on every system", createGapi},
};
} // namespace

namespace DisplayBackEnds {

const DisplayBackEndEntry* entries(size_t& count)
{
    count = sizeof(backEndEntries) / sizeof(backEndEntries[0]);
    return backEndEntries;
}

DisplayBackEnd* create(HWND window)
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    // A failed query counts as the oldest system.
    DWORD major = GetVersionExW(&version) ? version.dwMajorVersion : 0;
    for (const DisplayBackEndEntry& entry : backEndEntries)
        if (DisplayBackEnd* backEnd = entry.create(window, major))
            return backEnd;
    return nullptr;
}

} // namespace DisplayBackEnds
