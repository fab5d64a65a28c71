#ifndef PARVOLIN_RESOURCE_TABLE_H
#define PARVOLIN_RESOURCE_TABLE_H

/// \file
/// The table of a program's embedded resources.
/// \ingroup platform_system

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

#include <cstddef>
#include <cstdint>

/// \addtogroup platform_system
/// @{

/// One resource of a module: its type and its name, each a number or (when the text is
/// not null) a text, and its bytes. A program's resources are embedded at build time by
/// parvolin_add_resources() (cmake/ParvolinResources.cmake), which generates this table;
/// games then load them by id with Surface::create, SurfaceRGBA::create and Sound::load
/// (a null module is the program).
struct ModuleResource {
    uintptr_t typeId;          ///< The type's number (2 for a bitmap, 10 for RCDATA), when typeName is null.
    const wchar_t* typeName;   ///< The type's name, such as L"PNG" or L"WAVE", or null.
    uintptr_t id;              ///< The resource's number, when name is null.
    const wchar_t* name;       ///< The resource's name, or null.
    const unsigned char* data; ///< Its bytes, for the life of the program.
    DWORD size;                ///< Bytes at data.
};

/// The running program's resources.
namespace ProgramResources {
/// Called once by the generated table of the running program, before main; games do not
/// call it. The table is borrowed for the life of the process; a later call replaces it.
/// Always true.
PARVOLIN_API bool install(const ModuleResource* resources, size_t count);
} // namespace ProgramResources

/// @}

#endif
