#include "platform/hosts/FbdevHostEntry.h"

// A build for the browser has no Linux frame buffer.
std::unique_ptr<Host> createFbdevHost(std::string& why)
{
    why = "this build has no frame buffer host (it runs in a web browser)";
    return nullptr;
}
