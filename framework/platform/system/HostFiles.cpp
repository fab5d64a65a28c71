#include "platform/system/HostFiles.h"

#include "platform/system/Files.h"
#include "platform/base/HostText.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <vector>

namespace {
const char extraAttributesName[] = "user.parvolin.attributes";
constexpr DWORD extraAttributeMask = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::vector<const HostFiles::OpenRecord*>& liveRecords()
{
    static std::vector<const HostFiles::OpenRecord*> records;
    return records;
}

std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

DWORD readExtraAttributes(const std::string& path)
{
    char value[16] = {};
    ssize_t length = getxattr(path.c_str(), extraAttributesName, value, sizeof(value) - 1);
    if (length <= 0)
        return 0;
    return static_cast<DWORD>(std::strtoul(value, nullptr, 10)) & extraAttributeMask;
}

bool isDotName(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.size() > 1 && name[0] == '.' && name != "..";
}
} // namespace

namespace HostFiles {

bool hostPathOf(const wchar_t* path, std::string& out)
{
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!HostText::toHostPath(path, out)) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    if (out.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    return true;
}

DWORD errorFromErrno(int error, const std::string& path)
{
    switch (error) {
    case ENOENT: {
        struct stat folder;
        bool folderExists = stat(folderOf(path).c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
        return folderExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    default:
        return ERROR_GEN_FAILURE;
    }
}

Entry describe(const std::string& path, int& error)
{
    Entry entry;
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        error = errno;
        return entry;
    }
    error = 0;
    entry.exists = true;
    entry.folder = S_ISDIR(status.st_mode);
    entry.size = entry.folder ? 0 : static_cast<uint64_t>(status.st_size);
    entry.device = static_cast<uint64_t>(status.st_dev);
    entry.inode = static_cast<uint64_t>(status.st_ino);
    entry.modifiedSeconds = static_cast<int64_t>(status.st_mtime);
    // The owner's write bit decides read-only: the device has no other owners, and the
    // host's root could write anyway, so the file services enforce it themselves.
    DWORD attributes = readExtraAttributes(path);
    if (!(status.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (isDotName(path))
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (entry.folder)
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    entry.attributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return entry;
}

bool describeExisting(const wchar_t* devicePath, std::string& path, Entry& entry)
{
    if (!hostPathOf(devicePath, path))
        return false;
    int error;
    entry = describe(path, error);
    if (!entry.exists)
        SetLastError(errorFromErrno(error, path));
    return entry.exists;
}

void storeExtraAttributes(const std::string& path, DWORD attributes)
{
    attributes &= extraAttributeMask;
    if (!attributes)
        return;
    std::string value = std::to_string(attributes);
    setxattr(path.c_str(), extraAttributesName, value.data(), value.size(), 0);
}

OpenRecord::OpenRecord(uint64_t device, uint64_t inode, DWORD access, DWORD shareMode)
    : device(device), inode(inode), access(access), shareMode(shareMode)
{
    liveRecords().push_back(this);
}

OpenRecord::~OpenRecord()
{
    auto& records = liveRecords();
    records.erase(std::remove(records.begin(), records.end(), this), records.end());
}

bool OpenRecord::clashes(uint64_t device, uint64_t inode, DWORD access, DWORD shareMode)
{
    constexpr DWORD dataAccess = GENERIC_READ | GENERIC_WRITE;
    if (!(access & dataAccess))
        return false;
    for (const OpenRecord* record : liveRecords()) {
        if (record->device != device || record->inode != inode || !(record->access & dataAccess))
            continue;
        if ((access & GENERIC_READ) && !(record->shareMode & FILE_SHARE_READ))
            return true;
        if ((access & GENERIC_WRITE) && !(record->shareMode & FILE_SHARE_WRITE))
            return true;
        if ((record->access & GENERIC_READ) && !(shareMode & FILE_SHARE_READ))
            return true;
        if ((record->access & GENERIC_WRITE) && !(shareMode & FILE_SHARE_WRITE))
            return true;
    }
    return false;
}

bool OpenRecord::inUse(uint64_t device, uint64_t inode)
{
    for (const OpenRecord* record : liveRecords())
        if (record->device == device && record->inode == inode)
            return true;
    return false;
}

} // namespace HostFiles
