#ifndef PARVOLIN_FILES_H
#define PARVOLIN_FILES_H

#include "platform/base/LastError.h"
#include "platform/base/PlatformTypes.h"

// The device's file services over the host's files. Paths may use '\' or '/'; they reach
// the host as UTF-8. Failures return the documented failure value and leave the reason in
// GetLastError().

struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;
struct OVERLAPPED;
typedef OVERLAPPED* LPOVERLAPPED;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

// One entry of a folder listing (the device's layout, with its object store id).
struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwOID;
    WCHAR cFileName[MAX_PATH];
};

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;

constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;

constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x4;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

constexpr DWORD PAGE_READONLY = 0x02;
constexpr DWORD FILE_MAP_READ = 0x0004;

// Opens or creates a file. Access is GENERIC_READ and/or GENERIC_WRITE (none is allowed:
// the handle can then only be measured and closed). Share mode 0 is exclusive; a second
// open whose access or sharing clashes with a live one fails with ERROR_SHARING_VIOLATION.
// A folder cannot be opened (ERROR_ACCESS_DENIED), nor a read-only file for writing. After
// success, CREATE_ALWAYS and OPEN_ALWAYS leave ERROR_ALREADY_EXISTS when the file was there.
// The attribute word of a new file may carry READONLY, HIDDEN and SYSTEM.
HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                                LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                                DWORD flagsAndAttributes, HANDLE templateFile);
// Reads up to `count` bytes; at the end of the file it succeeds with 0 bytes read.
BOOL ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* bytesRead, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* bytesWritten,
                            LPOVERLAPPED overlapped);
// Returns the low 32 bits of the new position (the high ones in *distanceHigh when given),
// INVALID_SET_FILE_POINTER on failure; a position before the start is ERROR_NEGATIVE_SEEK.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod);
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);
BOOL CloseHandle(HANDLE object);

// INVALID_FILE_ATTRIBUTES when the path does not exist. Plain files without other bits
// report FILE_ATTRIBUTE_NORMAL; names starting with '.' count as hidden.
DWORD GetFileAttributesW(LPCWSTR fileName);

// A listing of the folder part of `pattern` whose names match its last part ('*' and '?'
// wildcards, letters compared without case). A listing with wildcards begins with "." and
// "..", then the entries in name order; a device whose profile omits the dots lists the
// entries alone. A pattern without wildcards finds that one entry.
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* findData);
// FALSE with ERROR_NO_MORE_FILES at the end of the listing.
BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* findData);
BOOL FindClose(HANDLE find);

BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES securityAttributes);
// Only an empty folder can be removed (ERROR_DIR_NOT_EMPTY otherwise).
BOOL RemoveDirectoryW(LPCWSTR pathName);
// Refuses folders and read-only files (ERROR_ACCESS_DENIED) and files that are open or
// mapped (ERROR_SHARING_VIOLATION).
BOOL DeleteFileW(LPCWSTR fileName);
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001;
// Renames a file. With MOVEFILE_REPLACE_EXISTING an existing file of the new name is
// replaced in one step (readers see the old file or the new one, never a mixture);
// without it that is ERROR_ALREADY_EXISTS. Folders, read-only targets and files in use
// are refused as DeleteFileW refuses them.
BOOL MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags);

// Tests of what survives a full disk: the n-th WriteFile from now on (1 is the next one)
// writes nothing and fails with ERROR_DISK_FULL; 0 turns the fault off.
void SetWriteFault(unsigned long n);

// Read-only mappings only (PAGE_READONLY over a file opened with GENERIC_READ). A maximum
// size of 0 maps the whole file; an empty file cannot be mapped (ERROR_FILE_INVALID). The
// mapping and its views keep the file in use until they are closed and unmapped.
HANDLE CreateFileMappingW(HANDLE file, LPSECURITY_ATTRIBUTES attributes, DWORD protect,
                                       DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCWSTR name);
// FILE_MAP_READ only; the offset must be a multiple of 64 KiB; 0 bytes maps to the end.
void* MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD offsetHigh, DWORD offsetLow,
                                 DWORD bytesToMap);
BOOL UnmapViewOfFile(const void* baseAddress);

#endif
