#include "platform/Host.h"

#include "platform/HeadlessHost.h"
#include "platform/SdlHost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

Host::~Host() {}

namespace {

// Tried in this order when PARVOLIN_VIDEO names none; headless always serves.
const HostEntry hostEntries[] = {
    {"sdl", "an SDL2 window showing the device's glass, scaled by PARVOLIN_SCALE", SdlHost::create},
    {"headless", "no window: nothing is shown", HeadlessHost::create},
};
constexpr size_t hostCount = sizeof(hostEntries) / sizeof(hostEntries[0]);

struct Chosen {
    std::unique_ptr<Host> host;
    const char* name = nullptr;
    Host* installed = nullptr;
};

Chosen& chosen()
{
    static Chosen instance;
    return instance;
}

void listHosts()
{
    for (const HostEntry& entry : hostEntries)
        std::fprintf(stderr, " %s", entry.name);
}

void choose(Chosen& state)
{
    const char* wanted = std::getenv("PARVOLIN_VIDEO");
    if (wanted && *wanted) {
        const HostEntry* named = nullptr;
        for (const HostEntry& entry : hostEntries)
            if (std::strcmp(entry.name, wanted) == 0)
                named = &entry;
        if (named && (state.host = named->create())) {
            state.name = named->name;
            return;
        }
        if (named) {
            std::fprintf(stderr, "Parvolin: the host \"%s\" cannot serve here;", wanted);
        } else {
            std::fprintf(stderr, "Parvolin: unknown host \"%s\" in PARVOLIN_VIDEO; known hosts:", wanted);
            listHosts();
            std::fprintf(stderr, ";");
        }
        std::fprintf(stderr, " choosing by what this machine has\n");
    }
    for (const HostEntry& entry : hostEntries)
        if ((state.host = entry.create())) {
            state.name = entry.name;
            return;
        }
}
} // namespace

namespace Hosts {

const HostEntry* entries(size_t& count)
{
    count = hostCount;
    return hostEntries;
}

Host& current()
{
    Chosen& state = chosen();
    if (state.installed)
        return *state.installed;
    if (!state.host)
        choose(state);
    return *state.host;
}

const char* currentName()
{
    Chosen& state = chosen();
    if (state.installed)
        return "installed";
    current();
    return state.name;
}

void install(Host* host) { chosen().installed = host; }

} // namespace Hosts
