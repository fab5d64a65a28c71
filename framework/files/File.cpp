#include "files/File.h"

#include "core/ResultCodes.h"
#include "files/FileInternal.h"

File::File() : internal(nullptr), endReached(false) {}

File::~File() { delete internal; }

void File::setInternalFile(FileInternal* file)
{
    delete internal;
    internal = file;
}

FileInternal* File::getInternalFile() { return internal; }

bool File::exists() { return internal && internal->exists(); }
bool File::isHidden() { return internal && internal->isHidden(); }
bool File::isReadable() { return internal && internal->isReadable(); }
bool File::isWriteable() { return internal && internal->isWriteable(); }
bool File::isSystemFile() { return internal && internal->isSystemFile(); }
bool File::isFolder() { return internal && internal->isFolder(); }
bool File::isFile() { return internal && internal->isFile(); }
bool File::isRoot() { return internal && internal->isRoot(); }
bool File::isOpen() { return internal && internal->isOpen(); }

bool File::equals(File* other)
{
    return internal && other && other->internal && internal->equals(other->internal);
}

const wchar_t* File::getName() { return internal ? internal->getName() : nullptr; }
const wchar_t* File::getPath() { return internal ? internal->getPath() : nullptr; }
const wchar_t* File::getScheme() { return internal ? internal->getScheme() : nullptr; }
unsigned long File::getSize() { return internal ? internal->getSize() : 0; }
long File::tell() { return internal ? internal->tell() : -1; }
bool File::eof() { return endReached; }

long File::open() { return internal ? internal->open() : ResultCode::FileNotInitialized; }
long File::open(unsigned char mode) { return internal ? internal->open(mode) : ResultCode::FileNotInitialized; }
long File::close() { return internal ? internal->close() : ResultCode::FileNotInitialized; }
long File::createFile() { return internal ? internal->createFile() : ResultCode::FileNotInitialized; }

long File::createFile(unsigned char mode)
{
    return internal ? internal->createFile(mode) : ResultCode::FileNotInitialized;
}

long File::createFolder() { return internal ? internal->createFolder() : ResultCode::FileNotInitialized; }
long File::deleteFile() { return internal ? internal->deleteFile() : ResultCode::FileNotInitialized; }
long File::deleteFolder() { return internal ? internal->deleteFolder() : ResultCode::FileNotInitialized; }
long File::deleteAny() { return internal ? internal->deleteAny() : ResultCode::FileNotInitialized; }

long File::seek(long offset, unsigned char origin)
{
    return internal ? internal->seek(offset, origin) : ResultCode::FileNotInitialized;
}

long File::seek(long position) { return internal ? internal->seek(position) : ResultCode::FileNotInitialized; }

long File::read(void* buffer, unsigned long count)
{
    if (!internal || !buffer)
        return -1;
    long got = internal->read(buffer, count);
    // A failure (-1) counts as reaching the end too.
    endReached = got < 0 || static_cast<unsigned long>(got) < count;
    return got;
}

long File::readLine(wchar_t* buffer, unsigned long max)
{
    if (!internal || !buffer)
        return -1;
    unsigned long stored = 0;
    long got = 0;
    // A limit of 0 leaves room for nothing: nothing is read.
    while (stored < max) {
        unsigned char byte;
        got = internal->read(&byte, 1);
        if (got < 0)
            return -1;
        if (got == 0 || byte == '\n')
            break;
        if (byte != '\r')
            buffer[stored++] = static_cast<wchar_t>(byte);
    }
    buffer[stored] = 0;
    if (max > 0)
        endReached = got == 0;
    return static_cast<long>(stored);
}

long File::write(const void* buffer, unsigned long count)
{
    if (!internal || !buffer)
        return -1;
    return internal->write(buffer, count);
}

long File::write(const wchar_t* text)
{
    if (!internal)
        return -1;
    return internal->write(text ? text : L"NULL");
}

long File::bind(File* target, FileInternal* found, long missing)
{
    if (!found)
        return missing;
    target->setInternalFile(found);
    return ResultCode::Ok;
}

long File::getParent(File* parent)
{
    if (!internal)
        return ResultCode::FileNotInitialized;
    if (!parent)
        return ResultCode::NullParameter;
    return bind(parent, internal->getParent(), ResultCode::ParentOpenError);
}

long File::getChild(File* child, const wchar_t* name)
{
    if (!internal)
        return ResultCode::FileNotInitialized;
    if (!child || !name)
        return ResultCode::NullParameter;
    return bind(child, internal->getChild(name), ResultCode::NoMoreChildren);
}

long File::resolveFile(File* target, const wchar_t* path)
{
    if (!internal)
        return ResultCode::FileNotInitialized;
    if (!target || !path)
        return ResultCode::NullParameter;
    return bind(target, internal->resolveFile(path), ResultCode::ResolveError);
}

long File::getNextChild(File* child)
{
    if (!internal)
        return ResultCode::FileNotInitialized;
    if (!child)
        return ResultCode::NullParameter;
    unsigned char error = 0;
    FileInternal* found = internal->getNextChild(&error);
    return bind(child, found, error ? static_cast<long>(error) : static_cast<long>(ResultCode::NoMoreChildren));
}
