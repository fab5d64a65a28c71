#ifndef PARVOLIN_HOST_H
#define PARVOLIN_HOST_H

#include "Export.h"

#include <cstddef>
#include <memory>

class EmulatedScreen;

// What shows the emulated handheld to a person, or to a script: an SDL window on the
// desktop, or nothing at all. One host serves the process; it is chosen on first use by
// PARVOLIN_VIDEO ("sdl", "headless"), or by what this machine has when that is not set.
class PARVOLIN_API Host {
public:
    virtual ~Host();
    // A frame is on the glass: an interface finished drawing, or the refresh of a frame
    // buffer that is written without an end-of-frame call is due.
    virtual void present(const EmulatedScreen& screen) = 0;
    // A top-level window of the device came or went (WindowObjects::newestTitle names the
    // newest one, after which a host names its own window).
    virtual void windowsChanged() {}
};

// One way of hosting. `create` gives null when it cannot serve on this machine; the next
// entry is tried then.
struct HostEntry {
    const char* name;
    const char* description;
    std::unique_ptr<Host> (*create)();
};

namespace Hosts {

// The hosts in the order they are tried.
PARVOLIN_API const HostEntry* entries(size_t& count);

// The host in use, chosen on first use: the one PARVOLIN_VIDEO names, else the first that
// can serve. A name that is unknown or cannot serve is reported on stderr.
PARVOLIN_API Host& current();
PARVOLIN_API const char* currentName();

// Puts a host of the caller's in place of the chosen one (tests); null goes back. The
// caller keeps ownership.
PARVOLIN_API void install(Host* host);

} // namespace Hosts

#endif
