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
    if (!source->isOpen() && source->open(FileMode::Read) != ResultCode::Ok)
        return ResultCode::ImageOpenError;
    // From the start, whatever position the caller left an open file at.
    source->seek(0);
    const unsigned long size = source->getSize();
    long result = ResultCode::ImageOpenError;
    if (size > 0 && size <= largestFile)
        buffer = new (std::nothrow) unsigned char[size];
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
