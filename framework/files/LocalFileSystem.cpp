#include "files/LocalFileSystem.h"

#include "files/FilePath.h"
#include "files/LocalFileInternal.h"

#include <cwchar>
#include <new>

const wchar_t LocalFileSystem::scheme[] = L"file";

FileInternal* LocalFileSystem::open() { return getRoot(); }

long LocalFileSystem::close() { return 0; }

FileInternal* LocalFileSystem::getArchiveFile() { return nullptr; }

FileInternal* LocalFileSystem::getRoot() { return resolveFile(L"/"); }

const wchar_t* LocalFileSystem::getName() { return L"/"; }

const wchar_t* LocalFileSystem::getScheme() { return scheme; }

FileInternal* LocalFileSystem::resolveFile(const wchar_t* path)
{
    return path ? resolveFile(FilePath::create(scheme, path)) : nullptr;
}

FileInternal* LocalFileSystem::resolveFile(FilePath* path)
{
    if (!path)
        return nullptr;
    FileInternal* file = new (std::nothrow) LocalFileInternal(this, path);
    if (!file)
        delete path;
    return file;
}

bool LocalFileSystem::equals(FileSystem* other)
{
    return other && std::wcscmp(other->getScheme(), scheme) == 0 && std::wcscmp(other->getName(), getName()) == 0;
}
