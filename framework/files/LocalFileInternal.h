#ifndef PARVOLIN_LOCAL_FILE_INTERNAL_H
#define PARVOLIN_LOCAL_FILE_INTERNAL_H

#include "files/FileInternal.h"
#include "platform/system/Files.h"

#include <cstdint>

class FilePath;
class LocalFileSystem;

// A file or folder of the device's storage. Its attributes are read when it is made and
// again after each operation that changes the path (a creating open, createFile,
// createFolder, deleteFile, deleteFolder), so they describe the path as it was then.
class LocalFileInternal : public FileInternal {
public:
    // Takes `path`.
    LocalFileInternal(LocalFileSystem* fileSystem, FilePath* path);
    // Open handles are closed: nothing on the device stays in use without an owner.
    ~LocalFileInternal() override;
    LocalFileInternal(const LocalFileInternal&) = delete;
    LocalFileInternal& operator=(const LocalFileInternal&) = delete;

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
    long open(unsigned char mode) override;
    long open() override;
    long read(void* buffer, unsigned long count) override;
    long write(const wchar_t* text) override;
    long write(const void* buffer, unsigned long count) override;
    long seek(long position) override;
    long seek(long offset, unsigned char origin) override;
    long tell() override;
    FileInternal* getNextChild(unsigned char* error) override;
    long close() override;
    long createFile(unsigned char mode) override;
    // Creates the file when it is missing and leaves an existing one alone.
    long createFile() override;
    long createFolder() override;
    long deleteFile() override;
    long deleteFolder() override;
    FileInternal* resolveFile(const wchar_t* path) override;

private:
    bool has(DWORD attribute) const;
    void readAttributes();
    long openListing();
    long createParentFolders();
    void advance(DWORD bytes);

    unsigned char mode;
    int32_t position;
    DWORD attributes;
    LocalFileSystem* fileSystem;
    const wchar_t* name;
    FilePath* path;
    HANDLE fileHandle;
    HANDLE findHandle;
    wchar_t* pattern;
    // The entry the find-first call gave, still to be handed out by getNextChild.
    WIN32_FIND_DATAW firstEntry;
    bool firstEntryPending;
    // A folder listing is open; an empty folder has one without a find handle.
    bool listing;
};

#endif
