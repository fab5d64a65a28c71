#include "platform/system/Files.h"

#include "platform/system/HostFiles.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {
BOOL fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}
} // namespace

DWORD GetFileAttributesW(LPCWSTR fileName)
{
    std::string path;
    HostFiles::Entry entry;
    return HostFiles::describeExisting(fileName, path, entry) ? entry.attributes : INVALID_FILE_ATTRIBUTES;
}

BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES)
{
    std::string path;
    if (!HostFiles::hostPathOf(pathName, path))
        return FALSE;
    if (mkdir(path.c_str(), 0777) != 0)
        return fail(HostFiles::errorFromErrno(errno, path));
    return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR pathName)
{
    std::string path;
    HostFiles::Entry entry;
    if (!HostFiles::describeExisting(pathName, path, entry))
        return FALSE;
    if (!entry.folder)
        return fail(ERROR_DIRECTORY);
    if (entry.attributes & FILE_ATTRIBUTE_READONLY)
        return fail(ERROR_ACCESS_DENIED);
    if (rmdir(path.c_str()) != 0)
        return fail(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : HostFiles::errorFromErrno(errno, path));
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR fileName)
{
    std::string path;
    HostFiles::Entry entry;
    if (!HostFiles::describeExisting(fileName, path, entry))
        return FALSE;
    if (entry.folder || (entry.attributes & FILE_ATTRIBUTE_READONLY))
        return fail(ERROR_ACCESS_DENIED);
    if (HostFiles::OpenRecord::inUse(entry.device, entry.inode))
        return fail(ERROR_SHARING_VIOLATION);
    if (unlink(path.c_str()) != 0)
        return fail(HostFiles::errorFromErrno(errno, path));
    return TRUE;
}

BOOL MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags)
{
    std::string from;
    HostFiles::Entry entry;
    if (!HostFiles::describeExisting(existingName, from, entry))
        return FALSE;
    if (entry.folder)
        return fail(ERROR_ACCESS_DENIED);
    if (HostFiles::OpenRecord::inUse(entry.device, entry.inode))
        return fail(ERROR_SHARING_VIOLATION);
    std::string to;
    if (!HostFiles::hostPathOf(newName, to))
        return FALSE;
    int error = 0;
    HostFiles::Entry target = HostFiles::describe(to, error);
    if (target.exists) {
        if (!(flags & MOVEFILE_REPLACE_EXISTING))
            return fail(ERROR_ALREADY_EXISTS);
        if (target.folder || (target.attributes & FILE_ATTRIBUTE_READONLY))
            return fail(ERROR_ACCESS_DENIED);
        if (HostFiles::OpenRecord::inUse(target.device, target.inode))
            return fail(ERROR_SHARING_VIOLATION);
    }
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return fail(HostFiles::errorFromErrno(errno, to));
    return TRUE;
}
