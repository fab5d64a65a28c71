#include "images/EncodedImage.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "images/DecodeTarget.h"

#include <new>

namespace {

// No image the decoders accept needs more bytes than an uncompressed 32-bit bitmap of the
// largest size and its headers; a larger file is not copied into the heap.
constexpr unsigned long largestFile = DecodeTarget::maxSide * DecodeTarget::maxSide * 4 + (1ul << 16);

// Reads until `size` bytes are there or the file ends; the bytes read.
unsigned long readAll(File* file, unsigned char* buffer, unsigned long size)
{
    unsigned long done = 0;
    while (done < size) {
        long got = file->read(buffer + done, size - done);
        if (got <= 0)
            break;
        done += static_cast<unsigned long>(got);
    }
    return done;
}

} // namespace

long EncodedImage::acquire(File* source)
{
    release();
    if (!source->isOpen()) {
        // A file that fails to open is left closed, so that the same call can be made
        // again; running out of memory is said as such.
        long opened = source->open(FileMode::Read);
        if (opened != ResultCode::Ok) {
            source->close();
            return opened == ResultCode::OutOfMemory ? ResultCode::OutOfMemory : ResultCode::ImageOpenError;
        }
    }
    // From the start, whatever position the caller left an open file at.
    source->seek(0);
    const unsigned long size = source->getSize();
    long result = ResultCode::ImageOpenError;
    if (size > 0 && size <= largestFile) {
        buffer = new (std::nothrow) unsigned char[size];
        if (!buffer)
            result = ResultCode::OutOfMemory;
    }
    if (buffer) {
        heapCopy = true;
        sourceFile = source;
        const unsigned long got = readAll(source, buffer, size);
        if (got > 0) {
            begin = buffer;
            end = buffer + got;
            result = ResultCode::Ok;
        }
    }
    source->close();
    return result;
}
