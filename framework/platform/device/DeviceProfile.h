#ifndef PARVOLIN_DEVICE_PROFILE_H
#define PARVOLIN_DEVICE_PROFILE_H

#include "platform/base/PlatformTypes.h"

#include <cstddef>
#include <cstdint>

// Which handheld the device layer emulates: what its system reports, how its frame
// buffer is laid out, which screen interfaces it offers and what each of them reports.
// Chosen with PARVOLIN_DEVICE (default "pocketpc2003"); tests choose in-process.

// Pixel formats as the Game API reports them.
constexpr DWORD kfLandscape = 0x8;
constexpr DWORD kfPalette = 0x10;
constexpr DWORD kfDirect = 0x20;
constexpr DWORD kfDirect555 = 0x40;
constexpr DWORD kfDirect565 = 0x80;
constexpr DWORD kfDirect888 = 0x100;

// Pixel formats as the display driver's raw frame-buffer query reports them.
constexpr WORD FORMAT_565 = 1;
constexpr WORD FORMAT_555 = 2;
constexpr WORD FORMAT_OTHER = 3;

// The memory behind the glass. Pixel (x, y) of the glass, as a person holds the device,
// lies at the address of pixel (0, 0) plus x * xPitch + y * yPitch bytes.
struct FrameBufferLayout {
    DWORD width;
    DWORD height;
    LONG xPitch;
    LONG yPitch;
    DWORD bitsPerPixel;
    DWORD format;            // kfDirect565 or kfDirect555 bits; 0 for any other format
    uintptr_t fixedAddress;  // where the hardware puts pixel (0, 0); 0 when anywhere
};

// What the Game API ("GX.dll") reports, when the device has it.
struct GapiReport {
    bool present;
    DWORD cxWidth;
    DWORD cyHeight;
    LONG cbxPitch;
    LONG cbyPitch;
    LONG cBPP;
    DWORD ffFormat;
};

// What the display driver's raw frame-buffer query reports, when the driver answers it.
struct RawFrameBufferReport {
    bool present;
    WORD wFormat;
    WORD wBPP;
    LONG cxStride;
    LONG cyStride;
    LONG cxPixels;
    LONG cyPixels;
};

// What DirectDraw ("ddraw.dll") reports for its primary surface, when the device has it.
struct DirectDrawReport {
    bool present;
    DWORD width;
    DWORD height;
    LONG xPitch;
    LONG pitch;
    DWORD rgbBitCount;
};

// The Game API's default key codes: the direction pad and the action buttons.
struct DeviceKeys {
    short up;
    short down;
    short left;
    short right;
    short start;
    short a;
    short b;
    short c;
};

// The device's sound output, when it has one, and the format it plays natively. The
// wave-output calls take other formats too and convert them to this one.
struct SoundReport {
    bool present;
    DWORD samplesPerSecond;
    WORD channels;
    WORD bitsPerSample;
};

struct DeviceProfile {
    const char* name;
    const char* description;
    DWORD osMajor;
    DWORD osMinor;
    DWORD osBuild;
    const wchar_t* platformType;  // null: the query is refused with platformTypeError
    DWORD platformTypeError;
    const wchar_t* oemInfo;
    DWORD screenWidth;            // the system metrics of the screen
    DWORD screenHeight;
    FrameBufferLayout frameBuffer;
    GapiReport gapi;
    RawFrameBufferReport rawFrameBuffer;
    DirectDrawReport directDraw;
    DeviceKeys keys;
    bool shellHelper;             // "aygshell.dll" is there
    LONGLONG performanceFrequency; // counts per second; 0 when there is no counter
    bool findOmitsDots;           // folder listings hold no "." and ".." entries
    const wchar_t* taskBarClass;  // the shell's task bar window's class; null: none
    SoundReport sound;            // no sound: the wave-output calls report no devices
};

namespace DeviceProfiles {

constexpr const char* defaultName = "pocketpc2003";

// The emulated device. On first use it is chosen by PARVOLIN_DEVICE; an unknown name is
// reported on stderr with the known ones, and the default is used.
const DeviceProfile& current();

// Makes the named device current, as PARVOLIN_DEVICE does: no name chooses the default;
// an unknown one is reported on stderr with the known ones and the default is used (false).
bool choose(const char* name);

// Makes the named device current; false (nothing changes) for an unknown name.
bool select(const char* name);

// Makes a copy of `profile` current: tests build variants of the known devices. The
// texts it points to must outlive its use.
void use(const DeviceProfile& profile);

// The known devices, in a fixed order; null past the end or for an unknown name.
const DeviceProfile* at(size_t index);
const DeviceProfile* find(const char* name);

} // namespace DeviceProfiles

#endif
