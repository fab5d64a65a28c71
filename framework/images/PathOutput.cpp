#include "images/ImageOutput.h"

#include "platform/system/Files.h"

#include <cwchar>
#include <new>

ImageOutput::~ImageOutput() {}

bool ImageOutput::commit(bool whole) { return whole; }

PathOutput::PathOutput(const wchar_t* outputPath) : path(outputPath), temporaryPath(nullptr), handle(INVALID_HANDLE_VALUE)
{
}

PathOutput::~PathOutput()
{
    close();
    // An output dropped before commit leaves nothing behind.
    if (temporaryPath)
        DeleteFileW(temporaryPath);
    delete[] temporaryPath;
}

bool PathOutput::open()
{
    // "<path>.new", beside the file it will replace.
    if (!temporaryPath && path) {
        const size_t length = std::wcslen(path);
        temporaryPath = new (std::nothrow) wchar_t[length + 5];
        if (temporaryPath) {
            std::wmemcpy(temporaryPath, path, length);
            std::wmemcpy(temporaryPath + length, L".new", 5);
        }
    }
    if (!temporaryPath)
        return false;
    handle = CreateFileW(temporaryPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE;
}

bool PathOutput::write(const void* bytes, size_t count)
{
    const unsigned char* next = static_cast<const unsigned char*>(bytes);
    while (count > 0) {
        DWORD part = count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count);
        DWORD written = 0;
        if (!WriteFile(handle, next, part, &written, nullptr) || written != part)
            return false;
        next += part;
        count -= part;
    }
    return true;
}

void PathOutput::close()
{
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
}

bool PathOutput::commit(bool whole)
{
    close();
    if (!temporaryPath)
        return false;
    bool kept = whole && MoveFileExW(temporaryPath, path, MOVEFILE_REPLACE_EXISTING);
    if (!kept)
        DeleteFileW(temporaryPath);
    delete[] temporaryPath;
    temporaryPath = nullptr;
    return kept;
}
