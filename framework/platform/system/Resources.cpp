#include "platform/system/Resources.h"

#include "platform/system/ModuleObjects.h"

#include <cwchar>
#include <cwctype>

namespace {

bool sameText(const wchar_t* a, const wchar_t* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::towupper(static_cast<wint_t>(*a)) != std::towupper(static_cast<wint_t>(*b)))
            return false;
    return *a == *b;
}

// "#123" stands for the number 123.
bool numberOf(const wchar_t* text, uintptr_t& number)
{
    if (text[0] != L'#' || !text[1])
        return false;
    number = 0;
    for (const wchar_t* digit = text + 1; *digit; ++digit) {
        if (*digit < L'0' || *digit > L'9' || number > 0xFFFF)
            return false;
        number = number * 10 + static_cast<uintptr_t>(*digit - L'0');
    }
    return number <= 0xFFFF;
}

bool matches(uintptr_t id, const wchar_t* text, LPCWSTR wanted)
{
    uintptr_t number;
    if (IS_INTRESOURCE(wanted))
        return !text && id == reinterpret_cast<uintptr_t>(wanted);
    if (numberOf(wanted, number))
        return !text && id == number;
    return text && sameText(text, wanted);
}

// The entry of `module`'s table that `resource` points to, or null.
const ModuleResource* entryOf(HMODULE module, HRSRC resource)
{
    const ModuleResource* table;
    size_t count;
    if (!resource || !ModuleObjects::resourcesOf(module, table, count)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    for (size_t i = 0; i < count; ++i)
        if (reinterpret_cast<HRSRC>(const_cast<ModuleResource*>(&table[i])) == resource)
            return &table[i];
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}
} // namespace

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    const ModuleResource* table;
    size_t count;
    if (!ModuleObjects::resourcesOf(module, table, count)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!name || !type) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    bool typeFound = false;
    for (size_t i = 0; i < count; ++i) {
        if (!matches(table[i].typeId, table[i].typeName, type))
            continue;
        typeFound = true;
        if (matches(table[i].id, table[i].name, name))
            return reinterpret_cast<HRSRC>(const_cast<ModuleResource*>(&table[i]));
    }
    SetLastError(typeFound ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource)
{
    const ModuleResource* entry = entryOf(module, resource);
    return entry ? const_cast<unsigned char*>(entry->data) : nullptr;
}

DWORD SizeofResource(HMODULE module, HRSRC resource)
{
    const ModuleResource* entry = entryOf(module, resource);
    return entry ? entry->size : 0;
}

void* LockResource(HGLOBAL data) { return data; }

HICON__* LoadIconW(HINSTANCE instance, LPCWSTR name)
{
    // The resource itself stands for the icon: one handle per icon, for as long as the
    // module is there.
    return reinterpret_cast<HICON__*>(FindResourceW(instance, name, RT_GROUP_ICON));
}
