#include "platform/system/Files.h"

#include "platform/system/FileObjects.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MappingObject::MappingObject(int descriptor, uint64_t size, std::shared_ptr<HostFiles::OpenRecord> record)
    : descriptor(descriptor), size(size), record(std::move(record))
{
}

MappingObject::~MappingObject() { close(descriptor); }

namespace {
constexpr uint64_t allocationGranularity = 0x10000;

struct View {
    size_t length;
    // Keeps the file in use, so that nobody truncates it under a live view.
    std::shared_ptr<HostFiles::OpenRecord> record;
};

std::map<const void*, View>& views()
{
    static std::map<const void*, View> live;
    return live;
}

HANDLE failMapping(DWORD error)
{
    SetLastError(error);
    return nullptr;
}
} // namespace

HANDLE CreateFileMappingW(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCWSTR name)
{
    FileObject* source = HandleTable::find<FileObject>(file);
    if (!source)
        return failMapping(ERROR_INVALID_HANDLE);
    if (protect != PAGE_READONLY || name)
        return failMapping(ERROR_INVALID_PARAMETER);
    if (!(source->access & GENERIC_READ))
        return failMapping(ERROR_ACCESS_DENIED);
    struct stat status;
    if (fstat(source->descriptor, &status) != 0)
        return failMapping(HostFiles::errorFromErrno(errno, std::string()));
    uint64_t fileSize = static_cast<uint64_t>(status.st_size);
    uint64_t size = (static_cast<uint64_t>(maximumSizeHigh) << 32) | maximumSizeLow;
    if (size == 0)
        size = fileSize;
    // A read-only mapping cannot grow the file.
    if (size == 0)
        return failMapping(ERROR_FILE_INVALID);
    if (size > fileSize)
        return failMapping(ERROR_INVALID_PARAMETER);
    int descriptor = fcntl(source->descriptor, F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0)
        return failMapping(HostFiles::errorFromErrno(errno, std::string()));
    return HandleTable::add(std::make_unique<MappingObject>(descriptor, size, source->record));
}

void* MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD offsetHigh, DWORD offsetLow, DWORD bytesToMap)
{
    MappingObject* source = HandleTable::find<MappingObject>(mapping);
    if (!source)
        return failMapping(ERROR_INVALID_HANDLE);
    if (desiredAccess != FILE_MAP_READ)
        return failMapping(ERROR_ACCESS_DENIED);
    uint64_t offset = (static_cast<uint64_t>(offsetHigh) << 32) | offsetLow;
    if (offset % allocationGranularity)
        return failMapping(ERROR_MAPPED_ALIGNMENT);
    if (offset >= source->size || bytesToMap > source->size - offset)
        return failMapping(ERROR_INVALID_PARAMETER);
    size_t length = bytesToMap ? bytesToMap : static_cast<size_t>(source->size - offset);
    void* address = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, source->descriptor, static_cast<off_t>(offset));
    if (address == MAP_FAILED)
        return failMapping(errno == ENOMEM ? ERROR_NOT_ENOUGH_MEMORY : HostFiles::errorFromErrno(errno, std::string()));
    views().emplace(address, View{length, source->record});
    return address;
}

BOOL UnmapViewOfFile(const void* baseAddress)
{
    auto found = views().find(baseAddress);
    if (found == views().end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    munmap(const_cast<void*>(baseAddress), found->second.length);
    views().erase(found);
    return TRUE;
}
