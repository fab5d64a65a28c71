#ifndef PARVOLIN_HOST_H
#define PARVOLIN_HOST_H

#include "platform/base/PlatformTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class EmulatedScreen;

// What shows the emulated handheld to a person, or to a script: a web page, an SDL window
// on the desktop, a Linux frame buffer, or nothing at all. One host serves the process; it
// is chosen on first use by PARVOLIN_VIDEO ("web", "sdl", "fbdev", "headless"), or by what
// this machine has when that is not set.
class Host {
public:
    virtual ~Host();
    // A frame is on the glass: an interface finished drawing, or the refresh of a frame
    // buffer that is written without an end-of-frame call is due.
    virtual void present(const EmulatedScreen& screen) = 0;
    // A top-level window of the device came, went, or was minimised or restored
    // (WindowObjects::shownWindow is the one a host shows and names its own window after).
    virtual void windowsChanged() {}

    // Live input: what a person did since the last call, handed to
    // InputSchedule::current().deliver(). Called once before each frame tick (see
    // InputSchedule.h); a host without a person does nothing.
    virtual void deliverInput() {}
    // Waits at most `milliseconds` for a person to do something; true when something
    // came (it is delivered before the next tick). Without a person: sleeps, false.
    virtual bool waitForInput(DWORD milliseconds);
    // Another start of the program asked its window to come forward.
    virtual void raise() {}
    // The device's speaker: `count` stereo frames of 16-bit samples at 44,100 Hz, in
    // playing order and without gaps while the wave output is open (silence included).
    // A host without a speaker lets them go.
    virtual void playSound(const int16_t* frames, size_t count);
    // Whether this host shows the device on the user's desktop, where other programs of
    // the same user can find its windows (a second start of a game finds the first).
    virtual bool sharesDesktop() const { return false; }
    // A message box of the device (see windows/MessageBox.h), shown until the person
    // dismisses it; a host that cannot show one does nothing (stderr has the text).
    enum class BoxKind { Information, Warning, Error };
    virtual void showMessageBox(BoxKind, const std::string& /*caption*/, const std::string& /*text*/) {}
    // Whether the device may run in device time under this host (see Clock.h): only
    // where no person watches or plays, since a person lives in real time.
    virtual bool canRunInDeviceTime() const { return false; }
};

// One way of hosting. `create` gives null, and says why, when it cannot serve on this
// machine; the next entry is tried then. A host that must serve when PARVOLIN_VIDEO names
// it ends the program (status 2) when it cannot, instead of letting another take over.
struct HostEntry {
    const char* name;
    const char* description;
    std::unique_ptr<Host> (*create)(std::string& why);
    bool mustServeWhenNamed;
};

namespace Hosts {

// The hosts in the order they are tried.
const HostEntry* entries(size_t& count);

// The host in use, chosen on first use: the one PARVOLIN_VIDEO names, else the first that
// can serve. A name that is unknown or cannot serve is reported on stderr. The clock is
// chosen then: device time where the host allows it, unless PARVOLIN_CLOCK=real (a
// PARVOLIN_CLOCK other than "device" or "real" ends the process with status 2). The input
// schedule is set up from the environment then (see InputSchedule.h); a script that
// cannot be read or has a bad line, or a recording that cannot be written, is reported
// on stderr and ends the process with status 2 before the program goes on.
Host& current();
const char* currentName();

// Puts a host of the caller's in place of the chosen one (tests); null goes back. The
// caller keeps ownership.
void install(Host* host);

// Ends the chosen host (its window closes) and the recording, and withdraws the program's
// windows from the desktop; the process is about to end. Done at exit too.
void shutDown();

} // namespace Hosts

#endif
