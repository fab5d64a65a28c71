#ifndef PARVOLIN_ZIP_FILE_INTERNAL_H
#define PARVOLIN_ZIP_FILE_INTERNAL_H

#include "files/FileInternal.h"
#include "files/ZipRecords.h"

#include <cstdint>

class FilePath;
class ZipFileSystem;

// A member of a ZIP archive, or one of its root folders. Stored members are read straight
// from the archive; deflated ones are inflated whole by open and served from memory.
// Nothing can be written, created or deleted. Each member keeps its file system alive.
class ZipFileInternal : public FileInternal {
public:
    // Null when out of memory.
    static ZipFileInternal* create(ZipFileSystem* fileSystem, ZipEntry* entry);
    ~ZipFileInternal() override;
    ZipFileInternal(const ZipFileInternal&) = delete;
    ZipFileInternal& operator=(const ZipFileInternal&) = delete;

    FileSystem* getFileSystem() override;
    bool exists() override;
    bool isHidden() override;
    bool isReadable() override;
    bool isWriteable() override;
    bool isSystemFile() override;
    bool isFolder() override;
    bool isFile() override;
    bool isRoot() override;
    bool isOpen() override;
    bool equals(FileInternal* other) override;
    const wchar_t* getName() override;
    const wchar_t* getPath() override;
    FileInternal* getParent() override;
    unsigned long getSize() override;
    const wchar_t* getScheme() override;
    // Folders start their listing again; members are made ready to read from their first
    // byte: 0, 44 (neither stored nor deflated), 41 (the local header does not fit the
    // archive), 43 (the data does not inflate to at most the declared size), 4.
    long open(unsigned char mode) override;
    long open() override;
    long read(void* buffer, unsigned long count) override;
    long write(const wchar_t* text) override;
    long write(const void* buffer, unsigned long count) override;
    long seek(long position) override;
    // Positions stay within the member: 0, or 21 (a folder), 29 (not open), 40.
    long seek(long offset, unsigned char origin) override;
    long tell() override;
    FileInternal* getNextChild(unsigned char* error) override;
    long close() override;
    long createFile(unsigned char mode) override;
    long createFile() override;
    long createFolder() override;
    long deleteFile() override;
    long deleteFolder() override;
    FileInternal* resolveFile(const wchar_t* path) override;

private:
    ZipFileInternal(ZipFileSystem* fileSystem, ZipEntry* entry, FilePath* path);

    bool isListed(const ZipEntry& candidate) const;
    bool isDeflated() const { return entry->method == ZipRecords::deflated; }
    long openMember();
    long inflateMember();
    uint32_t length() const;
    uint32_t position() const;

    ZipFileSystem* fileSystem;
    ZipEntry* entry;
    ZipLocalHeader localHeader;
    FilePath* path;
    unsigned long nextListed;
    bool opened;
    uint64_t dataStart;
    uint64_t current;
    uint64_t dataEnd;
    unsigned char* buffer;
    unsigned long filled;
    unsigned long readPosition;
};

#endif
