#include "platform/system/EmulatedModule.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {
std::vector<const EmulatedModule*>& addedModules()
{
    static std::vector<const EmulatedModule*> modules;
    return modules;
}

wchar_t folded(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool sameName(const std::wstring& a, const wchar_t* b)
{
    size_t length = std::wcslen(b);
    if (a.size() != length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (folded(a[i]) != folded(b[i]))
            return false;
    return true;
}

// "\Windows\gx" names "GX.dll" too.
std::wstring baseName(const wchar_t* fileName)
{
    std::wstring name = fileName;
    size_t separator = name.find_last_of(L"\\/");
    if (separator != std::wstring::npos)
        name.erase(0, separator + 1);
    if (name.find(L'.') == std::wstring::npos)
        name += L".dll";
    return name;
}

bool offered(const EmulatedModule* module, const std::wstring& name)
{
    return module && module->name && sameName(name, module->name) &&
           (!module->offeredBy || module->offeredBy(DeviceProfiles::current()));
}
} // namespace

namespace EmulatedModules {

void add(const EmulatedModule* module)
{
    if (module && std::find(addedModules().begin(), addedModules().end(), module) == addedModules().end())
        addedModules().push_back(module);
}

void remove(const EmulatedModule* module)
{
    auto& modules = addedModules();
    modules.erase(std::remove(modules.begin(), modules.end(), module), modules.end());
}

const EmulatedModule* find(const wchar_t* fileName)
{
    if (!fileName || !*fileName)
        return nullptr;
    std::wstring name = baseName(fileName);
    size_t count;
    const EmulatedModule* const* builtIn = builtInEmulatedModules(count);
    for (size_t i = 0; i < count; ++i)
        if (offered(builtIn[i], name))
            return builtIn[i];
    for (const EmulatedModule* module : addedModules())
        if (offered(module, name))
            return module;
    return nullptr;
}

} // namespace EmulatedModules
