#ifndef PARVOLIN_EMULATED_MODULE_H
#define PARVOLIN_EMULATED_MODULE_H

#include "platform/device/DeviceProfile.h"
#include "platform/base/PlatformTypes.h"
#include "platform/system/ResourceTable.h"

#include <cstddef>

// A run-time library of the emulated handheld ("GX.dll", "ddraw.dll", "aygshell.dll"):
// its exports by (decorated) name, and whether the current device has it at all. Each
// module is defined in its own file and listed in EmulatedModuleTable.cpp.
struct EmulatedExport {
    const wchar_t* name;
    FARPROC function;
};

struct EmulatedModule {
    const wchar_t* name;                            // file name, such as L"GX.dll"
    const EmulatedExport* exports;
    size_t exportCount;
    bool (*offeredBy)(const DeviceProfile& device); // null: every device has it
    const ModuleResource* resources;
    size_t resourceCount;
};

namespace EmulatedModules {

// Adds a module after the built-in ones (tests bring their own); remove takes it away.
// The module must outlive its use.
void add(const EmulatedModule* module);
void remove(const EmulatedModule* module);

// The module of that file name that the current device offers, or null. Letters match
// without case, a folder in front is ignored and ".dll" is implied.
const EmulatedModule* find(const wchar_t* fileName);

} // namespace EmulatedModules

// The built-in modules, in look-up order.
const EmulatedModule* const* builtInEmulatedModules(size_t& count);

#endif
