#include "platform/base/Host.h"

#include "platform/base/Clock.h"
#include "platform/windows/DesktopWindows.h"
#include "platform/hosts/FbdevHostEntry.h"
#include "platform/hosts/HeadlessHost.h"
#include "platform/input/InputSchedule.h"
#include "platform/hosts/SdlHost.h"
#include "platform/hosts/WebHost.h"
#include "platform/system/SoundOutput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Tried in this order when PARVOLIN_VIDEO names none; headless always serves.
const HostEntry hostEntries[] = {
    {"web", "a web page showing the device's glass on a canvas (a build for the browser only)", WebHost::create,
     false},
    {"sdl", "an SDL2 window showing the device's glass, scaled by PARVOLIN_SCALE", SdlHost::create, false},
    {"fbdev", "a Linux frame buffer (PARVOLIN_FBDEV) and input event devices, on a console without a desktop",
     createFbdevHost, true},
    {"headless", "no window: nothing is shown", [](std::string&) { return HeadlessHost::create(); }, false},
};
constexpr size_t hostCount = sizeof(hostEntries) / sizeof(hostEntries[0]);

struct Chosen {
    std::unique_ptr<Host> host;
    const char* name = nullptr;
    Host* installed = nullptr;
    bool shutDown = false;
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
        std::string why;
        if (named && (state.host = named->create(why))) {
            state.name = named->name;
            return;
        }
        if (named && named->mustServeWhenNamed) {
            std::fprintf(stderr, "Parvolin: the host \"%s\" cannot serve here: %s\n", wanted, why.c_str());
            std::exit(2);
        }
        if (named) {
            std::fprintf(stderr, "Parvolin: the host \"%s\" cannot serve here%s%s;", wanted, why.empty() ? "" : ": ",
                         why.c_str());
        } else {
            std::fprintf(stderr, "Parvolin: unknown host \"%s\" in PARVOLIN_VIDEO; known hosts:", wanted);
            listHosts();
            std::fprintf(stderr, ";");
        }
        std::fprintf(stderr, " choosing by what this machine has\n");
    }
    std::string why;
    for (const HostEntry& entry : hostEntries)
        if ((state.host = entry.create(why))) {
            state.name = entry.name;
            return;
        }
}

// PARVOLIN_CLOCK: "device" or "real" time; unset, a host without a person runs in device
// time. Any other value ends the process, as a bad script does: a run must not go on in
// a time other than the one asked for.
void chooseClock(const Chosen& state)
{
    const char* asked = std::getenv("PARVOLIN_CLOCK");
    const bool set = asked && *asked;
    const bool real = set && std::strcmp(asked, "real") == 0;
    const bool device = set && std::strcmp(asked, "device") == 0;
    if (set && !real && !device) {
        std::fprintf(stderr, "Parvolin: PARVOLIN_CLOCK \"%s\" is neither \"device\" nor \"real\"\n", asked);
        std::exit(2);
    }
    const bool deviceTime = state.host->canRunInDeviceTime();
    if (device && !deviceTime)
        std::fprintf(stderr, "Parvolin: PARVOLIN_CLOCK=device: the %s host shows the device to a person, in real time\n",
                     state.name);
    Clock::useDeviceTime(deviceTime && !real);
}

// The script and the recordings of the input and the sound belong to the session the host
// serves: a program must not run with input other than what was asked for, nor without the
// recording asked for (which starts with the run).
void prepareSession()
{
    std::string why;
    if (!InputSchedule::current().configureFromEnvironment(why) ||
        !SoundOutput::configureFromEnvironment(why)) {
        std::fprintf(stderr, "Parvolin: %s\n", why.c_str());
        std::exit(2);
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
    if (!state.host && state.shutDown) {
        // Windows may still go at exit: they are told to a host that shows nothing.
        state.host = HeadlessHost::create();
        state.name = "headless";
    }
    if (!state.host) {
        choose(state);
        chooseClock(state);
        prepareSession();
        std::atexit(shutDown);
    }
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

void shutDown()
{
    Chosen& state = chosen();
    DesktopWindows::withdrawAll();
    InputSchedule::current().stopRecording();
    // The sound played up to the end, while the host still takes it.
    SoundOutput::finish();
    state.host.reset();
    state.shutDown = true;
}

} // namespace Hosts
