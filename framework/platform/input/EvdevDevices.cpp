#include "platform/input/EvdevDevices.h"

#include "platform/base/Clock.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* inputFolder = "/dev/input";

const struct {
    const char* word;
    unsigned kind;
} kindWords[] = {
    {"touch", EvdevDecoder::Touch},
    {"mouse", EvdevDecoder::Mouse},
    {"keys", EvdevDecoder::Keys},
    {"pad", EvdevDecoder::Pad},
};

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// The event devices of the system in the order of their numbers (event2 before event10).
std::vector<std::string> systemDevices()
{
    std::vector<std::pair<unsigned long, std::string>> found;
    if (DIR* folder = opendir(inputFolder)) {
        while (dirent* entry = readdir(folder)) {
            const char* name = entry->d_name;
            if (std::strncmp(name, "event", 5) != 0 || !name[5])
                continue;
            char* end = nullptr;
            unsigned long number = std::strtoul(name + 5, &end, 10);
            if (*end == 0 && name[5] >= '0' && name[5] <= '9')
                found.emplace_back(number, std::string(inputFolder) + "/" + name);
        }
        closedir(folder);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& entry : found)
        paths.push_back(entry.second);
    return paths;
}

bool readCapabilities(int fd, EvdevCapabilities& caps)
{
    if (ioctl(fd, EVIOCGBIT(0, sizeof(caps.types)), caps.types) < 0)
        return false;
    // A device without a kind of event answers these with nothing, or not at all.
    ioctl(fd, EVIOCGBIT(EV_KEY, sizeof(caps.keys)), caps.keys);
    ioctl(fd, EVIOCGBIT(EV_ABS, sizeof(caps.absolutes)), caps.absolutes);
    ioctl(fd, EVIOCGBIT(EV_REL, sizeof(caps.relatives)), caps.relatives);
    ioctl(fd, EVIOCGPROP(sizeof(caps.properties)), caps.properties);
    return true;
}

EvdevDecoder::AxisRange rangeOf(int fd, unsigned axis)
{
    EvdevDecoder::AxisRange range;
    input_absinfo info;
    std::memset(&info, 0, sizeof(info));
    if (ioctl(fd, EVIOCGABS(axis), &info) == 0 && info.maximum > info.minimum) {
        range.minimum = info.minimum;
        range.maximum = info.maximum;
        range.known = true;
    }
    return range;
}

// What the device holds now, for a decoder that lost events; false where the device
// cannot say (a file, a FIFO).
bool readPresentState(int fd, EvdevDecoder::PresentState& state)
{
    if (ioctl(fd, EVIOCGKEY(sizeof(state.keysDown)), state.keysDown) < 0)
        return false;
    EvdevCapabilities caps;
    ioctl(fd, EVIOCGBIT(EV_ABS, sizeof(caps.absolutes)), caps.absolutes);
    for (unsigned axis : {ABS_X, ABS_Y, ABS_HAT0X, ABS_HAT0Y}) {
        input_absinfo info;
        std::memset(&info, 0, sizeof(info));
        if (EvdevCapabilities::has(caps.absolutes, axis) && ioctl(fd, EVIOCGABS(axis), &info) == 0)
            state.axes.push_back({axis, info.value});
    }
    return true;
}

} // namespace

struct EvdevDevices::Device {
    Device(const std::string& path, int fd, bool plainFile, unsigned kinds, const EvdevDecoder::Ranges& ranges)
        : path(path), fd(fd), plainFile(plainFile), decoder(kinds, ranges)
    {
    }
    ~Device() { close(fd); }

    std::string path;
    int fd;
    bool plainFile;
    EvdevDecoder decoder;
    unsigned char partial[sizeof(input_event)] = {};  // the start of a record not read whole yet
    size_t partialBytes = 0;
};

EvdevDevices::EvdevDevices() = default;
EvdevDevices::~EvdevDevices() = default;

