#include "platform/system/Files.h"

#include "platform/system/Events.h"
#include "platform/system/FileObjects.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileObject::FileObject(int descriptor, DWORD access, std::shared_ptr<HostFiles::OpenRecord> record)
    : descriptor(descriptor), access(access), record(std::move(record))
{
}

FileObject::~FileObject() { close(descriptor); }

namespace {
constexpr DWORD dataAccess = GENERIC_READ | GENERIC_WRITE;
constexpr DWORD creationAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

HANDLE fail(DWORD error)
{
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

bool truncates(DWORD disposition) { return disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING; }

int hostOpenFlags(DWORD access, bool writes)
{
    bool reads = access & GENERIC_READ;
    if (writes)
        return (reads ? O_RDWR : O_WRONLY) | O_CLOEXEC;
    return O_RDONLY | O_CLOEXEC;
}

FileObject* fileOf(HANDLE handle)
{
    FileObject* file = HandleTable::find<FileObject>(handle);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

// The file a read or write goes to, once the call is found sound: a file handle opened
// with `access`, a buffer for the bytes, no overlapped transfer. The count starts at 0.
FileObject* transferTarget(HANDLE handle, const void* buffer, DWORD count, DWORD* transferred,
                           LPOVERLAPPED overlapped, DWORD access)
{
    if (transferred)
        *transferred = 0;
    FileObject* file = fileOf(handle);
    if (!file)
        return nullptr;
    if (overlapped || (!buffer && count > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!(file->access & access)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return file;
}
} // namespace

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE)
{
    if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING)
        return fail(ERROR_INVALID_PARAMETER);
    if (disposition == TRUNCATE_EXISTING && !(desiredAccess & GENERIC_WRITE))
        return fail(ERROR_INVALID_PARAMETER);
    std::string path;
    if (!HostFiles::hostPathOf(fileName, path))
        return INVALID_HANDLE_VALUE;

    int error;
    HostFiles::Entry entry = HostFiles::describe(path, error);
    if (!entry.exists && error != ENOENT)
        return fail(HostFiles::errorFromErrno(error, path));
    if (entry.folder)
        return fail(ERROR_ACCESS_DENIED);

    DWORD access = desiredAccess & dataAccess;
    bool writes = (access & GENERIC_WRITE) || (entry.exists && truncates(disposition));
    // Truncating takes the file from its other users just as writing does.
    DWORD usedAccess = access | (writes ? GENERIC_WRITE : 0);
    if (entry.exists) {
        if (disposition == CREATE_NEW)
            return fail(ERROR_FILE_EXISTS);
        if (writes && (entry.attributes & FILE_ATTRIBUTE_READONLY))
            return fail(ERROR_ACCESS_DENIED);
        if (HostFiles::OpenRecord::clashes(entry.device, entry.inode, usedAccess, shareMode))
            return fail(ERROR_SHARING_VIOLATION);
    } else if (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING) {
        return fail(HostFiles::errorFromErrno(ENOENT, path));
    }

    int flags = hostOpenFlags(access, writes || !entry.exists);
    DWORD attributes = flagsAndAttributes & creationAttributes;
    mode_t mode = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int descriptor = entry.exists ? open(path.c_str(), flags) : open(path.c_str(), flags | O_CREAT | O_EXCL, mode);
    if (descriptor < 0)
        return fail(HostFiles::errorFromErrno(errno, path));
    if (entry.exists && truncates(disposition) && ftruncate(descriptor, 0) != 0) {
        int truncateError = errno;
        close(descriptor);
        return fail(HostFiles::errorFromErrno(truncateError, path));
    }
    if (!entry.exists)
        HostFiles::storeExtraAttributes(path, attributes);

    struct stat status;
    if (fstat(descriptor, &status) != 0) {
        int statError = errno;
        close(descriptor);
        return fail(HostFiles::errorFromErrno(statError, path));
    }
    auto record = std::make_shared<HostFiles::OpenRecord>(static_cast<uint64_t>(status.st_dev),
                                                          static_cast<uint64_t>(status.st_ino), usedAccess, shareMode);
    HANDLE handle = HandleTable::add(std::make_unique<FileObject>(descriptor, access, std::move(record)));
    bool reportExisting = entry.exists && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS);
    SetLastError(reportExisting ? ERROR_ALREADY_EXISTS : NO_ERROR);
    return handle;
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD count, DWORD* bytesRead, LPOVERLAPPED overlapped)
{
    FileObject* file = transferTarget(handle, buffer, count, bytesRead, overlapped, GENERIC_READ);
    if (!file)
        return FALSE;
    DWORD total = 0;
    while (total < count) {
        ssize_t got = read(file->descriptor, static_cast<char*>(buffer) + total, count - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            SetLastError(HostFiles::errorFromErrno(errno, std::string()));
            return FALSE;
        }
        if (got == 0)
            break;
        total += static_cast<DWORD>(got);
    }
    if (bytesRead)
        *bytesRead = total;
    return TRUE;
}

namespace {
// The writes left before the injected fault; 0: none is planned.
unsigned long writesBeforeFault = 0;
} // namespace

void SetWriteFault(unsigned long n) { writesBeforeFault = n; }

BOOL WriteFile(HANDLE handle, const void* buffer, DWORD count, DWORD* bytesWritten, LPOVERLAPPED overlapped)
{
    FileObject* file = transferTarget(handle, buffer, count, bytesWritten, overlapped, GENERIC_WRITE);
    if (!file)
        return FALSE;
    if (writesBeforeFault > 0 && --writesBeforeFault == 0) {
        SetLastError(ERROR_DISK_FULL);
        if (bytesWritten)
            *bytesWritten = 0;
        return FALSE;
    }
    DWORD total = 0;
    while (total < count) {
        ssize_t put = write(file->descriptor, static_cast<const char*>(buffer) + total, count - total);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            SetLastError(put < 0 ? HostFiles::errorFromErrno(errno, std::string()) : ERROR_DISK_FULL);
            if (bytesWritten)
                *bytesWritten = total;
            return FALSE;
        }
        total += static_cast<DWORD>(put);
    }
    if (bytesWritten)
        *bytesWritten = total;
    return TRUE;
}

DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distanceHigh, DWORD moveMethod)
{
    FileObject* file = fileOf(handle);
    if (!file)
        return INVALID_SET_FILE_POINTER;
    // Without a high part the distance is a signed 32-bit number; with one, the two
    // halves form a signed 64-bit number.
    int64_t offset = distanceHigh ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                                         static_cast<uint32_t>(distance))
                                  : static_cast<int64_t>(distance);
    int64_t origin;
    if (moveMethod == FILE_BEGIN) {
        origin = 0;
    } else if (moveMethod == FILE_CURRENT) {
        origin = lseek(file->descriptor, 0, SEEK_CUR);
    } else if (moveMethod == FILE_END) {
        struct stat status;
        origin = fstat(file->descriptor, &status) == 0 ? static_cast<int64_t>(status.st_size) : -1;
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (origin < 0) {
        SetLastError(HostFiles::errorFromErrno(errno, std::string()));
        return INVALID_SET_FILE_POINTER;
    }
    int64_t target;
    if (__builtin_add_overflow(origin, offset, &target) || target < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    if (lseek(file->descriptor, target, SEEK_SET) < 0) {
        SetLastError(HostFiles::errorFromErrno(errno, std::string()));
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh)
        *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(target) >> 32);
    // A position whose low half is all ones is not a failure; say so.
    SetLastError(NO_ERROR);
    return static_cast<DWORD>(target);
}

DWORD GetFileSize(HANDLE handle, DWORD* sizeHigh)
{
    FileObject* file = fileOf(handle);
    struct stat status;
    if (!file)
        return INVALID_FILE_SIZE;
    if (fstat(file->descriptor, &status) != 0) {
        SetLastError(HostFiles::errorFromErrno(errno, std::string()));
        return INVALID_FILE_SIZE;
    }
    uint64_t size = static_cast<uint64_t>(status.st_size);
    if (sizeHigh)
        *sizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(NO_ERROR);
    return static_cast<DWORD>(size);
}

BOOL CloseHandle(HANDLE handle)
{
    if (!HandleTable::find<FileObject>(handle) && !HandleTable::find<MappingObject>(handle) &&
        !Events::isEvent(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    HandleTable::remove(handle);
    return TRUE;
}
