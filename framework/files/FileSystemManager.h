#ifndef PARVOLIN_FILE_SYSTEM_MANAGER_H
#define PARVOLIN_FILE_SYSTEM_MANAGER_H

/// \file
/// FileSystemManager, which turns path texts into bound Files.
/// \ingroup files

#include <Parvolin/Export.h>

class File;
class FileInternal;
class FileSystem;
class NameTable;

/// \addtogroup files
/// @{

/// Turns path texts into bound Files. "file:/x" names /x on the device's storage;
/// "zip:a.zip" the root folder of that archive (relative to the program's folder), whose
/// members are reached with File::resolveFile; a path without a scheme is always taken
/// inside the program's folder, even when it starts with '/'; an unknown scheme is part
/// of a local file name there. Files it binds must not outlive it.
///
/// Reading a member of an archive:
/// \code
/// FileSystemManager files;
/// File archive, level;
/// if (files.resolveFile(&archive, L"zip:data.zip") == ResultCode::Ok &&
///     archive.resolveFile(&level, L"levels/1.txt") == ResultCode::Ok &&
///     level.open(FileMode::Read) == ResultCode::Ok) {
///     char bytes[64];
///     long got = level.read(bytes, sizeof bytes);
///     level.close();
/// }
/// \endcode
class PARVOLIN_API FileSystemManager {
public:
    /// A manager with the local storage and ZIP archives.
    FileSystemManager();
    /// Releases the manager's file systems: the Files it bound must be gone first.
    virtual ~FileSystemManager();
    FileSystemManager(const FileSystemManager&) = delete;             ///< Not copyable.
    FileSystemManager& operator=(const FileSystemManager&) = delete;  ///< Not copyable.

    /// Binds `file` to `path`. 0, or (all ResultCode::) WrongPathFormat (no path, or
    /// nothing left of it), NullParameter (no file), OutOfMemory, CannotResolveFile
    /// (nothing found for a scheme), NoBaseFile (no base folder) or File::resolveFile's
    /// codes. `file` is unbound first. A local path that names nothing yet is bound all
    /// the same (File::exists says so), so that files can be created there.
    long resolveFile(File* file, const wchar_t* path);

protected:
    /// Unknown schemes are then served by `fileSystem` (the manager's from now on).
    void setLocalFileSystem(FileSystem* fileSystem);
    /// Paths without a scheme are then taken inside `base` (the manager's from now on).
    void setBaseFile(FileInternal* base);
    /// The folder paths without a scheme are taken inside; null before the first use.
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

/// @}

#endif