bool EvdevDevices::parseKinds(const std::string& text, std::vector<GivenKind>& kinds, std::string& why)
{
    kinds.clear();
    if (text.empty())
        return true;
    for (const std::string& item : split(text, ',')) {
        size_t colon = item.rfind(':');
        const std::string word = colon == std::string::npos ? std::string() : item.substr(colon + 1);
        unsigned kind = 0;
        for (const auto& entry : kindWords)
            if (word == entry.word)
                kind = entry.kind;
        if (colon == std::string::npos || colon == 0 || !kind) {
            why = "PARVOLIN_EVDEV_KIND \"" + text + "\": \"" + item +
                  "\" is not PATH:KIND with KIND touch, mouse, keys or pad";
            return false;
        }
        kinds.push_back({item.substr(0, colon), kind});
    }
    return true;
}

bool EvdevDevices::configureFromEnvironment(std::string& why)
{
    paths.clear();
    pathsGiven = false;
    const char* named = std::getenv("PARVOLIN_EVDEV");
    if (named && *named) {
        pathsGiven = true;
        for (const std::string& path : split(named, ','))
            if (!path.empty())
                paths.push_back(path);
    }
    const char* kinds = std::getenv("PARVOLIN_EVDEV_KIND");
    return parseKinds(kinds ? kinds : "", givenKinds, why);
}

unsigned EvdevDevices::classify(const EvdevCapabilities& caps)
{
    using C = EvdevCapabilities;
    bool keysOn = C::has(caps.types, EV_KEY);
    bool absolute = C::has(caps.types, EV_ABS);
    bool relative = C::has(caps.types, EV_REL);
    auto key = [&](unsigned code) { return keysOn && C::has(caps.keys, code); };
    auto axis = [&](unsigned code) { return absolute && C::has(caps.absolutes, code); };

    unsigned kinds = 0;
    bool position = (axis(ABS_X) && axis(ABS_Y)) || (axis(ABS_MT_POSITION_X) && axis(ABS_MT_POSITION_Y));
    // A touchpad (a pointer property) moves a pointer on the desktop; it is no touch screen.
    if (position && key(BTN_TOUCH) && !C::has(caps.properties, INPUT_PROP_POINTER))
        kinds |= EvdevDecoder::Touch;
    if (relative && C::has(caps.relatives, REL_X) && C::has(caps.relatives, REL_Y) && key(BTN_LEFT))
        kinds |= EvdevDecoder::Mouse;
    if (key(BTN_SOUTH) || key(BTN_START) || key(BTN_DPAD_UP) || axis(ABS_HAT0X))
        kinds |= EvdevDecoder::Pad;
    for (unsigned code : {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_KPENTER, KEY_Z, KEY_X, KEY_C})
        if (key(code))
            kinds |= EvdevDecoder::Keys;
    return kinds;
}

bool EvdevDevices::openOne(const std::string& path, std::string& problem)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem = std::string("cannot be opened: ") + std::strerror(errno);
        return false;
    }
    struct stat status;
    if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        problem = "is not a file";
        close(fd);
        return false;
    }
    unsigned kinds = 0;
    for (const GivenKind& given : givenKinds)
        if (given.path == path)
            kinds = given.kinds;
    if (!kinds) {
        EvdevCapabilities caps;
        if (!readCapabilities(fd, caps)) {
            problem = "does not answer as an input device (PARVOLIN_EVDEV_KIND can say what it is)";
            close(fd);
            return false;
        }
        kinds = classify(caps);
        if (!kinds) {
            problem = "reports nothing the device has a use for";
            close(fd);
            return false;
        }
    }
    EvdevDecoder::Ranges ranges;
    ranges.x = rangeOf(fd, ABS_X);
    ranges.y = rangeOf(fd, ABS_Y);
    ranges.touchX = rangeOf(fd, ABS_MT_POSITION_X);
    ranges.touchY = rangeOf(fd, ABS_MT_POSITION_Y);
    devices.push_back(std::make_unique<Device>(path, fd, S_ISREG(status.st_mode), kinds, ranges));
    return true;
}

