#include "platform/libraries/DirectDraw.h"

#include "platform/device/DeviceProfile.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/base/ProcCast.h"
#include "platform/windows/Windows.h"

#include <cstring>
#include <new>

IDirectDrawSurface::~IDirectDrawSurface() {}
IDirectDraw::~IDirectDraw() {}

namespace {

class PrimarySurface;

// Only one primary surface may exist at a time, as on the device.
PrimarySurface* primarySurface = nullptr;

FrameBufferLayout reportedLayout()
{
    const DirectDrawReport& report = DeviceProfiles::current().directDraw;
    return {report.width, report.height, report.xPitch, report.pitch, report.rgbBitCount, 0, 0};
}

// The reference count of an object, in the manner of COM: it is deleted with its last
// reference.
template <class Interface> class Counted : public Interface {
public:
    ULONG AddRef() override { return ++references; }

    ULONG Release() override
    {
        ULONG left = --references;
        if (left == 0)
            delete this;
        return left;
    }

private:
    ULONG references = 1;
};

class PrimarySurface : public Counted<IDirectDrawSurface> {
public:
    explicit PrimarySurface(IDirectDraw* owner) : owner(owner)
    {
        owner->AddRef();
        primarySurface = this;
    }

    HRESULT Lock(tagRECT* rect, DDSURFACEDESC* description, DWORD, HANDLE) override
    {
        if (rect || !description || description->dwSize != sizeof(DDSURFACEDESC))
            return DDERR_INVALIDPARAMS;
        if (locked)
            return DDERR_SURFACEBUSY;
        EmulatedScreen* screen = EmulatedScreen::current();
        FrameBufferLayout reported = reportedLayout();
        unsigned char* address = screen ? screen->originFor(reported) : nullptr;
        if (!address)
            return DDERR_GENERIC;
        std::memset(description, 0, sizeof(DDSURFACEDESC));
        description->dwSize = sizeof(DDSURFACEDESC);
        description->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_XPITCH | DDSD_PIXELFORMAT |
                               DDSD_LPSURFACE | DDSD_SURFACESIZE;
        description->dwWidth = reported.width;
        description->dwHeight = reported.height;
        description->lPitch = reported.yPitch;
        description->lXPitch = reported.xPitch;
        description->lpSurface = address;
        description->dwSurfaceSize = static_cast<DWORD>(spanOf(reported).bytes);
        description->ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        DDPIXELFORMAT& format = description->ddpfPixelFormat;
        format.dwSize = sizeof(DDPIXELFORMAT);
        format.dwFlags = DDPF_RGB;
        format.dwRGBBitCount = reported.bitsPerPixel;
        bool rgb555 = (screen->layout().format & kfDirect555) && !(screen->layout().format & kfDirect565);
        if (reported.bitsPerPixel == 16) {
            format.dwRBitMask = rgb555 ? 0x7C00 : 0xF800;
            format.dwGBitMask = rgb555 ? 0x03E0 : 0x07E0;
            format.dwBBitMask = 0x001F;
        } else {
            format.dwRBitMask = 0xFF0000, format.dwGBitMask = 0xFF00, format.dwBBitMask = 0xFF;
        }
        locked = true;
        return DD_OK;
    }

    HRESULT Unlock(tagRECT*) override
    {
        if (!locked)
            return DDERR_NOTLOCKED;
        locked = false;
        if (EmulatedScreen* screen = EmulatedScreen::current())
            screen->present();
        return DD_OK;
    }

private:
    ~PrimarySurface() override
    {
        primarySurface = nullptr;
        owner->Release();
    }

    IDirectDraw* const owner;
    bool locked = false;
};

class DirectDrawObject : public Counted<IDirectDraw> {
public:
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override
    {
        bool fullScreen = flags & DDSCL_FULLSCREEN;
        if (fullScreen == static_cast<bool>(flags & DDSCL_NORMAL) || (fullScreen && !IsWindow(window)))
            return DDERR_INVALIDPARAMS;
        levelSet = true;
        return DD_OK;
    }

    HRESULT CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, void* outer) override
    {
        if (!surface)
            return DDERR_INVALIDPARAMS;
        *surface = nullptr;
        if (!description || description->dwSize != sizeof(DDSURFACEDESC))
            return DDERR_INVALIDPARAMS;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        if (!levelSet)
            return DDERR_NOCOOPERATIVELEVELSET;
        if (!(description->dwFlags & DDSD_CAPS) || description->ddsCaps.dwCaps != DDSCAPS_PRIMARYSURFACE)
            return DDERR_INVALIDCAPS;
        if (primarySurface)
            return DDERR_PRIMARYSURFACEALREADYEXISTS;
        EmulatedScreen* screen = EmulatedScreen::current();
        if (!screen || !screen->originFor(reportedLayout()))
            return DDERR_GENERIC;
        PrimarySurface* created = new (std::nothrow) PrimarySurface(this);
        if (!created)
            return DDERR_OUTOFMEMORY;
        *surface = created;
        return DD_OK;
    }

private:
    ~DirectDrawObject() override = default;

    bool levelSet = false;
};

HRESULT DirectDrawCreate(const void* driver, IDirectDraw** directDraw, void* outer)
{
    if (!directDraw)
        return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (driver)
        return DDERR_INVALIDDIRECTDRAWGUID;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    IDirectDraw* created = new (std::nothrow) DirectDrawObject();
    if (!created)
        return DDERR_OUTOFMEMORY;
    *directDraw = created;
    return DD_OK;
}

bool offeredBy(const DeviceProfile& device) { return device.directDraw.present; }

const EmulatedExport directDrawExports[] = {
    {L"DirectDrawCreate", toFarProc(DirectDrawCreate)},
};
} // namespace

const EmulatedModule directDrawModule = {
    L"ddraw.dll", directDrawExports, sizeof(directDrawExports) / sizeof(directDrawExports[0]), offeredBy, nullptr, 0};
