#ifndef PARVOLIN_MODULE_OBJECTS_H
#define PARVOLIN_MODULE_OBJECTS_H

#include "platform/base/PlatformTypes.h"
#include "platform/system/ResourceTable.h"

#include <cstddef>

namespace ModuleObjects {

// The resource table of a module (a null module is the running program); false when the
// handle names no module.
bool resourcesOf(HMODULE module, const ModuleResource*& resources, size_t& count);

} // namespace ModuleObjects

#endif
