#include "files/LocalFileSystemFactory.h"

#include "files/FilePath.h"
#include "files/PathSyntax.h"

FileSystem* LocalFileSystemFactory::getFileSystem(FileInternal*) { return &fileSystem; }

FileInternal* LocalFileSystemFactory::resolveFile(const wchar_t* uri) { return fileSystem.resolveFile(parse(uri)); }

FilePath* LocalFileSystemFactory::parse(const wchar_t* uri)
{
    PathSyntax::SchemeSplit split(uri);
    if (!split.isValid())
        return nullptr;
    return FilePath::create(split.scheme[0] ? split.scheme : LocalFileSystem::scheme, split.rest);
}
