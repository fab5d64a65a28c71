#include "display/GapiBackEnd.h"

#include "platform/base/ProcCast.h"
#include "platform/system/SystemServices.h"

#include <cwchar>

namespace {
// The device whose Game API reports a plain portrait frame buffer that its hardware does
// not have; the true layout, upright, starting at GapiBackEnd::ipaqFrameBuffer.
constexpr wchar_t ipaqOemInfo[] = L"Compaq iPAQ H3800";
constexpr size_t ipaqOemInfoLength = 17;
constexpr GXDisplayProperties ipaqProperties = {240, 320, -640, 2, 16, 0xA8};

bool isIpaq()
{
    wchar_t oemInfo[MAX_PATH] = {};
    return SystemParametersInfoW(SPI_GETOEMINFO, sizeof(oemInfo), oemInfo, 0) &&
           std::wcsncmp(oemInfo, ipaqOemInfo, ipaqOemInfoLength) == 0;
}
} // namespace

GapiBackEnd::GapiBackEnd()
    : suspendCount(0), useBeginDraw(true), gxLibrary(nullptr), gxOpenDisplay(nullptr), gxCloseDisplay(nullptr),
      gxBeginDraw(nullptr), gxEndDraw(nullptr), gxOpenInput(nullptr), gxCloseInput(nullptr),
      gxGetDisplayProperties(nullptr), gxGetDefaultKeys(nullptr), gxSuspend(nullptr), gxResume(nullptr),
      gxSetViewport(nullptr), gxIsDisplayDRAMBuffer(nullptr)
{
}

GapiBackEnd::~GapiBackEnd() { close(); }

bool GapiBackEnd::loadGameApi()
{
    if (gxLibrary)
        return true;
    const wchar_t* const names[] = {GameApiNames::openDisplay,    GameApiNames::closeDisplay,
                                    GameApiNames::beginDraw,      GameApiNames::endDraw,
                                    GameApiNames::openInput,      GameApiNames::closeInput,
                                    GameApiNames::getDisplayProperties, GameApiNames::getDefaultKeys,
                                    GameApiNames::suspend,        GameApiNames::resume,
                                    GameApiNames::setViewport,    GameApiNames::isDisplayDRAMBuffer};
    FARPROC found[12] = {};
    if (!loadLibrary(L"GX.dll", gxLibrary, names, found, 12))
        return false;
    gxOpenDisplay = fromFarProc<GXOpenDisplayFunction>(found[0]);
    gxCloseDisplay = fromFarProc<GXCloseDisplayFunction>(found[1]);
    gxBeginDraw = fromFarProc<GXBeginDrawFunction>(found[2]);
    gxEndDraw = fromFarProc<GXEndDrawFunction>(found[3]);
    gxOpenInput = fromFarProc<GXOpenInputFunction>(found[4]);
    gxCloseInput = fromFarProc<GXCloseInputFunction>(found[5]);
    gxGetDisplayProperties = fromFarProc<GXGetDisplayPropertiesFunction>(found[6]);
    gxGetDefaultKeys = fromFarProc<GXGetDefaultKeysFunction>(found[7]);
    gxSuspend = fromFarProc<GXSuspendFunction>(found[8]);
    gxResume = fromFarProc<GXResumeFunction>(found[9]);
    gxSetViewport = fromFarProc<GXSetViewportFunction>(found[10]);
    gxIsDisplayDRAMBuffer = fromFarProc<GXIsDisplayDRAMBufferFunction>(found[11]);
    return true;
}

bool GapiBackEnd::open(HWND window, Config* configuration)
{
    config = configuration;
    if (!loadGameApi())
        return false;
    if (!openScreen(window))
        return false;
    if (!openInput()) {
        closeScreen();
        return false;
    }
    return true;
}

void GapiBackEnd::close()
{
    if (inputOpen)
        closeInput();
    if (screenOpen)
        closeScreen();
    freeLibrary(gxLibrary);
}

void GapiBackEnd::suspend()
{
    if (!gxLibrary)
        return;
    if (suspendCount == 0)
        gxSuspend();
    ++suspendCount;
    closeInput();
}

void GapiBackEnd::resume()
{
    // A resume with nothing suspended leaves the count alone, so that the next suspend
    // still reaches the Game API.
    if (!gxLibrary || suspendCount == 0)
        return;
    if (suspendCount == 1)
        gxResume();
    --suspendCount;
    openInput();
}

unsigned char* GapiBackEnd::lock()
{
    if (!screenOpen)
        return nullptr;
    if (!useBeginDraw)
        return reinterpret_cast<unsigned char*>(ipaqFrameBuffer) + startOffset;
    unsigned char* base = static_cast<unsigned char*>(gxBeginDraw());
    return base ? base + startOffset : nullptr;
}

void GapiBackEnd::unlock()
{
    if (useBeginDraw && screenOpen)
        gxEndDraw();
}

bool GapiBackEnd::openScreen(HWND window)
{
    if (screenOpen)
        closeScreen();
    if (!gxLibrary)
        return false;
    // A display the Game API refuses is not used: its frame buffer may not be there.
    if (!gxOpenDisplay(window, GX_FULLSCREEN))
        return false;
    GXDisplayProperties properties = gxGetDisplayProperties();
    useBeginDraw = true;
    if (isIpaq() && !(properties.cbxPitch < 0 && properties.cbyPitch > 0)) {
        properties = ipaqProperties;
        useBeginDraw = false;
    }
    width = properties.cxWidth;
    height = properties.cyHeight;
    xPitch = properties.cbxPitch;
    yPitch = properties.cbyPitch;
    bitsPerPixel = static_cast<uint32_t>(properties.cBPP);
    format = properties.ffFormat;
    screenOpen = true;
    detectScaling();
    applyOrientation();
    return true;
}

bool GapiBackEnd::openInput()
{
    if (!gxLibrary)
        return false;
    return openInputWith({gxOpenInput, gxCloseInput, gxGetDefaultKeys});
}

void GapiBackEnd::closeScreen()
{
    if (!screenOpen)
        return;
    gxCloseDisplay();
    screenOpen = false;
}

void GapiBackEnd::closeInput() { closeInputWith({gxOpenInput, gxCloseInput, gxGetDefaultKeys}); }
