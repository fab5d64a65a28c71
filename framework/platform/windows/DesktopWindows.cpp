#include "platform/windows/DesktopWindows.h"

#include "platform/base/HandleTable.h"
#include "platform/base/Host.h"
#include "platform/base/HostText.h"
#include "platform/windows/WindowObjects.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace {

constexpr const char* entryPrefix = "window-";
constexpr size_t largestEntry = 64 * 1024;
constexpr const char* requestWord = "foreground ";

// A window of another program, as this program holds it.
class ForeignWindow : public HandleObject {
public:
    std::string entryPath;
    int pid = 0;
    uint64_t started = 0;
    uint64_t handle = 0;  // the window's handle in its own program
    std::wstring title;
};

struct Entry {
    int pid = 0;
    uint64_t started = 0;
    uint64_t handle = 0;
    std::wstring className;
    std::wstring title;
};

struct Published {
    std::string folder;               // where this program's entries and socket are
    std::map<HWND, std::string> entries;
    int socket = -1;
    std::string socketPath;
    std::map<std::string, HWND> foreign;  // entry path -> the handle given out for it
};

// Never destroyed: the hosts withdraw the program's windows from an exit handler, which
// may run after the static objects constructed later than its registration are gone
// (as when Xlib ends the process because the display went away).
Published& published()
{
    static Published* instance = new Published;
    return *instance;
}

bool sharing() { return Hosts::current().sharesDesktop(); }

