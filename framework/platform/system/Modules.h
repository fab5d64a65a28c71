#ifndef PARVOLIN_MODULES_H
#define PARVOLIN_MODULES_H

#include "platform/base/LastError.h"
#include "platform/base/PlatformTypes.h"

// Run-time libraries of the emulated handheld, and the running program's own module.

// The library of that name if the current device has it (ERROR_MOD_NOT_FOUND otherwise).
// Loading a library again gives the same handle and needs one more FreeLibrary.
HMODULE LoadLibraryW(LPCWSTR fileName);
BOOL FreeLibrary(HMODULE module);
// Looks a function up by its exported (decorated) name, compared exactly; null with
// ERROR_PROC_NOT_FOUND when the library lacks it.
FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName);
// Null names the running program; otherwise a library that is loaded.
HMODULE GetModuleHandleW(LPCWSTR moduleName);
// The file name of a module; a null module is the running program's executable (never
// the framework's library). A name that does not fit is cut to size - 1 characters and
// terminated, returns `size` and leaves ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

#endif
