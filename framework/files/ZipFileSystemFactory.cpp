#include "files/ZipFileSystemFactory.h"

#include "files/FileInternal.h"
#include "files/FilePath.h"
#include "files/PathSyntax.h"
#include "files/ZipFileSystem.h"

#include <cwchar>
#include <new>

ZipFileSystemFactory::ZipFileSystemFactory(FileSystem* localFileSystem) : localFileSystem(localFileSystem) {}

FileSystem* ZipFileSystemFactory::getFileSystem(FileInternal*) { return nullptr; }

FileInternal* ZipFileSystemFactory::resolveFile(const wchar_t* uri)
{
    FilePath* path = parse(uri);
    if (!path || !localFileSystem) {
        delete path;
        return nullptr;
    }
    FileInternal* archive = localFileSystem->resolveFile(path->getPath());
    delete path;
    if (!archive || !archive->isFile()) {
        delete archive;
        return nullptr;
    }
    ZipFileSystem* fileSystem = new (std::nothrow) ZipFileSystem(archive);
    if (!fileSystem) {
        delete archive;
        return nullptr;
    }
    FileInternal* root = fileSystem->open();
    // From here on the root (if any) keeps the file system alive.
    fileSystem->release();
    return root;
}

FilePath* ZipFileSystemFactory::parse(const wchar_t* uri)
{
    PathSyntax::SchemeSplit split(uri);
    if (!split.isValid() || std::wcscmp(split.scheme, ZipFileSystem::scheme) != 0)
        return nullptr;
    return FilePath::create(ZipFileSystem::scheme, split.rest);
}
