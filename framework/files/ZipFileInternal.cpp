#include "files/ZipFileInternal.h"

#include "core/ResultCodes.h"
#include "files/FilePath.h"
#include "files/PathSyntax.h"
#include "files/ZipFileSystem.h"
#include "files/ZipInflater.h"

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <new>
#include <zlib.h>

using namespace ZipRecords;

namespace {
constexpr unsigned long largestTransfer = 0x7FFFFFFF;
} // namespace

ZipFileInternal* ZipFileInternal::create(ZipFileSystem* fileSystem, ZipEntry* entry)
{
    if (!fileSystem || !entry || !entry->name)
        return nullptr;
    wchar_t* text = entry->isRoot ? PathSyntax::copyText(entry->name) : PathSyntax::joinTexts(L"/", nullptr, entry->name);
    FilePath* path = text ? FilePath::create(ZipFileSystem::scheme, text) : nullptr;
    delete[] text;
    if (!path)
        return nullptr;
    ZipFileInternal* member = new (std::nothrow) ZipFileInternal(fileSystem, entry, path);
    if (!member)
        delete path;
    return member;
}

ZipFileInternal::ZipFileInternal(ZipFileSystem* fileSystem, ZipEntry* entry, FilePath* path)
    : fileSystem(fileSystem),
      entry(entry),
      localHeader(),
      path(path),
      nextListed(0),
      opened(false),
      dataStart(0),
      current(0),
      dataEnd(0),
      inflater(),
      filled(0),
      readPosition(0),
      inflatedPosition(0),
      checkedUpTo(0),
      runningCrc(0),
      checksum(Checksum::Unknown)
{
    fileSystem->retain();
}

ZipFileInternal::~ZipFileInternal()
{
    delete path;
    fileSystem->release();
}

FileSystem* ZipFileInternal::getFileSystem() { return fileSystem; }
bool ZipFileInternal::exists() { return entry != nullptr; }
bool ZipFileInternal::isHidden() { return false; }
bool ZipFileInternal::isReadable() { return exists(); }
bool ZipFileInternal::isWriteable() { return false; }
bool ZipFileInternal::isSystemFile() { return false; }
bool ZipFileInternal::isFolder() { return entry->isRoot || entry->isFolder; }
bool ZipFileInternal::isFile() { return !isFolder(); }
bool ZipFileInternal::isRoot() { return entry->isRoot; }
bool ZipFileInternal::isOpen() { return opened; }

bool ZipFileInternal::equals(FileInternal* other)
{
    // The same path in the same archive: members of two archives are not the same file.
    return other && std::wcscmp(other->getScheme(), ZipFileSystem::scheme) == 0 &&
           std::wcscmp(other->getPath(), getPath()) == 0 && fileSystem->equals(other->getFileSystem());
}

const wchar_t* ZipFileInternal::getName() { return path->getName(); }
const wchar_t* ZipFileInternal::getPath() { return path->getPath(); }
const wchar_t* ZipFileInternal::getScheme() { return ZipFileSystem::scheme; }
unsigned long ZipFileInternal::getSize() { return entry->isRoot ? 0 : entry->uncompressedSize; }

FileInternal* ZipFileInternal::getParent()
{
    if (entry->isRoot || entry->depth <= 1)
        return fileSystem->getRoot();
    FilePath* parent = path->getParent();
    if (!parent)
        return nullptr;
    // The folder the archive's root stands for need not be stored as an entry.
    ZipEntry* root = fileSystem->getDirectoryRoot();
    FileInternal* found = root->name && std::wcscmp(parent->getPath(), root->name) == 0
                              ? fileSystem->newMember(root)
                              : fileSystem->resolveFile(parent->getPath());
    delete parent;
    return found;
}

bool ZipFileInternal::isListed(const ZipEntry& candidate) const
{
    if (candidate.depth != entry->depth + 1)
        return false;
    // The roots list every member one level below them, whatever folder it lies in.
    if (entry->isRoot)
        return true;
    size_t length = std::wcslen(entry->name);
    return std::wcsncmp(candidate.name, entry->name, length) == 0 && candidate.name[length] == L'/';
}

long ZipFileInternal::open() { return open(0); }

long ZipFileInternal::open(unsigned char)
{
    if (isFolder()) {
        nextListed = 0;
        opened = true;
        return ResultCode::Ok;
    }
    if (entry->method != stored && entry->method != deflated)
        return ResultCode::UnsupportedCompression;
    close();
    return openMember();
}

