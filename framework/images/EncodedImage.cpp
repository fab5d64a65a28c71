#include "images/EncodedImage.h"

#include "core/Device.h"
#include "core/ResultCodes.h"
#include "platform/system/Files.h"

EncodedImage::EncodedImage()
    : sourceFile(nullptr), heapCopy(false), file(INVALID_HANDLE_VALUE), mapping(nullptr), buffer(nullptr),
      begin(nullptr), end(nullptr)
{
}

EncodedImage::~EncodedImage() { release(); }

void EncodedImage::release()
{
    if (heapCopy)
        delete[] buffer;
    else if (begin && file != INVALID_HANDLE_VALUE)
        UnmapViewOfFile(begin);
    if (mapping)
        CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    sourceFile = nullptr;
    heapCopy = false;
    file = INVALID_HANDLE_VALUE;
    mapping = nullptr;
    buffer = nullptr;
    begin = nullptr;
    end = nullptr;
}

long EncodedImage::acquire(const wchar_t* path)
{
    release();
    Device* device = Device::getInstance();
    wchar_t absolute[MAX_PATH];
    if (!device || !device->getAbsolutePath(path, absolute, MAX_PATH))
        return ResultCode::ImageOpenError;
    file = CreateFileW(absolute, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ResultCode::ImageOpenError;
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (!view || low == INVALID_FILE_SIZE || high != 0) {
        if (view)
            UnmapViewOfFile(view);
        release();
        return ResultCode::ImageOpenError;
    }
    begin = static_cast<const unsigned char*>(view);
    end = begin + low;
    return ResultCode::Ok;
}

void EncodedImage::acquire(const unsigned char* data, size_t size)
{
    release();
    begin = data;
    end = data + size;
}
