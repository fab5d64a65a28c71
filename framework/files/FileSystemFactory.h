#ifndef PARVOLIN_FILE_SYSTEM_FACTORY_H
#define PARVOLIN_FILE_SYSTEM_FACTORY_H

class FileInternal;
class FilePath;
class FileSystem;

// Makes the file systems of one scheme; registered in the manager under that scheme.
class FileSystemFactory {
public:
    virtual ~FileSystemFactory();

    // The file system this factory serves, for the archive file when it needs one.
    virtual FileSystem* getFileSystem(FileInternal* archive) = 0;
    // A new object for a whole path text with its scheme, or null.
    virtual FileInternal* resolveFile(const wchar_t* uri) = 0;
    // The path text parsed for this scheme (the caller's), or null.
    virtual FilePath* parse(const wchar_t* uri) = 0;
};

#endif
