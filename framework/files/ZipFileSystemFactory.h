#ifndef PARVOLIN_ZIP_FILE_SYSTEM_FACTORY_H
#define PARVOLIN_ZIP_FILE_SYSTEM_FACTORY_H

#include "files/FileSystemFactory.h"

// Serves the scheme "zip": "zip:<archive path>" gives the archive's root folder. The
// archive is a file of the local file system (relative paths lie in the application
// folder).
class ZipFileSystemFactory : public FileSystemFactory {
public:
    // `localFileSystem` stays the caller's and must outlive the factory.
    explicit ZipFileSystemFactory(FileSystem* localFileSystem);

    // Archives come through resolveFile; there is no file system to hand out.
    FileSystem* getFileSystem(FileInternal* archive) override;
    // The root of a new ZipFileSystem over the archive, which lives as long as the root
    // and the members reached from it. Null when the archive is missing or unreadable.
    FileInternal* resolveFile(const wchar_t* uri) override;
    // Null for any scheme but "zip".
    FilePath* parse(const wchar_t* uri) override;

private:
    FileSystem* localFileSystem;
};

#endif
