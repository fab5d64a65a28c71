#ifndef PARVOLIN_DIRECT_DRAW_H
#define PARVOLIN_DIRECT_DRAW_H

#include "platform/system/EmulatedModule.h"
#include "platform/base/PlatformTypes.h"

#include <cstddef>

// DirectDraw, "ddraw.dll": a DirectDraw object made by DirectDrawCreate, and from it the
// primary surface, locked to reach the frame buffer. The objects are reference-counted
// interfaces in the manner of COM: Release the last reference and the object is gone.

typedef LONG HRESULT;
typedef uint32_t ULONG;

constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DDERR_INVALIDCAPS = static_cast<HRESULT>(0x88760064u);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = static_cast<HRESULT>(0x887600D4u);
constexpr HRESULT DDERR_SURFACEBUSY = static_cast<HRESULT>(0x887601AEu);
constexpr HRESULT DDERR_INVALIDDIRECTDRAWGUID = static_cast<HRESULT>(0x88760231u);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = static_cast<HRESULT>(0x88760234u);
constexpr HRESULT DDERR_NOTLOCKED = static_cast<HRESULT>(0x88760248u);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);

constexpr DWORD DDSCL_FULLSCREEN = 0x00000001;
constexpr DWORD DDSCL_NORMAL = 0x00000008;

constexpr DWORD DDSD_CAPS = 0x00000001;
constexpr DWORD DDSD_HEIGHT = 0x00000002;
constexpr DWORD DDSD_WIDTH = 0x00000004;
constexpr DWORD DDSD_PITCH = 0x00000008;
constexpr DWORD DDSD_XPITCH = 0x00000010;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;
constexpr DWORD DDSD_LPSURFACE = 0x00000800;
constexpr DWORD DDSD_SURFACESIZE = 0x00080000;

constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000040;
constexpr DWORD DDPF_RGB = 0x00000040;
constexpr DWORD DDLOCK_WAITNOTBUSY = 0x00000008;

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS {
    DWORD dwCaps;
};

// The description of a surface. On the 32-bit device it took 108 bytes; the surface
// pointer takes 8 bytes here, so dwSize must say sizeof(DDSURFACEDESC).
struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    LONG lXPitch;
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    void* lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
    DWORD dwSurfaceSize;
};

static_assert(offsetof(DDSURFACEDESC, lpSurface) == 32, "the fields before the pointer are the device's");
static_assert(sizeof(DDSURFACEDESC) == 104 + sizeof(void*), "108 bytes with the device's 4-byte pointer");

class IDirectDrawSurface {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // The whole surface only (`rect` null): fills `description` (its dwSize set) with the
    // size, pitches, pixel format and address.
    virtual HRESULT Lock(tagRECT* rect, DDSURFACEDESC* description, DWORD flags, HANDLE event) = 0;
    virtual HRESULT Unlock(tagRECT* rect) = 0;

protected:
    virtual ~IDirectDrawSurface();
};

class IDirectDraw {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // Full screen needs the program's window.
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    // The primary surface only (DDSD_CAPS with DDSCAPS_PRIMARYSURFACE), one at a time.
    virtual HRESULT CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, void* outer) = 0;

protected:
    virtual ~IDirectDraw();
};

// `driver` null names the display's own driver; `outer` must be null.
typedef HRESULT (*DirectDrawCreateFunction)(const void* driver, IDirectDraw** directDraw, void* outer);

// The emulated library, offered by every device whose profile has DirectDraw.
extern const EmulatedModule directDrawModule;

#endif