// The start time of a process in clock ticks since boot (field 22 of its stat file): with
// the process number it names one process, even after the number is used again.
bool processStart(int pid, uint64_t& started)
{
    // Opened relative to /proc: qemu's user-mode emulator answers "/proc/<its own pid>/stat"
    // with a start time of its own making (a forked child even gets its parent's), which
    // would make live programs look ended; a relative path reaches the kernel's file.
    char path[32];
    std::snprintf(path, sizeof(path), "%d/stat", pid);
    int proc = open("/proc", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (proc < 0)
        return false;
    int file = openat(proc, path, O_RDONLY | O_CLOEXEC);
    close(proc);
    if (file < 0)
        return false;
    char text[1024];
    ssize_t got = read(file, text, sizeof(text) - 1);
    close(file);
    if (got <= 0)
        return false;
    text[got] = 0;
    // The program's name may hold spaces and parentheses: count fields after the last ')'.
    const char* at = std::strrchr(text, ')');
    if (!at)
        return false;
    ++at;
    for (int field = 3; field < 22; ++field) {
        at = std::strchr(at + 1, ' ');
        if (!at)
            return false;
    }
    char* end = nullptr;
    started = std::strtoull(at + 1, &end, 10);
    return end != at + 1;
}

bool alive(int pid, uint64_t started)
{
    uint64_t now;
    return pid > 0 && processStart(pid, now) && now == started;
}

std::string hexOf(const std::wstring& text)
{
    std::string utf8;
    if (!HostText::toUtf8(text.c_str(), utf8))
        utf8.clear();
    std::string hex;
    static const char digits[] = "0123456789abcdef";
    for (unsigned char c : utf8) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

int hexDigit(char c)
{
    return (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

bool textOf(const std::string& hex, std::wstring& text)
{
    if (hex.size() % 2)
        return false;
    std::string utf8;
    for (size_t i = 0; i < hex.size(); i += 2) {
        int high = hexDigit(hex[i]);
        int low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return false;
        utf8 += static_cast<char>(high * 16 + low);
    }
    text = HostText::fromUtf8(utf8);
    return true;
}

std::string socketPathOf(const std::string& folder, int pid)
{
    return folder + "/process-" + std::to_string(pid) + ".socket";
}

// Entry text: a first line that names the format, then process, start, handle, and the
// class and title as hexadecimal UTF-8, one a line.
std::string entryText(HWND window, uint64_t started, const std::wstring& className, const std::wstring& title)
{
    return "parvolin-window 1\n" + std::to_string(getpid()) + "\n" + std::to_string(started) + "\n" +
           std::to_string(reinterpret_cast<uintptr_t>(window)) + "\n" + hexOf(className) + "\n" + hexOf(title) + "\n";
}

bool readEntry(const std::string& path, Entry& entry)
{
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return false;
    std::string text(largestEntry + 1, '\0');
    size_t got = std::fread(&text[0], 1, text.size(), file);
    std::fclose(file);
    if (got > largestEntry)
        return false;
    text.resize(got);
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            return false;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (lines.size() != 6 || lines[0] != "parvolin-window 1")
        return false;
    char* end = nullptr;
    long pid = std::strtol(lines[1].c_str(), &end, 10);
    if (*end || pid <= 0 || pid > 0x7FFFFFFF)
        return false;
    entry.pid = static_cast<int>(pid);
    entry.started = std::strtoull(lines[2].c_str(), &end, 10);
    if (*end)
        return false;
    entry.handle = std::strtoull(lines[3].c_str(), &end, 10);
    return !*end && textOf(lines[4], entry.className) && textOf(lines[5], entry.title);
}

// Writes the whole entry under a temporary name first, so that readers never see half.
bool writeEntry(const std::string& path, const std::string& text)
{
    std::string temporary = path + ".new";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void listen(Published& state)
{
    if (state.socket >= 0)
        return;
    std::string path = socketPathOf(state.folder, getpid());
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path))
        return;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return;
    }
    state.socket = fd;
    state.socketPath = path;
}

void forgetForeign(const std::string& entryPath)
{
    Published& state = published();
    auto found = state.foreign.find(entryPath);
    if (found != state.foreign.end()) {
        HandleTable::remove(found->second);
        state.foreign.erase(found);
    }
}

// An entry of a process that has gone, and its socket, are removed.
void removeStale(const std::string& entryPath, int pid, const std::string& folder)
{
    ::unlink(entryPath.c_str());
    ::unlink(socketPathOf(folder, pid).c_str());
    forgetForeign(entryPath);
}

bool matches(const std::wstring& text, const wchar_t* wanted) { return !wanted || WindowObjects::sameName(text, wanted); }

HWND handleFor(const std::string& entryPath, const Entry& entry)
{
    Published& state = published();
    auto found = state.foreign.find(entryPath);
    if (found != state.foreign.end()) {
        ForeignWindow* known = HandleTable::find<ForeignWindow>(found->second);
        if (known && known->pid == entry.pid && known->started == entry.started && known->handle == entry.handle)
            return found->second;
        forgetForeign(entryPath);
    }
    auto window = std::make_unique<ForeignWindow>();
    window->entryPath = entryPath;
    window->pid = entry.pid;
    window->started = entry.started;
    window->handle = entry.handle;
    window->title = entry.title;
    HWND handle = static_cast<HWND>(HandleTable::add(std::move(window)));
    state.foreign[entryPath] = handle;
    return handle;
}
} // namespace

namespace DesktopWindows {

std::string folder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string path = (runtime && *runtime) ? std::string(runtime) + "/parvolin"
                                             : "/tmp/parvolin-" + std::to_string(getuid());
    ::mkdir(path.c_str(), 0700);
    // Only a folder of this user's own that nobody else can write: /tmp is shared.
    struct stat facts;
    if (::lstat(path.c_str(), &facts) != 0 || !S_ISDIR(facts.st_mode) || facts.st_uid != getuid() ||
        (facts.st_mode & 0077))
        return std::string();
    return path;
}

void publish(HWND window, const std::wstring& className, const std::wstring& title)
{
    if (!sharing())
        return;
    Published& state = published();
    if (state.folder.empty())
        state.folder = folder();
    uint64_t started;
    if (state.folder.empty() || !processStart(getpid(), started))
        return;
    listen(state);
    char name[64];
    std::snprintf(name, sizeof(name), "%s%d-%llx", entryPrefix, static_cast<int>(getpid()),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
    std::string path = state.folder + "/" + name;
    if (writeEntry(path, entryText(window, started, className, title)))
        state.entries[window] = path;
}

void withdraw(HWND window)
{
    Published& state = published();
    auto found = state.entries.find(window);
    if (found == state.entries.end())
        return;
    ::unlink(found->second.c_str());
    state.entries.erase(found);
}

void withdrawAll()
{
    Published& state = published();
    for (const auto& entry : state.entries)
        ::unlink(entry.second.c_str());
    state.entries.clear();
    if (state.socket >= 0) {
        ::close(state.socket);
        ::unlink(state.socketPath.c_str());
    }
    state.socket = -1;
    state.socketPath.clear();
    // A program that comes back to the desktop looks for its folder again.
    state.folder.clear();
}

HWND find(const wchar_t* className, const wchar_t* title)
{
    if (!sharing())
        return nullptr;
    std::string where = folder();
    if (where.empty())
        return nullptr;
    DIR* listing = ::opendir(where.c_str());
    if (!listing)
        return nullptr;
    std::vector<std::string> names;
    while (dirent* item = ::readdir(listing)) {
        std::string name = item->d_name;
        if (name.compare(0, std::strlen(entryPrefix), entryPrefix) == 0 && name.find('.') == std::string::npos)
            names.push_back(name);
    }
    ::closedir(listing);
    HWND result = nullptr;
    for (const std::string& name : names) {
        std::string path = where + "/" + name;
        Entry entry;
        if (!readEntry(path, entry) || entry.pid == getpid())
            continue;
        if (!alive(entry.pid, entry.started)) {
            removeStale(path, entry.pid, where);
            continue;
        }
        if (!result && matches(entry.className, className) && matches(entry.title, title))
            result = handleFor(path, entry);
    }
    return result;
}

bool requestForeground(HWND window)
{
    ForeignWindow* foreign = HandleTable::find<ForeignWindow>(window);
    if (!foreign)
        return false;
    std::string where = folder();
    if (where.empty())
        return false;
    if (!alive(foreign->pid, foreign->started)) {
        removeStale(foreign->entryPath, foreign->pid, where);
        return false;
    }
    std::string path = socketPathOf(where, foreign->pid);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    std::string request = requestWord + std::to_string(foreign->handle);
    ssize_t sent = ::sendto(fd, request.data(), request.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&address),
                            sizeof(address));
    ::close(fd);
    if (sent != static_cast<ssize_t>(request.size()))
        return false;
    // The person started the program again; say where it went.
    std::string title;
    if (!HostText::toUtf8(foreign->title.c_str(), title) || title.empty())
        title = "the program";
    std::fprintf(stderr, "Parvolin: %s is already running (process %d); its window was brought forward\n",
                 title.c_str(), foreign->pid);
    return true;
}

unsigned takeRequests()
{
    Published& state = published();
    unsigned requests = 0;
    if (state.socket < 0)
        return requests;
    char request[128];
    ssize_t got;
    while ((got = ::recv(state.socket, request, sizeof(request) - 1, MSG_DONTWAIT)) > 0) {
        request[got] = 0;
        if (std::strncmp(request, requestWord, std::strlen(requestWord)) != 0)
            continue;
        char* end = nullptr;
        uint64_t handle = std::strtoull(request + std::strlen(requestWord), &end, 10);
        HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
        if (*end || state.entries.find(window) == state.entries.end())
            continue;
        ++requests;
    }
    return requests;
}

} // namespace DesktopWindows
