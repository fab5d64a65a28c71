#include "files/ZipInflater.h"

#include "files/FileInternal.h"

#include <zlib.h>

namespace ZipInflater {

namespace {
constexpr unsigned long blockSize = 16384;
// Raw deflate data: no zlib header, a 32 KiB window.
constexpr int rawDeflateWindowBits = -15;

// Inflates block by block until the stream ends. Once `out` is full, the output goes to a
// one-byte probe: a byte there means the member gives more than it declared.
bool run(z_stream& stream, FileInternal* archive, unsigned long compressedSize, unsigned char* out,
         unsigned long capacity, unsigned long* produced)
{
    unsigned char input[blockSize];
    unsigned char probe;
    bool probing = false;
    unsigned long remaining = compressedSize;
    stream.next_out = out;
    stream.avail_out = static_cast<uInt>(capacity);
    for (;;) {
        if (stream.avail_in == 0) {
            if (remaining == 0)
                return false;  // the stream does not end within its bytes
            long got = archive->read(input, remaining < blockSize ? remaining : blockSize);
            if (got <= 0)
                return false;
            remaining -= static_cast<unsigned long>(got);
            stream.next_in = input;
            stream.avail_in = static_cast<uInt>(got);
        }
        if (!probing && stream.avail_out == 0) {
            probing = true;
            stream.next_out = &probe;
            stream.avail_out = 1;
        }
        int result = ::inflate(&stream, Z_NO_FLUSH);
        *produced = probing ? capacity : capacity - stream.avail_out;
        if (probing && stream.avail_out == 0)
            return false;
        if (result == Z_STREAM_END)
            return true;
        // Only a want of input may stop progress; the loop gives more.
        if (result != Z_OK && !(result == Z_BUF_ERROR && stream.avail_in == 0))
            return false;
    }
}
} // namespace

bool inflate(FileInternal* archive, unsigned long compressedSize, unsigned char* out, unsigned long capacity,
             unsigned long* produced)
{
    *produced = 0;
    z_stream stream = {};
    if (inflateInit2(&stream, rawDeflateWindowBits) != Z_OK)
        return false;
    bool whole = run(stream, archive, compressedSize, out, capacity, produced);
    inflateEnd(&stream);
    return whole;
}

} // namespace ZipInflater
