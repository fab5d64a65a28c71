#include "core/Device.h"

#include "core/PlatformIds.h"
#include "core/ResultCodes.h"
#include "platform/system/Modules.h"

#include <cwchar>
#include <new>
#include <vector>

Device* Device::instance = nullptr;

Device::Device() : platformId(PlatformId::Unknown), display(nullptr), reserved(0) {}

Device* Device::getInstance()
{
    if (!instance)
        instance = new (std::nothrow) Device();
    return instance;
}

unsigned long Device::getPlatformId()
{
    if (platformId != PlatformId::Unknown)
        return platformId;
    platformId = static_cast<uint32_t>(PlatformId::detect());
    return platformId;
}

long Device::getPlatformName(wchar_t* buffer, unsigned long length)
{
    if (!buffer)
        return length ? ResultCode::NullParameter : ResultCode::Ok;
    std::wcsncpy(buffer, PlatformId::nameOf(getPlatformId()), length);
    return ResultCode::Ok;
}

namespace {
// Enough for any host path.
constexpr DWORD fullNameCapacity = 4096;

DWORD platformLength(unsigned long length) { return length > 0xFFFFFFFFul ? 0xFFFFFFFFu : static_cast<DWORD>(length); }
} // namespace

unsigned int Device::getFullAppFileName(wchar_t* buffer, unsigned long length)
{
    if (!buffer)
        return 0;
    return GetModuleFileNameW(nullptr, buffer, platformLength(length));
}

unsigned int Device::getFullAppPath(wchar_t* buffer, unsigned long length)
{
    if (!buffer)
        return 0;
    if (length)
        buffer[0] = 0;
    // The whole name first, so that a short buffer never yields a wrong folder.
    std::vector<wchar_t> name(fullNameCapacity);
    DWORD stored = GetModuleFileNameW(nullptr, name.data(), fullNameCapacity);
    if (stored == 0 || stored >= fullNameCapacity)
        return 0;
    // The device separates with '\'; paths of the host come with '/'.
    unsigned long folderLength = stored;
    while (folderLength > 0 && name[folderLength - 1] != L'\\' && name[folderLength - 1] != L'/')
        --folderLength;
    if (folderLength == 0 || folderLength >= length)
        return 0;
    std::wmemcpy(buffer, name.data(), folderLength);
    buffer[folderLength] = 0;
    return static_cast<unsigned int>(folderLength);
}

unsigned int Device::getAbsolutePath(const wchar_t* path, wchar_t* buffer, unsigned long length)
{
    if (!path || !buffer || length == 0)
        return 0;
    bool absolute = path[0] == L'\\' || path[0] == L'/' || (path[0] && path[1] == L':' && path[2] == L'\\');
    unsigned long start = absolute ? 0 : getFullAppPath(buffer, length);
    std::wcsncpy(buffer + start, path, length - start);
    buffer[length - 1] = 0;
    return static_cast<unsigned int>(std::wcslen(buffer));
}
