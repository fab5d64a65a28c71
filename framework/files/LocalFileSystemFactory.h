#ifndef PARVOLIN_LOCAL_FILE_SYSTEM_FACTORY_H
#define PARVOLIN_LOCAL_FILE_SYSTEM_FACTORY_H

#include "files/FileSystemFactory.h"
#include "files/LocalFileSystem.h"

// Serves the scheme "file". It holds the one LocalFileSystem that it hands out, which
// lives as long as the factory.
class LocalFileSystemFactory : public FileSystemFactory {
public:
    FileSystem* getFileSystem(FileInternal* archive) override;
    FileInternal* resolveFile(const wchar_t* uri) override;
    // The path after the scheme, with the scheme as given ("file" when there is none).
    FilePath* parse(const wchar_t* uri) override;

private:
    LocalFileSystem fileSystem;
};

#endif
