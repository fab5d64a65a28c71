#ifndef PARVOLIN_ZIP_FILE_INTERNAL_H
#define PARVOLIN_ZIP_FILE_INTERNAL_H

#include "files/FileInternal.h"
#include "files/ZipInflater.h"
#include "files/ZipRecords.h"

#include <cstdint>

class FilePath;
class ZipFileSystem;

// A member of a ZIP archive, or one of its root folders. Stored members are read straight
// from the archive; deflated ones are inflated as they are read, a block at a time, so a
// member of any size takes the same small memory. A read that reaches a member's end
// checks its CRC-32: bytes that do not match are a read error (-1), however often they are
// read. Nothing can be written, created or deleted. Each member keeps its file system alive.

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
    // archive), 43 (the data does not inflate to at most the declared size), 4. A deflated
    // member is inflated once here, into nothing, to check that its stream is whole.
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
    // Bytes of the member from the current position, without moving it for the caller.
    long fetch(unsigned char* target, unsigned long count);
    long fetchInflated(unsigned char* target, unsigned long count);
    // Whether the member's bytes match its CRC-32; worked out once.
    bool checksumMatches();
    uint32_t length() const;
    uint32_t position() const;

    enum class Checksum : unsigned char { Unknown, Matches, Differs };

    ZipFileSystem* fileSystem;
    ZipEntry* entry;
    ZipLocalHeader localHeader;
    FilePath* path;
    unsigned long nextListed;
    bool opened;
    uint64_t dataStart;
    uint64_t current;
    uint64_t dataEnd;
    ZipInflater inflater;
    unsigned long filled;           // a deflated member's length, found by open
    unsigned long readPosition;     // a deflated member's position
    unsigned long inflatedPosition; // how far the inflater has got
    // The CRC-32 of the bytes from the first one up to `checkedUpTo`, while reading goes
    // straight on; a reader that skips about has it worked out again at the end.
    unsigned long checkedUpTo;
    uint32_t runningCrc;
    Checksum checksum;
};

#endif
