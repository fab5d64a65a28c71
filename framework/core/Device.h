#ifndef PARVOLIN_DEVICE_H
#define PARVOLIN_DEVICE_H

/// \file
/// Device, the process-wide answers about the handheld.
/// \ingroup core

#include <Parvolin/Export.h>

#include <cstdint>

class Display;

/// \addtogroup core
/// @{

/// The process-wide answers about the handheld: which platform it is, where the running
/// program lies, and how a game's path becomes an absolute one (relative paths are taken
/// from the program's folder, not the working folder). Created on first use, never
/// destroyed.
class PARVOLIN_API Device {
public:
    /// The one Device. Null when it cannot be allocated; the next call tries again.
    static Device* getInstance();

    /// The platform: one bit for the family (0x200 Pocket PC, 0x400 Smartphone) and one
    /// for the generation: 0x201 Pocket PC 2002, 0x204 Pocket PC 2003, 0x208 Pocket PC 2005
    /// (Windows Mobile 5), 0x401, 0x402 and 0x404 the Smartphones of the same years;
    /// 0xFFFFFFFF while it cannot be told, and detection is retried until it succeeds.
    unsigned long getPlatformId();
    /// Copies the platform's name into `buffer` of `length` characters like wcsncpy: no
    /// terminator when the name fills `length`. 0, or ResultCode::NullParameter for no
    /// buffer with a nonzero length.
    long getPlatformName(wchar_t* buffer, unsigned long length);

    /// The device's own Display, made (not opened) on the first call and owned by the
    /// device; null when it cannot be allocated, and tried again next time. The
    /// application opens a Display of its own.
    Display* getDisplay();

    /// The running program's executable, as GetModuleFileNameW gives it, into `buffer`
    /// of `length` characters: the characters copied; 0 for no buffer.
    unsigned int getFullAppFileName(wchar_t* buffer, unsigned long length);
    /// The executable's folder with its final separator, as getFullAppFileName; 0 when it
    /// cannot be found.
    unsigned int getFullAppPath(wchar_t* buffer, unsigned long length);
    /// `path` unchanged when absolute ('\\' or '/' first, or a drive form like `A:\`), else
    /// joined after the program's folder. The result is cut to fit `length` characters and
    /// always terminated; the characters stored.
    unsigned int getAbsolutePath(const wchar_t* path, wchar_t* buffer, unsigned long length);

private:
    Device();

    // Tests forget the detected platform when they emulate another device.
    friend class DeviceTestAccess;

    uint32_t platformId;
    Display* display;
    int32_t reserved;

    static Device* instance;
};

/// @}

#endif
