#ifndef PARVOLIN_RESOURCES_H
#define PARVOLIN_RESOURCES_H

#include "platform/base/LastError.h"
#include "platform/base/PlatformTypes.h"

#include <cstdint>

// Resources of a module: the files a program embedded at build time with
// parvolin_add_resources(). A null module is the running program. Names and types are
// numbers (MAKEINTRESOURCEW) or texts, compared without case; "#12" is the number 12.

inline bool IS_INTRESOURCE(LPCWSTR resource) { return reinterpret_cast<uintptr_t>(resource) <= 0xFFFF; }
inline LPWSTR MAKEINTRESOURCEW(unsigned id)
{
    return reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(static_cast<WORD>(id)));
}
#define MAKEINTRESOURCE MAKEINTRESOURCEW

#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)

// Null with ERROR_RESOURCE_TYPE_NOT_FOUND when the module has nothing of that type,
// ERROR_RESOURCE_NAME_NOT_FOUND when it has the type but not the name.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
// The resource's bytes, read-only, valid for the life of the module.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
void* LockResource(HGLOBAL data);

// The module's icon of that name (its RT_GROUP_ICON resource). Icons are shared: the
// handle stays valid for the life of the module and is never destroyed. Null, with the
// error FindResourceW gives, when the module has no such icon.
struct HICON__;
HICON__* LoadIconW(HINSTANCE instance, LPCWSTR name);

#endif
