#ifndef PARVOLIN_ZIP_FILE_SYSTEM_H
#define PARVOLIN_ZIP_FILE_SYSTEM_H

#include "files/FileSystem.h"
#include "files/ZipRecords.h"

class NameTable;

// The members of a ZIP archive on local storage, read only. The archive's directory is
// read once, by open; members are found by their names from the archive's top.
//
// Shared: whoever makes one holds a reference and gives it up with release(); each
// ZipFileInternal holds another. The last release destroys the file system, so it lives
// exactly as long as its last member.
class ZipFileSystem : public FileSystem {
public:
    static const wchar_t scheme[];

    // Takes `archive`, a file of the local file system.
    explicit ZipFileSystem(FileInternal* archive);
    ZipFileSystem(const ZipFileSystem&) = delete;
    ZipFileSystem& operator=(const ZipFileSystem&) = delete;

    void retain();
    void release();

    // The root folder of the archive's contents: its path is the shallowest folder that
    // holds a member two or more levels down. Null on any failure (see readDirectory).
    FileInternal* open() override;
    // Closes the archive file. The directory stays while members use it.
    long close() override;
    FileInternal* getArchiveFile() override;
    // The folder "/" of the archive.
    FileInternal* getRoot() override;
    const wchar_t* getName() override;
    const wchar_t* getScheme() override;
    // A member by its path from the archive's top (a leading '/' or none), or null.
    FileInternal* resolveFile(const wchar_t* path) override;
    FileInternal* resolveFile(FilePath* path) override;
    bool equals(FileSystem* other) override;

    // Opens the archive for reading and reads its directory: 0, or 24 (the archive does
    // not open), 41 (no end record, a directory that does not fit the archive or does not
    // parse), 42 (split over several disks), 4.
    long readDirectory();

    // For the members.
    unsigned long getEntryCount() const { return entryCount; }
    ZipEntry* getEntry(unsigned long index) { return &entries[index]; }
    ZipEntry* getDirectoryRoot() { return &directoryRoot; }
    // A new member on `entry`, null when out of memory.
    FileInternal* newMember(ZipEntry* entry);

protected:
    // Only release() destroys it.
    ~ZipFileSystem() override;

private:
    long locateEndRecord(unsigned long archiveSize, unsigned long* endOffset, ZipEndRecord* record);
    long readEntries(const unsigned char* directory, unsigned long length, unsigned long count);

    FileInternal* archive;
    ZipEntry topRoot;
    ZipEntry directoryRoot;
    unsigned long entryCount;
    NameTable* index;
    ZipEntry* entries;
    long references;
};

#endif
