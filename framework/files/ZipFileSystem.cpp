#include "files/ZipFileSystem.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileInternal.h"
#include "files/FilePath.h"
#include "files/NameTable.h"
#include "files/PathSyntax.h"
#include "files/ZipFileInternal.h"

#include <cstring>
#include <cwchar>
#include <new>

using namespace ZipRecords;

const wchar_t ZipFileSystem::scheme[] = L"zip";

namespace {
// A depth no member reaches, for the search of the shallowest folder.
constexpr unsigned long noDepth = 1000;

// The index key of a path from the archive's top: normalised, without a leading '/'.
// Null for a path that is empty once normalised.
wchar_t* keyOf(const wchar_t* path)
{
    wchar_t* key = PathSyntax::joinTexts(L"/", nullptr, path);
    if (!key)
        return nullptr;
    PathSyntax::toForwardSlashes(key);
    if (!PathSyntax::normalise(key) || key[1] == 0) {
        delete[] key;
        return nullptr;
    }
    std::wmemmove(key, key + 1, std::wcslen(key));
    return key;
}

// The key of a stored name: each byte one character (the archive's single-byte text), cut
// at a zero byte. `isFolder` tells whether the stored name ended with a separator.
wchar_t* memberName(const unsigned char* bytes, size_t length, bool* isFolder)
{
    const void* zero = std::memchr(bytes, 0, length);
    if (zero)
        length = static_cast<size_t>(static_cast<const unsigned char*>(zero) - bytes);
    wchar_t* text = new (std::nothrow) wchar_t[length + 1];
    if (!text)
        return nullptr;
    for (size_t i = 0; i < length; ++i)
        text[i] = static_cast<wchar_t>(bytes[i]);
    text[length] = 0;
    *isFolder = length > 0 && (text[length - 1] == L'/' || text[length - 1] == L'\\');
    wchar_t* key = keyOf(text);
    delete[] text;
    return key;
}
} // namespace

ZipFileSystem::ZipFileSystem(FileInternal* archive)
    : archive(archive), entryCount(0), index(nullptr), entries(nullptr), references(1)
{
    topRoot.isRoot = true;
    topRoot.name = PathSyntax::copyText(L"/");
    directoryRoot.isRoot = true;
}

ZipFileSystem::~ZipFileSystem()
{
    if (archive) {
        archive->close();
        delete archive;
    }
    delete index;
    delete[] entries;
}

void ZipFileSystem::retain() { ++references; }

void ZipFileSystem::release()
{
    if (--references == 0)
        delete this;
}

FileInternal* ZipFileSystem::open()
{
    if (readDirectory() != ResultCode::Ok)
        return nullptr;
    return newMember(&directoryRoot);
}

long ZipFileSystem::readDirectory()
{
    if (!archive || !archive->isFile())
        return ResultCode::FileOpenError;
    // Reading only: archives on read-only storage open too.
    if (!archive->isOpen() && archive->open(FileMode::Read) != ResultCode::Ok)
        return ResultCode::FileOpenError;
    if (index)
        return ResultCode::Ok;

    unsigned long endOffset = 0;
    ZipEndRecord end;
    long result = locateEndRecord(archive->getSize(), &endOffset, &end);
    if (result != ResultCode::Ok)
        return result;
    if (end.disk != 0 || end.directoryDisk != 0 || end.entriesOnDisk != end.entryCount)
        return ResultCode::ZipSplit;
    // Every header takes 46 bytes at least, and 3 * 65535 bytes of names, extras and
    // comments at most: the count and the offset must fit the archive's own bytes.
    if (end.directoryOffset > endOffset ||
        static_cast<unsigned long>(end.entryCount) * centralHeaderSize > endOffset - end.directoryOffset)
        return ResultCode::ZipError;
    unsigned long length = endOffset - end.directoryOffset;
    unsigned long largest = static_cast<unsigned long>(end.entryCount) * (centralHeaderSize + 3 * 65535ul);
    if (length > largest)
        length = largest;

    unsigned char* directory = new (std::nothrow) unsigned char[length ? length : 1];
    if (!directory)
        return ResultCode::OutOfMemory;
    result = ResultCode::ZipError;
    if (length == 0 || (archive->seek(static_cast<long>(end.directoryOffset), 0) == ResultCode::Ok &&
                        archive->read(directory, length) == static_cast<long>(length)))
        result = readEntries(directory, length, end.entryCount);
    delete[] directory;
    return result;
}

