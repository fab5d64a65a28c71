#ifndef PARVOLIN_EVDEV_DEVICES_H
#define PARVOLIN_EVDEV_DEVICES_H

#include "platform/base/InputCommand.h"
#include "platform/base/PlatformTypes.h"
#include "platform/input/EvdevDecoder.h"

#include <memory>
#include <string>
#include <vector>

// What an input event device says it reports (EVIOCGBIT, EVIOCGPROP), as bit arrays.
struct EvdevCapabilities {
    static constexpr size_t bitsPerWord = 8 * sizeof(unsigned long);
    unsigned long types[(EV_CNT + bitsPerWord - 1) / bitsPerWord] = {};
    unsigned long keys[(KEY_CNT + bitsPerWord - 1) / bitsPerWord] = {};
    unsigned long absolutes[(ABS_CNT + bitsPerWord - 1) / bitsPerWord] = {};
    unsigned long relatives[(REL_CNT + bitsPerWord - 1) / bitsPerWord] = {};
    unsigned long properties[(INPUT_PROP_CNT + bitsPerWord - 1) / bitsPerWord] = {};

    static bool has(const unsigned long* bits, unsigned bit) { return (bits[bit / bitsPerWord] >> (bit % bitsPerWord)) & 1; }
    static void set(unsigned long* bits, unsigned bit) { bits[bit / bitsPerWord] |= 1UL << (bit % bitsPerWord); }
};

// The input event devices of the frame-buffer host. PARVOLIN_EVDEV=PATH[,PATH...] names
// them; by default they are every /dev/input/event* that can be read. Each is classified
// by what it reports (see EvdevDecoder for what each kind means), or as
// PARVOLIN_EVDEV_KIND=PATH:touch|mouse|keys|pad[,...] says, for the files and FIFOs that
// cannot answer the device's queries (and the devices that answer them wrongly). Files
// that cannot be opened or classified are listed on stderr, once; a device that goes away
// (a read fails, or a FIFO's writer closes it) is dropped with a line on stderr, and the
// game goes on. A plain file is read as it grows.
class EvdevDevices {
public:
    struct GivenKind {
        std::string path;
        unsigned kinds;
    };

    // Most records read from one device at one call of read(); the rest wait for the next.
    static constexpr size_t maxRecordsPerRead = 4096;

    EvdevDevices();
    ~EvdevDevices();
    EvdevDevices(const EvdevDevices&) = delete;
    EvdevDevices& operator=(const EvdevDevices&) = delete;

    // PARVOLIN_EVDEV and PARVOLIN_EVDEV_KIND; false with `why` naming a value that cannot be
    // used. Nothing is opened yet.
    bool configureFromEnvironment(std::string& why);
    static bool parseKinds(const std::string& text, std::vector<GivenKind>& kinds, std::string& why);
    // What a device's capabilities make it (EvdevDecoder::Kind bits); 0 for nothing of use.
    static unsigned classify(const EvdevCapabilities& capabilities);

    // Opens the configured devices.
    void open();
    // Reads, without waiting, what the devices sent by `now` (the device's clock,
    // nanoseconds), and appends the input of every unit that ended and the pads' repeats.
    void read(const GlassPlacement& placement, uint64_t now, std::vector<InputCommand>& out);
    // Waits at most `milliseconds` for a device to send something; true when one has.
    bool wait(DWORD milliseconds);

    size_t count() const { return devices.size(); }
    bool hasMouse() const;
    const MousePointer& pointer() const { return mousePointer; }
    // The pointer at the centre of the glass's new place.
    void placePointer(const GlassPlacement& placement)
    {
        mousePointer.placed = false;
        mousePointer.keepOn(placement);
    }

private:
    struct Device;
    bool openOne(const std::string& path, std::string& problem);
    // Reads one device; false when it went away (`problem` says why).
    bool readOne(Device& device, const GlassPlacement& placement, uint64_t now, std::vector<InputCommand>& out,
                 std::string& problem);

    std::vector<std::string> paths;  // empty: every /dev/input/event*
    bool pathsGiven = false;
    std::vector<GivenKind> givenKinds;
    std::vector<std::unique_ptr<Device>> devices;
    MousePointer mousePointer;
};

#endif
