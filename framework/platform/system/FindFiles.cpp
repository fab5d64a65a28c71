#include "platform/system/Files.h"

#include "platform/device/DeviceProfile.h"
#include "platform/base/HandleTable.h"
#include "platform/system/HostFiles.h"
#include "platform/base/HostText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>
#include <dirent.h>
#include <vector>

namespace {

// A listing taken whole when the find starts, handed out one entry per call.
class FindObject : public HandleObject {
public:
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
};

wchar_t folded(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// '*' matches any run of characters, '?' exactly one; letters match without case, as the
// device's file system does.
bool matches(const wchar_t* pattern, const wchar_t* name)
{
    const wchar_t* starPattern = nullptr;
    const wchar_t* starName = nullptr;
    while (*name) {
        if (*pattern == L'*') {
            starPattern = ++pattern;
            starName = name;
        } else if (*pattern == L'?' || (*pattern && folded(*pattern) == folded(*name))) {
            ++pattern;
            ++name;
        } else if (starPattern) {
            pattern = starPattern;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == L'*')
        ++pattern;
    return *pattern == 0;
}

FILETIME fileTimeOf(int64_t unixSeconds)
{
    // Hundreds of nanoseconds since 1601, the device's epoch.
    constexpr int64_t secondsFrom1601To1970 = 11644473600LL;
    uint64_t ticks = static_cast<uint64_t>(std::max<int64_t>(unixSeconds + secondsFrom1601To1970, 0)) * 10000000ULL;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// False for a name the entry cannot hold (MAX_PATH characters with the terminator).
bool fillEntry(const std::wstring& name, const HostFiles::Entry& facts, WIN32_FIND_DATAW& entry)
{
    if (name.size() >= MAX_PATH)
        return false;
    std::memset(&entry, 0, sizeof(entry));
    entry.dwFileAttributes = facts.attributes;
    entry.ftCreationTime = entry.ftLastAccessTime = entry.ftLastWriteTime = fileTimeOf(facts.modifiedSeconds);
    entry.nFileSizeHigh = static_cast<DWORD>(facts.size >> 32);
    entry.nFileSizeLow = static_cast<DWORD>(facts.size);
    std::wmemcpy(entry.cFileName, name.c_str(), name.size() + 1);
    return true;
}

std::string joined(const std::string& folder, const std::string& name)
{
    return folder.empty() ? name : (folder.back() == '/' ? folder + name : folder + "/" + name);
}

// Every entry of `folder` whose name matches, "." and ".." first (unless the device omits
// them), the rest in name order.
bool listFolder(const std::string& folder, const std::wstring& pattern, std::vector<WIN32_FIND_DATAW>& out,
                int& error)
{
    DIR* directory = opendir(folder.empty() ? "." : folder.c_str());
    if (!directory) {
        error = errno;
        return false;
    }
    std::vector<std::string> names;
    while (dirent* item = readdir(directory)) {
        if (std::strcmp(item->d_name, ".") != 0 && std::strcmp(item->d_name, "..") != 0)
            names.push_back(item->d_name);
    }
    closedir(directory);
    std::sort(names.begin(), names.end());
    if (!DeviceProfiles::current().findOmitsDots)
        names.insert(names.begin(), {".", ".."});
    for (const std::string& name : names) {
        std::wstring wideName = HostText::fromUtf8(name);
        if (!matches(pattern.c_str(), wideName.c_str()))
            continue;
        int statError;
        HostFiles::Entry facts = HostFiles::describe(joined(folder.empty() ? "." : folder, name), statError);
        WIN32_FIND_DATAW entry;
        if (facts.exists && fillEntry(wideName, facts, entry))
            out.push_back(entry);
    }
    error = 0;
    return true;
}
} // namespace

HANDLE FindFirstFileW(LPCWSTR patternText, WIN32_FIND_DATAW* findData)
{
    std::string path;
    if (!findData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (!HostFiles::hostPathOf(patternText, path))
        return INVALID_HANDLE_VALUE;
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
    std::wstring pattern = HostText::fromUtf8(slash == std::string::npos ? path : path.substr(slash + 1));

    auto find = std::make_unique<FindObject>();
    int error = 0;
    if (pattern.find_first_of(L"*?") != std::wstring::npos) {
        // "*.*" is the device's way of saying "everything", names without a dot included.
        if (pattern == L"*.*")
            pattern = L"*";
        if (!listFolder(folder, pattern, find->entries, error)) {
            SetLastError(error == ENOENT || error == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                             : HostFiles::errorFromErrno(error, path));
            return INVALID_HANDLE_VALUE;
        }
    } else if (!pattern.empty()) {
        HostFiles::Entry facts = HostFiles::describe(path, error);
        WIN32_FIND_DATAW entry;
        if (!facts.exists) {
            SetLastError(HostFiles::errorFromErrno(error, path));
            return INVALID_HANDLE_VALUE;
        }
        if (fillEntry(pattern, facts, entry))
            find->entries.push_back(entry);
    }
    if (find->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *findData = find->entries[0];
    find->next = 1;
    return HandleTable::add(std::move(find));
}

BOOL FindNextFileW(HANDLE handle, WIN32_FIND_DATAW* findData)
{
    FindObject* find = HandleTable::find<FindObject>(handle);
    if (!find) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!findData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (find->next >= find->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *findData = find->entries[find->next++];
    return TRUE;
}

BOOL FindClose(HANDLE handle)
{
    if (!HandleTable::find<FindObject>(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    HandleTable::remove(handle);
    return TRUE;
}
