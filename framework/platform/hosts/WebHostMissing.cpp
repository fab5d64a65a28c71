#include "platform/hosts/WebHost.h"

// Only a build for the browser has the page to show the device in.
std::unique_ptr<Host> WebHost::create(std::string& why)
{
    why = "this build does not run in a web browser (./parvolin web makes one that does)";
    return nullptr;
}