long ZipFileInternal::openMember()
{
    FileInternal* archive = fileSystem->getArchiveFile();
    unsigned char bytes[localHeaderSize];
    if (!archive || archive->seek(static_cast<long>(entry->localHeaderOffset), 0) != ResultCode::Ok ||
        archive->read(bytes, localHeaderSize) != static_cast<long>(localHeaderSize))
        return ResultCode::ZipError;
    localHeader = ZipLocalHeader::parse(bytes);
    dataStart = uint64_t{entry->localHeaderOffset} + localHeaderSize + localHeader.nameLength + localHeader.extraLength;
    dataEnd = dataStart + entry->compressedSize;
    if (dataEnd > archive->getSize())
        return ResultCode::ZipError;
    current = dataStart;
    opened = true;
    return isDeflated() ? inflateMember() : ResultCode::Ok;
}

long ZipFileInternal::inflateMember()
{
    // A size deflate could never reach from these bytes is refused before any work.
    if (uint64_t{entry->uncompressedSize} > uint64_t{entry->compressedSize} * ZipInflater::largestRatio)
        return ResultCode::DecompressError;
    FileInternal* archive = fileSystem->getArchiveFile();
    long result = inflater.start(archive, dataStart, entry->compressedSize);
    if (result != ResultCode::Ok)
        return result;
    // One pass into nothing: the stream must end, within the declared size. What is there
    // counts as the member's length; its checksum is known from here on.
    unsigned char block[16384];
    uint32_t crc = static_cast<uint32_t>(crc32(0, nullptr, 0));
    uint64_t produced = 0;
    for (;;) {
        long got = inflater.read(block, sizeof block);
        if (got < 0 || produced + static_cast<uint64_t>(got) > entry->uncompressedSize) {
            inflater.stop();
            return ResultCode::DecompressError;
        }
        if (got == 0)
            break;
        crc = static_cast<uint32_t>(crc32(crc, block, static_cast<uInt>(got)));
        produced += static_cast<uint64_t>(got);
    }
    result = inflater.start(archive, dataStart, entry->compressedSize);
    if (result != ResultCode::Ok)
        return result;
    filled = static_cast<unsigned long>(produced);
    checksum = crc == entry->crc ? Checksum::Matches : Checksum::Differs;
    return ResultCode::Ok;
}

long ZipFileInternal::fetchInflated(unsigned char* target, unsigned long count)
{
    FileInternal* archive = fileSystem->getArchiveFile();
    // Going back starts the stream again; going forward inflates what is skipped.
    if (readPosition < inflatedPosition) {
        if (inflater.start(archive, dataStart, entry->compressedSize) != ResultCode::Ok)
            return -1;
        inflatedPosition = 0;
    }
    if (readPosition > inflatedPosition) {
        long skipped = inflater.read(nullptr, readPosition - inflatedPosition);
        if (skipped < 0 || static_cast<unsigned long>(skipped) != readPosition - inflatedPosition)
            return -1;
        inflatedPosition = readPosition;
    }
    long got = inflater.read(target, count);
    if (got < 0 || static_cast<unsigned long>(got) != count)
        return -1;
    inflatedPosition += count;
    return got;
}

long ZipFileInternal::fetch(unsigned char* target, unsigned long count)
{
    if (isDeflated())
        return fetchInflated(target, count);
    // Seeking first lets several members of one archive be read in turn.
    FileInternal* archive = fileSystem->getArchiveFile();
    if (archive->seek(static_cast<long>(current), 0) != ResultCode::Ok)
        return -1;
    return archive->read(target, count);
}

bool ZipFileInternal::checksumMatches()
{
    if (checksum != Checksum::Unknown)
        return checksum == Checksum::Matches;
    uint32_t crc = runningCrc;
    uint64_t from = dataStart + checkedUpTo;
    if (checkedUpTo == 0)
        crc = static_cast<uint32_t>(crc32(0, nullptr, 0));
    // Stored bytes the reader skipped over are read once more, a block at a time.
    FileInternal* archive = fileSystem->getArchiveFile();
    unsigned char block[16384];
    while (from < dataEnd) {
        unsigned long want = dataEnd - from < sizeof block ? static_cast<unsigned long>(dataEnd - from) : sizeof block;
        long got = archive->seek(static_cast<long>(from), 0) == ResultCode::Ok ? archive->read(block, want) : -1;
        if (got <= 0)
            return false;  // unknown still: the next try reads again
        crc = static_cast<uint32_t>(crc32(crc, block, static_cast<uInt>(got)));
        from += static_cast<uint64_t>(got);
    }
    checksum = crc == entry->crc ? Checksum::Matches : Checksum::Differs;
    return checksum == Checksum::Matches;
}

