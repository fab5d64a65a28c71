#include "files/LocalFileInternal.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FilePath.h"
#include "files/LocalFileSystem.h"
#include "files/PathSyntax.h"

#include <cwchar>

namespace {
constexpr unsigned long largestTransfer = 0x7FFFFFFF;

// The attribute word for a new file from the mode's attribute bits.
DWORD creationAttributes(unsigned char mode)
{
    DWORD attributes = 0;
    if (mode & FileMode::Hidden)
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (mode & FileMode::ReadOnly)
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

// The platform's own listing entries for the folder and its parent, which are no children.
bool isDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

void closeHandle(HANDLE& handle, BOOL (*closer)(HANDLE))
{
    if (handle != INVALID_HANDLE_VALUE)
        closer(handle);
    handle = INVALID_HANDLE_VALUE;
}
} // namespace

LocalFileInternal::LocalFileInternal(LocalFileSystem* fileSystem, FilePath* path)
    : mode(0),
      position(0),
      attributes(INVALID_FILE_ATTRIBUTES),
      fileSystem(fileSystem),
      name(path->getName()),
      path(path),
      fileHandle(INVALID_HANDLE_VALUE),
      findHandle(INVALID_HANDLE_VALUE),
      pattern(nullptr),
      firstEntry(),
      firstEntryPending(false),
      listing(false)
{
    readAttributes();
}

LocalFileInternal::~LocalFileInternal()
{
    close();
    delete path;
}

void LocalFileInternal::readAttributes() { attributes = GetFileAttributesW(path->getPath()); }

bool LocalFileInternal::has(DWORD attribute) const
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute);
}

FileSystem* LocalFileInternal::getFileSystem() { return fileSystem; }
bool LocalFileInternal::exists() { return attributes != INVALID_FILE_ATTRIBUTES; }
bool LocalFileInternal::isHidden() { return has(FILE_ATTRIBUTE_HIDDEN); }
bool LocalFileInternal::isReadable() { return exists(); }
bool LocalFileInternal::isWriteable() { return exists() && !has(FILE_ATTRIBUTE_READONLY); }
bool LocalFileInternal::isSystemFile() { return has(FILE_ATTRIBUTE_SYSTEM); }
bool LocalFileInternal::isFolder() { return has(FILE_ATTRIBUTE_DIRECTORY); }
bool LocalFileInternal::isFile() { return exists() && !isFolder(); }

bool LocalFileInternal::isRoot()
{
    FileInternal* root = fileSystem->getRoot();
    bool same = root && equals(root);
    delete root;
    return same;
}

bool LocalFileInternal::isOpen()
{
    return isFolder() ? listing : fileHandle != INVALID_HANDLE_VALUE;
}

bool LocalFileInternal::equals(FileInternal* other)
{
    return other && std::wcscmp(other->getScheme(), getScheme()) == 0 &&
           std::wcscmp(other->getPath(), path->getPath()) == 0;
}

const wchar_t* LocalFileInternal::getName() { return name; }
const wchar_t* LocalFileInternal::getPath() { return path->getPath(); }
const wchar_t* LocalFileInternal::getScheme() { return fileSystem->getScheme(); }

FileInternal* LocalFileInternal::getParent() { return fileSystem->resolveFile(path->getParent()); }

