#ifndef PARVOLIN_RESOURCE_TABLE_H
#define PARVOLIN_RESOURCE_TABLE_H

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

#include <cstddef>
#include <cstdint>

// One resource of a module: its type and its name, each a number or (when the text is
// not null) a text, and its bytes. A program's resources are embedded at build time by
// parvolin_add_resources() (cmake/ParvolinResources.cmake), which generates this table.
struct ModuleResource {
    uintptr_t typeId;
    const wchar_t* typeName;
    uintptr_t id;
    const wchar_t* name;
    const unsigned char* data;
    DWORD size;
};

namespace ProgramResources {
// Called once by the generated table of the running program, before main.
PARVOLIN_API bool install(const ModuleResource* resources, size_t count);
} // namespace ProgramResources

#endif
