#include "display/DirectDrawBackEnd.h"

#include "platform/base/ProcCast.h"

#include <cstring>

DirectDrawBackEnd::DirectDrawBackEnd()
    : directDraw(nullptr), surfaceDesc{}, primarySurface(nullptr), gxLibrary(nullptr), ddrawLibrary(nullptr),
      directDrawCreate(nullptr)
{
}

DirectDrawBackEnd::~DirectDrawBackEnd() { close(); }

bool DirectDrawBackEnd::open(HWND window, Config* configuration)
{
    config = configuration;
    const wchar_t* const names[] = {L"DirectDrawCreate"};
    FARPROC found[1] = {};
    if (!ddrawLibrary) {
        if (!loadLibrary(L"ddraw.dll", ddrawLibrary, names, found, 1))
            return false;
        directDrawCreate = fromFarProc<DirectDrawCreateFunction>(found[0]);
    }
    if (!openScreen(window) || !loadGameApiInput(gxLibrary, input) || !openInput()) {
        close();
        return false;
    }
    return true;
}

void DirectDrawBackEnd::close()
{
    closeInput();
    closeScreen();
    freeLibrary(ddrawLibrary);
    freeLibrary(gxLibrary);
}

void DirectDrawBackEnd::suspend() { closeInput(); }

void DirectDrawBackEnd::resume() { openInput(); }

unsigned char* DirectDrawBackEnd::lock()
{
    if (!screenOpen)
        return nullptr;
    surfaceDesc.dwSize = sizeof(DDSURFACEDESC);
    if (primarySurface->Lock(nullptr, &surfaceDesc, DDLOCK_WAITNOTBUSY, nullptr) != DD_OK || !surfaceDesc.lpSurface)
        return nullptr;
    return static_cast<unsigned char*>(surfaceDesc.lpSurface) + startOffset;
}

void DirectDrawBackEnd::unlock()
{
    if (screenOpen)
        primarySurface->Unlock(nullptr);
}

bool DirectDrawBackEnd::openScreen(HWND window)
{
    if (screenOpen)
        return true;
    if (!openDirectDraw(window))
        return false;
    screenOpen = true;
    applyOrientation();
    return true;
}

bool DirectDrawBackEnd::openDirectDraw(HWND window)
{
    if (!directDrawCreate || directDrawCreate(nullptr, &directDraw, nullptr) != DD_OK || !directDraw) {
        directDraw = nullptr;
        return false;
    }
    if (directDraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN) != DD_OK) {
        releaseObjects();
        return false;
    }
    std::memset(&surfaceDesc, 0, sizeof(surfaceDesc));
    surfaceDesc.dwSize = sizeof(DDSURFACEDESC);
    surfaceDesc.dwFlags = DDSD_CAPS;
    surfaceDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (directDraw->CreateSurface(&surfaceDesc, &primarySurface, nullptr) != DD_OK || !primarySurface) {
        primarySurface = nullptr;
        releaseObjects();
        return false;
    }
    std::memset(&surfaceDesc, 0, sizeof(surfaceDesc));
    surfaceDesc.dwSize = sizeof(DDSURFACEDESC);
    if (primarySurface->Lock(nullptr, &surfaceDesc, DDLOCK_WAITNOTBUSY, nullptr) != DD_OK) {
        releaseObjects();
        return false;
    }
    width = surfaceDesc.dwWidth & 0xFFFF;
    height = surfaceDesc.dwHeight & 0xFFFF;
    xPitch = surfaceDesc.lXPitch;
    yPitch = surfaceDesc.lPitch;
    bitsPerPixel = surfaceDesc.ddpfPixelFormat.dwRGBBitCount;
    format = kfDirect565;
    primarySurface->Unlock(nullptr);
    detectScaling();
    return true;
}

void DirectDrawBackEnd::releaseObjects()
{
    if (primarySurface)
        primarySurface->Release();
    if (directDraw)
        directDraw->Release();
    primarySurface = nullptr;
    directDraw = nullptr;
}

bool DirectDrawBackEnd::openInput() { return gxLibrary && openInputWith(input); }

void DirectDrawBackEnd::closeScreen()
{
    if (!screenOpen)
        return;
    releaseObjects();
    screenOpen = false;
}

void DirectDrawBackEnd::closeInput() { closeInputWith(input); }
