#include "platform/system/Modules.h"

#include "platform/system/EmulatedModule.h"
#include "platform/base/HandleTable.h"
#include "platform/base/HostText.h"
#include "platform/system/ModuleObjects.h"

#include <climits>
#include <cwchar>
#include <map>
#include <string>
#include <unistd.h>

namespace {

class ProgramModule : public HandleObject {};

class LoadedModule : public HandleObject {
public:
    explicit LoadedModule(const EmulatedModule* module) : module(module) {}
    const EmulatedModule* const module;
    unsigned references = 1;
};

struct ProgramResourceTable {
    const ModuleResource* resources = nullptr;
    size_t count = 0;
};

// Constant-initialised, so that the generated table of a program may install itself
// before anything else of the layer has run.
ProgramResourceTable programResources;

std::map<const EmulatedModule*, HMODULE>& loadedModules()
{
    static std::map<const EmulatedModule*, HMODULE> loaded;
    return loaded;
}

HMODULE programModule()
{
    static HMODULE handle = static_cast<HMODULE>(HandleTable::add(std::make_unique<ProgramModule>()));
    return handle;
}

bool isProgram(HMODULE module) { return !module || module == programModule(); }

std::wstring programFileName()
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path));
    if (length <= 0 || static_cast<size_t>(length) >= sizeof(path))
        return std::wstring();
    return HostText::fromUtf8(path, static_cast<size_t>(length));
}
} // namespace

namespace ProgramResources {
bool install(const ModuleResource* resources, size_t count)
{
    programResources.resources = resources;
    programResources.count = resources ? count : 0;
    return true;
}
} // namespace ProgramResources

namespace ModuleObjects {
bool resourcesOf(HMODULE module, const ModuleResource*& resources, size_t& count)
{
    if (isProgram(module)) {
        resources = programResources.resources;
        count = programResources.count;
        return true;
    }
    LoadedModule* loaded = HandleTable::find<LoadedModule>(module);
    if (!loaded)
        return false;
    resources = loaded->module->resources;
    count = loaded->module->resources ? loaded->module->resourceCount : 0;
    return true;
}
} // namespace ModuleObjects

HMODULE LoadLibraryW(LPCWSTR fileName)
{
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const EmulatedModule* module = EmulatedModules::find(fileName);
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    auto& loaded = loadedModules();
    auto found = loaded.find(module);
    if (found != loaded.end()) {
        ++HandleTable::find<LoadedModule>(found->second)->references;
        return found->second;
    }
    HMODULE handle = static_cast<HMODULE>(HandleTable::add(std::make_unique<LoadedModule>(module)));
    loaded.emplace(module, handle);
    return handle;
}

BOOL FreeLibrary(HMODULE module)
{
    if (module && module == programModule())
        return TRUE;
    LoadedModule* loaded = HandleTable::find<LoadedModule>(module);
    if (!loaded) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--loaded->references == 0) {
        loadedModules().erase(loaded->module);
        HandleTable::remove(module);
    }
    return TRUE;
}

FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName)
{
    if (!procName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (isProgram(module)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    LoadedModule* loaded = HandleTable::find<LoadedModule>(module);
    if (!loaded) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const EmulatedModule* library = loaded->module;
    for (size_t i = 0; library->exports && i < library->exportCount; ++i) {
        const EmulatedExport& entry = library->exports[i];
        if (entry.name && entry.function && std::wcscmp(entry.name, procName) == 0)
            return entry.function;
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

HMODULE GetModuleHandleW(LPCWSTR moduleName)
{
    if (!moduleName)
        return programModule();
    const EmulatedModule* module = EmulatedModules::find(moduleName);
    auto found = module ? loadedModules().find(module) : loadedModules().end();
    if (found == loadedModules().end()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return found->second;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size)
{
    std::wstring name;
    if (isProgram(module)) {
        name = programFileName();
    } else if (LoadedModule* loaded = HandleTable::find<LoadedModule>(module)) {
        name = std::wstring(L"\\Windows\\") + loaded->module->name;
    } else {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (name.empty()) {
        SetLastError(ERROR_GEN_FAILURE);
        return 0;
    }
    if (!fileName || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (name.size() >= size) {
        std::wmemcpy(fileName, name.c_str(), size - 1);
        fileName[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::wmemcpy(fileName, name.c_str(), name.size() + 1);
    return static_cast<DWORD>(name.size());
}
