#ifndef PARVOLIN_HOST_FILES_H
#define PARVOLIN_HOST_FILES_H

#include "platform/base/PlatformTypes.h"

#include <cstdint>
#include <memory>
#include <string>

// What the file services share: how host facts become the device's attributes and error
// numbers, and the record of which files are open (the device refuses to delete or
// truncate a file that is in use, and honours share modes between opens).
namespace HostFiles {

// The host path of a device path, or false with the last error set (ERROR_INVALID_NAME
// for a text the host cannot name, ERROR_PATH_NOT_FOUND for an empty one, the invalid
// parameter error for null).
bool hostPathOf(const wchar_t* path, std::string& out);

// The last error for a failed host call with errno `error` on `path`. A missing entry is
// ERROR_FILE_NOT_FOUND when its folder exists, else ERROR_PATH_NOT_FOUND.
DWORD errorFromErrno(int error, const std::string& path);

struct Entry {
    bool exists = false;
    bool folder = false;
    DWORD attributes = 0;
    uint64_t size = 0;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t modifiedSeconds = 0;
};

// Facts about a path; `exists` false with `error` set when it cannot be reached.
Entry describe(const std::string& path, int& error);

// Facts about a device path that exists; false with the last error set otherwise.
bool describeExisting(const wchar_t* devicePath, std::string& path, Entry& entry);

// Hidden and system have no host equivalent; they are kept in an extended attribute where
// the host file system allows it (otherwise they are silently lost).
void storeExtraAttributes(const std::string& path, DWORD attributes);

// One open of a file (a handle, a mapping or a mapped view). Alive while its owner is.
class OpenRecord {
public:
    OpenRecord(uint64_t device, uint64_t inode, DWORD access, DWORD shareMode);
    ~OpenRecord();
    OpenRecord(const OpenRecord&) = delete;
    OpenRecord& operator=(const OpenRecord&) = delete;

    // Whether a new open with this access and share mode clashes with a live one. Opens
    // without read or write access take no part in sharing.
    static bool clashes(uint64_t device, uint64_t inode, DWORD access, DWORD shareMode);
    static bool inUse(uint64_t device, uint64_t inode);

    const uint64_t device;
    const uint64_t inode;
    const DWORD access;
    const DWORD shareMode;
};

} // namespace HostFiles

#endif
