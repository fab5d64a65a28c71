#ifndef PARVOLIN_FILE_SYSTEM_MANAGER_H
#define PARVOLIN_FILE_SYSTEM_MANAGER_H

#include <Parvolin/Export.h>

class File;
class FileInternal;
class FileSystem;
class NameTable;

// Turns path texts into bound Files. "file:/x" names /x on the device's storage;
// "zip:a.zip" the root folder of that archive (relative to the application folder), whose
// members are reached with File::resolveFile; a path without a scheme is always taken
// inside the application folder, even when it starts with '/'; an unknown scheme is part
// of a local file name there. Files it binds must not outlive it.
class PARVOLIN_API FileSystemManager {
public:
    FileSystemManager();
    virtual ~FileSystemManager();
    FileSystemManager(const FileSystemManager&) = delete;
    FileSystemManager& operator=(const FileSystemManager&) = delete;

    // 0, or (all ResultCode::) WrongPathFormat (no path, or nothing left of it),
    // NullParameter (no file), OutOfMemory, CannotResolveFile (nothing found for a scheme),
    // NoBaseFile (no base folder) or File::resolveFile's codes. `file` is unbound first.
    long resolveFile(File* file, const wchar_t* path);

protected:
    // Unknown schemes are then served by `fileSystem` (the manager's from now on).
    void setLocalFileSystem(FileSystem* fileSystem);
    // Paths without a scheme are then taken inside `base` (the manager's from now on).
    void setBaseFile(FileInternal* base);
    FileInternal* getBaseFile();

private:
    // Makes the scheme table, the factories and the base file that are still missing.
    void setUp();
    long resolveFile(File* file, File* base, const wchar_t* path);
    FileSystem* factoryFileSystem() const;

    NameTable* schemes;
    FileSystem* localFileSystem;
    FileInternal* baseInternal;
    File* baseFile;
};

#endif