long ZipFileInternal::read(void* target, unsigned long count)
{
    if (!opened || isFolder())
        return -1;
    if (count > largestTransfer)
        count = largestTransfer;
    unsigned long at = position();
    unsigned long left = length() - at;
    unsigned long take = left < count ? left : count;
    if (take == 0)
        return 0;
    unsigned char* bytes = static_cast<unsigned char*>(target);
    long got = fetch(bytes, take);
    if (got <= 0)
        return got;
    if (at == checkedUpTo && checksum == Checksum::Unknown) {
        if (checkedUpTo == 0)
            runningCrc = static_cast<uint32_t>(crc32(0, nullptr, 0));
        runningCrc = static_cast<uint32_t>(crc32(runningCrc, bytes, static_cast<uInt>(got)));
        checkedUpTo += static_cast<unsigned long>(got);
    }
    // The read that would hand out the last byte fails instead when the bytes are not the
    // member's: the caller never takes damaged data for whole.
    if (at + static_cast<unsigned long>(got) == length() && !checksumMatches())
        return -1;
    if (isDeflated())
        readPosition += static_cast<unsigned long>(got);
    else
        current += static_cast<uint64_t>(got);
    return got;
}

long ZipFileInternal::write(const wchar_t*) { return -1; }
long ZipFileInternal::write(const void*, unsigned long) { return -1; }

uint32_t ZipFileInternal::length() const
{
    return static_cast<uint32_t>(isDeflated() ? filled : dataEnd - dataStart);
}

uint32_t ZipFileInternal::position() const
{
    return static_cast<uint32_t>(isDeflated() ? readPosition : current - dataStart);
}

long ZipFileInternal::seek(long position) { return seek(position, 0); }

long ZipFileInternal::seek(long offset, unsigned char origin)
{
    if (isFolder())
        return ResultCode::FileNotSeekable;
    if (!opened)
        return ResultCode::SeekError;
    if (origin > 2)
        return ResultCode::UnknownSeekMethod;
    int64_t end = length();
    int64_t from = origin == 0 ? 0 : origin == 1 ? static_cast<int64_t>(this->position()) : end;
    int64_t target;
    if (__builtin_add_overflow(from, static_cast<int64_t>(offset), &target))
        target = offset > 0 ? end : 0;
    target = target < 0 ? 0 : target > end ? end : target;
    if (isDeflated())
        readPosition = static_cast<unsigned long>(target);
    else
        current = dataStart + static_cast<uint64_t>(target);
    return ResultCode::Ok;
}

long ZipFileInternal::tell() { return opened && !isFolder() ? static_cast<long>(position()) : -1; }

FileInternal* ZipFileInternal::getNextChild(unsigned char* error)
{
    if (!isFolder())
        return noChild(error, ResultCode::GetChildNotAllowed);
    if (!opened)
        return noChild(error, ResultCode::FolderNotOpened);
    while (nextListed < fileSystem->getEntryCount()) {
        ZipEntry* candidate = fileSystem->getEntry(nextListed++);
        if (!isListed(*candidate))
            continue;
        FileInternal* child = fileSystem->newMember(candidate);
        return child ? child : noChild(error, ResultCode::OutOfMemory);
    }
    return noChild(error, ResultCode::Ok);
}

long ZipFileInternal::close()
{
    opened = false;
    nextListed = 0;
    inflater.stop();
    filled = 0;
    readPosition = 0;
    inflatedPosition = 0;
    checkedUpTo = 0;
    runningCrc = 0;
    checksum = Checksum::Unknown;
    return ResultCode::Ok;
}

long ZipFileInternal::createFile(unsigned char) { return ResultCode::FileCreationNotAllowed; }
long ZipFileInternal::createFile() { return ResultCode::FileCreationNotAllowed; }
long ZipFileInternal::createFolder() { return ResultCode::FolderCreationNotAllowed; }
long ZipFileInternal::deleteFile() { return ResultCode::FileDeletionNotAllowed; }
long ZipFileInternal::deleteFolder() { return ResultCode::FolderDeletionNotAllowed; }

FileInternal* ZipFileInternal::resolveFile(const wchar_t* text)
{
    if (!text)
        return nullptr;
    // The roots resolve from the archive's top; folders from themselves.
    if (entry->isRoot)
        return fileSystem->resolveFile(text);
    if (!entry->isFolder)
        return nullptr;
    wchar_t* joined = PathSyntax::joinTexts(entry->name, L"/", text);
    FileInternal* found = joined ? fileSystem->resolveFile(joined) : nullptr;
    delete[] joined;
    return found;
}
