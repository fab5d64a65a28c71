#include "platform/hosts/SdlHost.h"

// This build has no SDL2: the window host's place in the table says so when it is asked
// for, and the device runs headless.
std::unique_ptr<Host> SdlHost::create(std::string& why)
{
    why = "this build has no window host (it was built without SDL2)";
    return nullptr;
}