void EvdevDevices::open()
{
    devices.clear();
    std::vector<std::string> wanted = pathsGiven ? paths : systemDevices();
    std::string unused;
    for (const std::string& path : wanted) {
        std::string problem;
        if (!openOne(path, problem))
            unused += (unused.empty() ? "" : "; ") + path + " " + problem;
    }
    if (!unused.empty())
        std::fprintf(stderr, "Parvolin: input devices left out: %s\n", unused.c_str());
    if (devices.empty())
        std::fprintf(stderr, "Parvolin: no input devices (PARVOLIN_EVDEV names them; by default every readable "
                             "%s/event*)\n", inputFolder);
}

bool EvdevDevices::readOne(Device& device, const GlassPlacement& placement, uint64_t now,
                           std::vector<InputCommand>& out, std::string& problem)
{
    constexpr size_t recordSize = sizeof(input_event);
    unsigned char buffer[recordSize * 64];
    size_t records = 0;
    while (records < maxRecordsPerRead) {
        std::memcpy(buffer, device.partial, device.partialBytes);
        ssize_t got = ::read(device.fd, buffer + device.partialBytes, sizeof(buffer) - device.partialBytes);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return true;
        if (got < 0) {
            problem = std::strerror(errno);
            return false;
        }
        if (got == 0) {
            // A plain file may grow; the end of anything else is the end of the device.
            if (device.plainFile)
                return true;
            problem = "its stream ended";
            return false;
        }
        size_t bytes = device.partialBytes + static_cast<size_t>(got);
        size_t whole = bytes / recordSize;
        for (size_t i = 0; i < whole; ++i) {
            input_event event;
            std::memcpy(&event, buffer + i * recordSize, recordSize);
            device.decoder.take(event, placement, mousePointer, now, out);
            if (device.decoder.takeStateRequest()) {
                EvdevDecoder::PresentState state;
                if (readPresentState(device.fd, state))
                    device.decoder.resync(state, placement, mousePointer, out);
            }
        }
        device.partialBytes = bytes - whole * recordSize;
        std::memcpy(device.partial, buffer + whole * recordSize, device.partialBytes);
        records += whole;
    }
    return true;
}

void EvdevDevices::read(const GlassPlacement& placement, uint64_t now, std::vector<InputCommand>& out)
{
    for (size_t i = 0; i < devices.size();) {
        std::string problem;
        if (readOne(*devices[i], placement, now, out, problem)) {
            devices[i]->decoder.repeatDue(now, out);
            ++i;
            continue;
        }
        std::fprintf(stderr, "Parvolin: the input device %s went away (%s); the game goes on without it\n",
                     devices[i]->path.c_str(), problem.c_str());
        devices[i]->decoder.release(out);
        devices.erase(devices.begin() + static_cast<ptrdiff_t>(i));
    }
}

bool EvdevDevices::wait(DWORD milliseconds)
{
    std::vector<pollfd> watched;
    for (const auto& device : devices) {
        if (device->plainFile) {
            // A plain file always reads as ready; it has something when it grew.
            struct stat status;
            off_t at = lseek(device->fd, 0, SEEK_CUR);
            if (fstat(device->fd, &status) == 0 && at >= 0 && status.st_size > at)
                return true;
            continue;
        }
        watched.push_back({device->fd, POLLIN, 0});
    }
    if (watched.empty()) {
        Clock::current().sleep(milliseconds);
        return false;
    }
    int timeout = milliseconds > 0x7FFFFFFF ? -1 : static_cast<int>(milliseconds);
    int ready = poll(watched.data(), watched.size(), timeout);
    return ready > 0;
}

bool EvdevDevices::hasMouse() const
{
    for (const auto& device : devices)
        if (device->decoder.kinds() & EvdevDecoder::Mouse)
            return true;
    return false;
}
