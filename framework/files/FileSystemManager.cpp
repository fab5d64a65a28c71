#include "files/FileSystemManager.h"

#include "core/Device.h"
#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FilePath.h"
#include "files/LocalFileInternal.h"
#include "files/LocalFileSystemFactory.h"
#include "files/NameTable.h"
#include "files/PathSyntax.h"
#include "files/ZipFileSystem.h"
#include "files/ZipFileSystemFactory.h"

#include <new>

namespace {
const wchar_t* const registeredSchemes[] = {LocalFileSystem::scheme, ZipFileSystem::scheme};
} // namespace

FileSystemManager::FileSystemManager()
    : schemes(nullptr), localFileSystem(nullptr), baseInternal(nullptr), baseFile(nullptr)
{
    setUp();
}

void FileSystemManager::setUp()
{
    // Whatever memory refused at construction is made again by the next resolution, so a
    // manager made while memory ran short works once memory is back.
    if (!schemes)
        schemes = new (std::nothrow) NameTable();
    if (!schemes)
        return;
    if (!schemes->get(LocalFileSystem::scheme)) {
        LocalFileSystemFactory* local = new (std::nothrow) LocalFileSystemFactory();
        if (!local || !schemes->put(LocalFileSystem::scheme, local)) {
            delete local;
            return;
        }
        if (!localFileSystem)
            localFileSystem = local->getFileSystem(nullptr);
    }
    if (!schemes->get(ZipFileSystem::scheme)) {
        ZipFileSystemFactory* zip = new (std::nothrow) ZipFileSystemFactory(factoryFileSystem());
        if (!zip || !schemes->put(ZipFileSystem::scheme, zip)) {
            delete zip;
            return;
        }
    }
    if (baseFile)
        return;
    // The application folder: the parent of "<folder>/.".
    wchar_t here[MAX_PATH] = {};
    if (Device* device = Device::getInstance())
        device->getAbsolutePath(L".", here, MAX_PATH);
    FilePath* dot = FilePath::create(LocalFileSystem::scheme, here);
    FileInternal* base = dot && localFileSystem ? localFileSystem->resolveFile(dot->getParent()) : nullptr;
    delete dot;
    if (!base)
        return;
    baseFile = new (std::nothrow) File();
    if (baseFile)
        setBaseFile(base);
    else
        delete base;
}

FileSystemManager::~FileSystemManager()
{
    delete baseFile;
    if (localFileSystem != factoryFileSystem())
        delete localFileSystem;
    // The table never owns its values: the factories it holds are the manager's.
    if (schemes)
        for (const wchar_t* scheme : registeredSchemes)
            delete static_cast<FileSystemFactory*>(schemes->get(scheme));
    delete schemes;
}

FileSystem* FileSystemManager::factoryFileSystem() const
{
    auto* local = schemes ? static_cast<FileSystemFactory*>(schemes->get(LocalFileSystem::scheme)) : nullptr;
    return local ? local->getFileSystem(nullptr) : nullptr;
}

void FileSystemManager::setLocalFileSystem(FileSystem* fileSystem)
{
    // The local factory's own file system stays with the factory, which still serves
    // "file:" and the archives.
    if (localFileSystem != factoryFileSystem())
        delete localFileSystem;
    localFileSystem = fileSystem;
}

void FileSystemManager::setBaseFile(FileInternal* base)
{
    if (!baseFile) {
        delete base;
        return;
    }
    baseFile->setInternalFile(base);
    baseInternal = base;
}

FileInternal* FileSystemManager::getBaseFile() { return baseInternal; }

long FileSystemManager::resolveFile(File* file, const wchar_t* path) { return resolveFile(file, baseFile, path); }

long FileSystemManager::resolveFile(File* file, File* base, const wchar_t* path)
{
    if (!path)
        return ResultCode::WrongPathFormat;
    if (!file)
        return ResultCode::NullParameter;
    setUp();
    file->setInternalFile(nullptr);
    PathSyntax::SchemeSplit split(path);
    if (!split.isValid())
        return ResultCode::OutOfMemory;
    PathSyntax::toForwardSlashes(split.rest);
    if (!PathSyntax::normalise(split.rest))
        return ResultCode::WrongPathFormat;

    if (!split.scheme[0]) {
        if (!base || !base->getInternalFile())
            return ResultCode::NoBaseFile;
        return base->resolveFile(file, split.rest);
    }
    auto* factory = schemes ? static_cast<FileSystemFactory*>(schemes->get(split.scheme)) : nullptr;
    FileInternal* found = nullptr;
    if (factory)
        found = factory->resolveFile(path);
    else if (localFileSystem)
        found = localFileSystem->resolveFile(path);
    if (!found)
        return ResultCode::CannotResolveFile;
    file->setInternalFile(found);
    return ResultCode::Ok;
}
