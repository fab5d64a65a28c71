#include "display/DisplayBackEnd.h"

#include "core/Device.h"
#include "core/PlatformIds.h"
#include "platform/system/Modules.h"
#include "platform/base/ProcCast.h"
#include "platform/system/SystemServices.h"

DisplayBackEnd::DisplayBackEnd()
    : keys{}, width(0), height(0), xPitch(0), yPitch(0), bitsPerPixel(0), format(0), config(nullptr), startOffset(0),
      halveStylus(false), highResolution(false), screenOpen(false), inputOpen(false)
{
}

DisplayBackEnd::~DisplayBackEnd() {}

void DisplayBackEnd::detectScaling()
{
    highResolution = false;
    halveStylus = false;
    Device* device = Device::getInstance();
    unsigned long platform = device ? device->getPlatformId() : PlatformId::Unknown;
    // An undetected platform has both family bits and is taken for a Pocket PC.
    if (platform & PlatformId::PocketPcFamily)
        highResolution = (width > 240 && height > 320) || (width == height && height > 320);
    else if (platform & PlatformId::SmartphoneFamily)
        highResolution = (width > 176 && height > 220) || (width > 220 && height > 176) ||
                         (width == height && height > 220);
    bool native = config && config->nativeResolution != 0;
    halveStylus = static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN)) != width && !native;
}

void DisplayBackEnd::applyOrientation()
{
    // The values before the turn.
    const uint32_t w = width;
    const uint32_t h = height;
    const int32_t xp = xPitch;
    const int32_t yp = yPitch;
    const int64_t lastColumn = (static_cast<int64_t>(w) - 1) * xp;
    const int64_t lastRow = (static_cast<int64_t>(h) - 1) * yp;
    switch (config ? config->orientation : 0) {
    case 1:
        width = h, height = w;
        xPitch = yp, yPitch = -xp;
        startOffset = static_cast<int32_t>(lastColumn);
        break;
    case 2:
        xPitch = -xp, yPitch = -yp;
        startOffset = static_cast<int32_t>(lastColumn + lastRow);
        break;
    case 3:
        width = h, height = w;
        xPitch = -yp, yPitch = xp;
        startOffset = static_cast<int32_t>(lastRow);
        break;
    default:
        startOffset = 0;
        break;
    }
}

bool DisplayBackEnd::loadLibrary(const wchar_t* name, HMODULE& library, const wchar_t* const* names, FARPROC* found,
                                 size_t count)
{
    if (library)
        return true;
    library = LoadLibraryW(name);
    if (!library)
        return false;
    for (size_t i = 0; i < count; ++i) {
        found[i] = GetProcAddressW(library, names[i]);
        if (!found[i]) {
            freeLibrary(library);
            return false;
        }
    }
    return true;
}

void DisplayBackEnd::freeLibrary(HMODULE& library)
{
    if (library)
        FreeLibrary(library);
    library = nullptr;
}

bool DisplayBackEnd::loadGameApiInput(HMODULE& library, GameApiInput& input)
{
    if (library)
        return true;
    const wchar_t* const names[] = {GameApiNames::openInput, GameApiNames::closeInput, GameApiNames::getDefaultKeys};
    FARPROC found[3] = {};
    if (!loadLibrary(L"GX.dll", library, names, found, 3))
        return false;
    input.open = fromFarProc<GXOpenInputFunction>(found[0]);
    input.close = fromFarProc<GXCloseInputFunction>(found[1]);
    input.getDefaultKeys = fromFarProc<GXGetDefaultKeysFunction>(found[2]);
    return true;
}

bool DisplayBackEnd::openInputWith(const GameApiInput& input)
{
    if (inputOpen)
        return true;
    if (!input.open || !input.getDefaultKeys)
        return false;
    input.open();
    GXKeyList list = input.getDefaultKeys(GX_NORMALKEYS);
    // The device's 16-bit codes, sign-extended.
    keys.vkUp = static_cast<uint32_t>(static_cast<int32_t>(list.vkUp));
    keys.vkDown = static_cast<uint32_t>(static_cast<int32_t>(list.vkDown));
    keys.vkLeft = static_cast<uint32_t>(static_cast<int32_t>(list.vkLeft));
    keys.vkRight = static_cast<uint32_t>(static_cast<int32_t>(list.vkRight));
    keys.vkStart = static_cast<uint32_t>(static_cast<int32_t>(list.vkStart));
    keys.vkA = static_cast<uint32_t>(static_cast<int32_t>(list.vkA));
    keys.vkB = static_cast<uint32_t>(static_cast<int32_t>(list.vkB));
    keys.vkC = static_cast<uint32_t>(static_cast<int32_t>(list.vkC));
    inputOpen = true;
    return true;
}

void DisplayBackEnd::closeInputWith(const GameApiInput& input)
{
    if (!inputOpen)
        return;
    if (input.close)
        input.close();
    inputOpen = false;
}