long ZipFileSystem::locateEndRecord(unsigned long archiveSize, unsigned long* endOffset, ZipEndRecord* record)
{
    if (archiveSize < endRecordSize)
        return ResultCode::ZipError;
    unsigned long tailLength = endRecordSize + largestComment;
    if (tailLength > archiveSize)
        tailLength = archiveSize;
    unsigned char* tail = new (std::nothrow) unsigned char[tailLength];
    if (!tail)
        return ResultCode::OutOfMemory;
    size_t at = 0;
    bool found = archive->seek(static_cast<long>(archiveSize - tailLength), 0) == ResultCode::Ok &&
                 archive->read(tail, tailLength) == static_cast<long>(tailLength) &&
                 ZipEndRecord::find(tail, tailLength, &at);
    if (found) {
        *record = ZipEndRecord::parse(tail + at);
        *endOffset = archiveSize - tailLength + at;
    }
    delete[] tail;
    return found ? ResultCode::Ok : ResultCode::ZipError;
}

long ZipFileSystem::readEntries(const unsigned char* directory, unsigned long length, unsigned long count)
{
    ZipEntry* read = count ? new (std::nothrow) ZipEntry[count] : nullptr;
    NameTable* names = new (std::nothrow) NameTable();
    wchar_t* rootName = PathSyntax::copyText(L"/");
    long result = (count && !read) || !names || !rootName ? ResultCode::OutOfMemory : ResultCode::Ok;

    unsigned long smallestDepth = noDepth;
    unsigned long long position = 0;
    for (unsigned long i = 0; i < count && result == ResultCode::Ok; ++i) {
        ZipEntry& entry = read[i];
        result = ResultCode::ZipError;
        if (position + centralHeaderSize > length)
            break;
        entry.parseHeader(directory + position);
        if (entry.startDisk != 0 || position + centralHeaderSize + entry.nameLength > length)
            break;
        entry.name = memberName(directory + position + centralHeaderSize, entry.nameLength, &entry.isFolder);
        if (!entry.name)
            break;
        entry.depth = PathSyntax::depthOf(entry.name);
        if (entry.depth >= 2 && entry.depth < smallestDepth) {
            // The member's folder: "/" + its name up to the last '/'.
            wchar_t* folder = PathSyntax::joinTexts(L"/", nullptr, entry.name);
            if (!folder) {
                result = ResultCode::OutOfMemory;
                break;
            }
            *std::wcsrchr(folder, L'/') = 0;
            delete[] rootName;
            rootName = folder;
            smallestDepth = entry.depth;
        }
        if (!names->put(entry.name, &entry)) {
            result = ResultCode::OutOfMemory;
            break;
        }
        position += centralHeaderSize + entry.nameLength + entry.extraLength + entry.commentLength;
        result = ResultCode::Ok;
    }

    if (result != ResultCode::Ok) {
        delete[] read;
        delete names;
        delete[] rootName;
        return result;
    }
    entries = read;
    index = names;
    entryCount = count;
    directoryRoot.name = rootName;
    directoryRoot.depth = PathSyntax::depthOf(rootName);
    return ResultCode::Ok;
}

long ZipFileSystem::close()
{
    if (archive)
        archive->close();
    return ResultCode::Ok;
}

FileInternal* ZipFileSystem::getArchiveFile() { return archive; }

FileInternal* ZipFileSystem::getRoot() { return newMember(&topRoot); }

const wchar_t* ZipFileSystem::getName() { return directoryRoot.name ? directoryRoot.name : topRoot.name; }

const wchar_t* ZipFileSystem::getScheme() { return scheme; }

FileInternal* ZipFileSystem::resolveFile(const wchar_t* path)
{
    if (!path || !index)
        return nullptr;
    wchar_t* key = keyOf(path);
    ZipEntry* entry = key ? static_cast<ZipEntry*>(index->get(key)) : nullptr;
    delete[] key;
    return entry ? newMember(entry) : nullptr;
}

FileInternal* ZipFileSystem::resolveFile(FilePath* path)
{
    if (!path)
        return nullptr;
    FileInternal* file = resolveFile(path->getPath());
    delete path;
    return file;
}

bool ZipFileSystem::equals(FileSystem* other)
{
    // The same scheme object, and an archive at the same path.
    FileInternal* otherArchive = other ? other->getArchiveFile() : nullptr;
    return other && other->getScheme() == scheme && archive && otherArchive && archive->equals(otherArchive);
}

FileInternal* ZipFileSystem::newMember(ZipEntry* entry) { return ZipFileInternal::create(this, entry); }
