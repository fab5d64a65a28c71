#ifndef PARVOLIN_LOCAL_FILE_SYSTEM_H
#define PARVOLIN_LOCAL_FILE_SYSTEM_H

#include "files/FileSystem.h"

// The device's own storage, through the platform's file services. Relative texts are
// taken inside the application folder.
class LocalFileSystem : public FileSystem {
public:
    static const wchar_t scheme[];

    FileInternal* open() override;
    long close() override;
    FileInternal* getArchiveFile() override;
    FileInternal* getRoot() override;
    const wchar_t* getName() override;
    const wchar_t* getScheme() override;
    FileInternal* resolveFile(const wchar_t* path) override;
    FileInternal* resolveFile(FilePath* path) override;
    bool equals(FileSystem* other) override;
};

#endif