unsigned long LocalFileInternal::getSize()
{
    if (!exists() || isFolder())
        return 0;
    if (fileHandle != INVALID_HANDLE_VALUE) {
        DWORD size = GetFileSize(fileHandle, nullptr);
        return size == INVALID_FILE_SIZE ? 0 : size;
    }
    // Measured through a handle without access rights: it needs no write permission and
    // takes no part in sharing, so read-only files and files open elsewhere have sizes too.
    HANDLE measure = CreateFileW(path->getPath(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (measure == INVALID_HANDLE_VALUE)
        return 0;
    DWORD size = GetFileSize(measure, nullptr);
    CloseHandle(measure);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

long LocalFileInternal::open() { return open(FileMode::Read | FileMode::Write); }

long LocalFileInternal::open(unsigned char newMode)
{
    if (isOpen())
        return ResultCode::Ok;
    if (isFolder())
        return openListing();

    mode = newMode;
    if ((mode & FileMode::Create) && createParentFolders() != ResultCode::Ok)
        return ResultCode::ParentOpenError;

    // Truncating is writing; readers alone share the file with other readers.
    DWORD access = 0;
    if (mode & FileMode::Read)
        access |= GENERIC_READ;
    if (mode & (FileMode::Write | FileMode::Truncate))
        access |= GENERIC_WRITE;
    DWORD share = access == GENERIC_READ ? FILE_SHARE_READ : 0;
    DWORD disposition;
    if (mode & FileMode::Truncate)
        disposition = (mode & FileMode::Create) ? CREATE_ALWAYS : TRUNCATE_EXISTING;
    else
        disposition = (mode & FileMode::Create) ? OPEN_ALWAYS : OPEN_EXISTING;

    fileHandle = CreateFileW(path->getPath(), access, share, nullptr, disposition, creationAttributes(mode), nullptr);
    if (fileHandle == INVALID_HANDLE_VALUE)
        return ResultCode::FileOpenError;
    // The open may have created the file.
    readAttributes();
    position = 0;
    seek(0, (mode & FileMode::AtEnd) ? FILE_END : FILE_BEGIN);
    return ResultCode::Ok;
}

long LocalFileInternal::openListing()
{
    delete[] pattern;
    pattern = PathSyntax::joinTexts(path->getPath(), L"/*", nullptr);
    if (pattern)
        findHandle = FindFirstFileW(pattern, &firstEntry);
    // Devices that report no "." and ".." find nothing at all in an empty folder.
    bool empty = findHandle == INVALID_HANDLE_VALUE && pattern &&
                 (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_NO_MORE_FILES);
    if (findHandle == INVALID_HANDLE_VALUE && !empty) {
        delete[] pattern;
        pattern = nullptr;
        return ResultCode::FolderListError;
    }
    firstEntryPending = !empty;
    listing = true;
    return ResultCode::Ok;
}

long LocalFileInternal::createParentFolders()
{
    FileInternal* parent = getParent();
    if (!parent)
        return ResultCode::ParentOpenError;
    long result = parent->createFolder();
    delete parent;
    return result == ResultCode::Ok ? ResultCode::Ok : ResultCode::ParentOpenError;
}

// The position is the device's 32-bit number: it wraps rather than overflows.
void LocalFileInternal::advance(DWORD bytes) { position = static_cast<int32_t>(static_cast<uint32_t>(position) + bytes); }

long LocalFileInternal::read(void* buffer, unsigned long count)
{
    if (isFolder())
        return -1;
    DWORD got = 0;
    if (!ReadFile(fileHandle, buffer, static_cast<DWORD>(count < largestTransfer ? count : largestTransfer), &got,
                  nullptr))
        return -1;
    advance(got);
    return static_cast<long>(got);
}

long LocalFileInternal::write(const void* buffer, unsigned long count)
{
    if (isFolder())
        return -1;
    DWORD put = 0;
    if (!WriteFile(fileHandle, buffer, static_cast<DWORD>(count < largestTransfer ? count : largestTransfer), &put,
                   nullptr))
        return -1;
    advance(put);
    return static_cast<long>(put);
}

long LocalFileInternal::write(const wchar_t* text)
{
    size_t length = text ? std::wcslen(text) : 0;
    if (length == 0)
        return -1;
    // Each character's low byte, a block at a time.
    unsigned char block[512];
    long total = 0;
    for (size_t done = 0; done < length;) {
        size_t count = length - done < sizeof(block) ? length - done : sizeof(block);
        for (size_t i = 0; i < count; ++i)
            block[i] = static_cast<unsigned char>(text[done + i]);
        long put = write(block, count);
        if (put < 0)
            return -1;
        total += put;
        done += count;
    }
    return total;
}

long LocalFileInternal::seek(long position) { return seek(position, FILE_BEGIN); }

long LocalFileInternal::seek(long offset, unsigned char origin)
{
    if (isFolder())
        return ResultCode::FileNotSeekable;
    if (origin != FILE_BEGIN && origin != FILE_CURRENT && origin != FILE_END)
        return ResultCode::UnknownSeekMethod;
    LONG high = static_cast<LONG>(static_cast<int64_t>(offset) >> 32);
    DWORD low = SetFilePointer(fileHandle, static_cast<LONG>(offset), &high, origin);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return ResultCode::SeekError;
    position = static_cast<int32_t>(low);
    return ResultCode::Ok;
}

long LocalFileInternal::tell() { return position; }

FileInternal* LocalFileInternal::getNextChild(unsigned char* error)
{
    if (!exists())
        return noChild(error, ResultCode::FileDoesNotExist);
    if (!isFolder())
        return noChild(error, ResultCode::GetChildNotAllowed);
    if (!listing)
        return noChild(error, ResultCode::FolderNotOpened);
    // "." and ".." are skipped by name: devices report them anywhere or not at all.
    WIN32_FIND_DATAW entry;
    do {
        if (firstEntryPending) {
            entry = firstEntry;
            firstEntryPending = false;
        } else if (findHandle == INVALID_HANDLE_VALUE || !FindNextFileW(findHandle, &entry)) {
            return noChild(error, ResultCode::Ok);
        }
    } while (isDotEntry(entry.cFileName));
    FileInternal* child = resolveFile(entry.cFileName);
    return child ? child : noChild(error, ResultCode::OutOfMemory);
}

long LocalFileInternal::close()
{
    closeHandle(findHandle, FindClose);
    closeHandle(fileHandle, CloseHandle);
    firstEntryPending = false;
    listing = false;
    delete[] pattern;
    pattern = nullptr;
    return ResultCode::Ok;
}

long LocalFileInternal::createFile() { return createFile(0); }

long LocalFileInternal::createFile(unsigned char newMode)
{
    if (exists() && !(newMode & FileMode::Create))
        return isFolder() ? ResultCode::FolderCreationNotAllowed : ResultCode::Ok;
    mode = newMode;
    if ((mode & FileMode::Replace) && createParentFolders() != ResultCode::Ok)
        return ResultCode::ParentOpenError;
    HANDLE created = CreateFileW(path->getPath(), 0, 0, nullptr, (mode & FileMode::Replace) ? CREATE_ALWAYS : CREATE_NEW,
                                 creationAttributes(mode), nullptr);
    if (created == INVALID_HANDLE_VALUE)
        return ResultCode::FileCreateError;
    CloseHandle(created);
    readAttributes();
    return ResultCode::Ok;
}

long LocalFileInternal::createFolder()
{
    if (exists() || isRoot())
        return ResultCode::Ok;
    if (createParentFolders() != ResultCode::Ok)
        return ResultCode::ParentOpenError;
    BOOL created = CreateDirectoryW(path->getPath(), nullptr);
    readAttributes();
    return created ? ResultCode::Ok : ResultCode::FolderCreateError;
}

long LocalFileInternal::deleteFile()
{
    if (!exists())
        return ResultCode::FileDoesNotExist;
    if (!isFile())
        return ResultCode::FolderDeletionNotAllowed;
    if (!isWriteable())
        return ResultCode::FileDeletionNotAllowed;
    close();
    BOOL deleted = DeleteFileW(path->getPath());
    readAttributes();
    return deleted ? ResultCode::Ok : ResultCode::FileDeleteError;
}

long LocalFileInternal::deleteFolder()
{
    if (!exists())
        return ResultCode::FolderDoesNotExist;
    if (!isFolder())
        return ResultCode::FileDeletionNotAllowed;
    open();
    unsigned char error = 0;
    while (FileInternal* child = getNextChild(&error)) {
        long result = child->deleteAny();
        delete child;
        if (result != ResultCode::Ok) {
            close();
            return ResultCode::FolderDeleteError;
        }
    }
    close();
    RemoveDirectoryW(path->getPath());
    readAttributes();
    // A folder the platform kept (not empty, read-only) was not deleted.
    return exists() ? ResultCode::FolderDeleteError : ResultCode::Ok;
}

FileInternal* LocalFileInternal::resolveFile(const wchar_t* text)
{
    if (!text)
        return nullptr;
    wchar_t* joined = PathSyntax::joinTexts(path->getPath(), L"/", text);
    FileInternal* file = joined ? fileSystem->resolveFile(FilePath::create(getScheme(), joined)) : nullptr;
    delete[] joined;
    return file;
}
