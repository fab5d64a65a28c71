#ifndef PARVOLIN_FILE_OBJECTS_H
#define PARVOLIN_FILE_OBJECTS_H

#include "platform/base/HandleTable.h"
#include "platform/system/HostFiles.h"

#include <cstdint>
#include <memory>

// An open file behind a file handle: the host descriptor, the access the handle was
// opened with (checked by every read and write) and its share of the file's use.
class FileObject : public HandleObject {
public:
    FileObject(int descriptor, DWORD access, std::shared_ptr<HostFiles::OpenRecord> record);
    ~FileObject() override;

    const int descriptor;
    const DWORD access;
    const std::shared_ptr<HostFiles::OpenRecord> record;
};

// A read-only mapping of a file: its own descriptor (the file handle may be closed first)
// and the file's use, which its views keep alive too.
class MappingObject : public HandleObject {
public:
    MappingObject(int descriptor, uint64_t size, std::shared_ptr<HostFiles::OpenRecord> record);
    ~MappingObject() override;

    const int descriptor;
    const uint64_t size;
    const std::shared_ptr<HostFiles::OpenRecord> record;
};

#endif
