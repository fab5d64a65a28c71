#ifndef PARVOLIN_DEVICE_H
#define PARVOLIN_DEVICE_H

#include <Parvolin/Export.h>

#include <cstdint>

class Display;

// The process-wide answers about the handheld: which platform it is, where the running
// program lies, and how a game's path becomes an absolute one (relative paths are taken
// from the program's folder). Created on first use, never destroyed.
class PARVOLIN_API Device {
public:
    // Null when the singleton cannot be allocated; the next call tries again.
    static Device* getInstance();

    // One of the PlatformId values; detection is retried until it succeeds.
    unsigned long getPlatformId();
    // Copies the platform's name like wcsncpy: no terminator when the name fills `length`.
    long getPlatformName(wchar_t* buffer, unsigned long length);

    // The device's own Display, made (not opened) on the first call; null when it cannot
    // be allocated, and tried again next time. The application opens a Display of its own.
    Display* getDisplay();

    // The running program's executable, as GetModuleFileNameW gives it; 0 for no buffer.
    unsigned int getFullAppFileName(wchar_t* buffer, unsigned long length);
    // The executable's folder with its final separator; 0 when it cannot be found.
    unsigned int getFullAppPath(wchar_t* buffer, unsigned long length);
    // `path` unchanged when absolute ('\' or '/' first, or a drive form like A:\), else
    // joined after the program's folder. The result is cut to fit and always terminated.
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

#endif
