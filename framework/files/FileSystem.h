#ifndef PARVOLIN_FILE_SYSTEM_H
#define PARVOLIN_FILE_SYSTEM_H

class FileInternal;
class FilePath;

// One storage the files live in: the device's own, or the contents of an archive.
class FileSystem {
public:
    virtual ~FileSystem();

    // Makes the file system usable and returns its root (the caller's), null on failure.
    virtual FileInternal* open() = 0;
    virtual long close() = 0;
    // The file this file system lives in; null for the device's own storage.
    virtual FileInternal* getArchiveFile() = 0;
    // A new object for the root folder (the caller's).
    virtual FileInternal* getRoot() = 0;
    virtual const wchar_t* getName() = 0;
    virtual const wchar_t* getScheme() = 0;
    // A new object for a path inside this file system, or null.
    virtual FileInternal* resolveFile(const wchar_t* path) = 0;
    // The same from a parsed path, which passes to the new object (or is destroyed).
    virtual FileInternal* resolveFile(FilePath* path) = 0;
    virtual bool equals(FileSystem* other) = 0;
};

#endif
