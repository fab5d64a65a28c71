#ifndef PARVOLIN_ENCODED_IMAGE_H
#define PARVOLIN_ENCODED_IMAGE_H

#include "platform/base/PlatformTypes.h"

#include <cstddef>

class File;

// The encoded bytes of one image while it is decoded: a read-only mapping of a file, a
// heap copy of a File, a module resource, or a caller's buffer. Whatever was acquired is
// released when the object goes.
class EncodedImage {
public:
    EncodedImage();
    ~EncodedImage();
    EncodedImage(const EncodedImage&) = delete;
    EncodedImage& operator=(const EncodedImage&) = delete;

    // The file at `path`, made absolute from the program's folder, mapped whole; 8 when it
    // cannot be opened or mapped.
    long acquire(const wchar_t* path);
    // The whole of `file`, read into the heap (opened first when it is not open, closed
    // afterwards in every case); 8 when it cannot be opened or yields no bytes.
    long acquire(File* file);
    // The caller's bytes, neither copied nor freed.
    void acquire(const unsigned char* data, size_t size);

    const unsigned char* data() const { return begin; }
    size_t size() const { return static_cast<size_t>(end - begin); }

private:
    void release();

    File* sourceFile;
    bool heapCopy;
    HANDLE file;
    HANDLE mapping;
    unsigned char* buffer;
    const unsigned char* begin;
    const unsigned char* end;
};

#endif
