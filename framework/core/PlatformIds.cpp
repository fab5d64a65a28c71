#include "core/PlatformIds.h"

#include "platform/system/SystemServices.h"

#include <cwchar>

namespace PlatformId {

unsigned long detect()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    DWORD major = GetVersionExW(&version) ? version.dwMajorVersion : 0;
    unsigned long pocketPc = major == 3 ? PocketPc2002 : major == 4 ? PocketPc2003 : PocketPc2005;
    unsigned long smartphone = major == 3 ? Smartphone2002 : major == 4 ? Smartphone2003 : Smartphone2005;

    wchar_t type[260] = {};
    if (SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(type), type, 0)) {
        if (std::wcscmp(type, L"PocketPC") == 0)
            return pocketPc;
        if (std::wcscmp(type, L"Smartphone") == 0)
            return smartphone;
        return Unknown;
    }
    // Smartphones refuse the query to programs that are not trusted.
    if (GetLastError() == ERROR_ACCESS_DENIED)
        return smartphone;
    return Unknown;
}

const wchar_t* nameOf(unsigned long id)
{
    switch (id) {
    case PocketPc2002:
        return L"PocketPC 2000/2002";
    case PocketPc2003:
        return L"PocketPC 2003";
    case PocketPc2005:
        return L"PocketPC 2005";
    case Smartphone2002:
        return L"SmartPhone 2002";
    case Smartphone2003:
        return L"SmartPhone 2003";
    case Smartphone2005:
        return L"SmartPhone 2005";
    default:
        return L"Unknown platform";
    }
}

} // namespace PlatformId
