#include "platform/libraries/DirectDraw.h"
#include "platform/system/EmulatedModule.h"
#include "platform/libraries/GameApi.h"
#include "platform/libraries/ShellHelper.h"

// Every library the emulated handhelds can have. A module's own file defines it (with the
// predicate that says which devices offer it); it is listed here once, so that it is
// there whether the layer is linked as a shared library or from the static archive.
const EmulatedModule* const* builtInEmulatedModules(size_t& count)
{
    static const EmulatedModule* const modules[] = {&gameApiModule, &directDrawModule, &shellHelperModule};
    count = sizeof(modules) / sizeof(modules[0]);
    return modules;
}
