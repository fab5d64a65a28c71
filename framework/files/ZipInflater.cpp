#include "files/ZipInflater.h"

#include "core/ResultCodes.h"
#include "files/FileInternal.h"

#include <new>
#include <zlib.h>

namespace {
constexpr unsigned long blockSize = 16384;
// Raw deflate data: no zlib header, a 32 KiB window.
constexpr int rawDeflateWindowBits = -15;

// zlib's memory comes from the same allocation functions as the rest of the library, so
// that a failure there is seen and reported like any other.
voidpf allocate(voidpf, uInt items, uInt size)
{
    return new (std::nothrow) unsigned char[static_cast<size_t>(items) * size];
}

void release(voidpf, voidpf address) { delete[] static_cast<unsigned char*>(address); }
} // namespace

struct ZipInflater::State {
    z_stream stream;
    unsigned char input[blockSize];
    FileInternal* archive;
    uint64_t next;            // the archive offset of the next compressed byte
    unsigned long remaining;  // compressed bytes not yet read
    bool ended;
    bool failed;
};

ZipInflater::ZipInflater() : state(nullptr) {}

ZipInflater::~ZipInflater() { stop(); }

void ZipInflater::stop()
{
    if (!state)
        return;
    inflateEnd(&state->stream);
    delete state;
    state = nullptr;
}

long ZipInflater::start(FileInternal* archive, uint64_t dataStart, unsigned long compressedSize)
{
    stop();
    State* fresh = new (std::nothrow) State;
    if (!fresh)
        return ResultCode::OutOfMemory;
    fresh->stream = z_stream{};
    fresh->stream.zalloc = allocate;
    fresh->stream.zfree = release;
    if (inflateInit2(&fresh->stream, rawDeflateWindowBits) != Z_OK) {
        delete fresh;
        return ResultCode::OutOfMemory;
    }
    fresh->archive = archive;
    fresh->next = dataStart;
    fresh->remaining = compressedSize;
    fresh->ended = false;
    fresh->failed = false;
    state = fresh;
    return ResultCode::Ok;
}

long ZipInflater::read(unsigned char* out, unsigned long count)
{
    if (!state || state->failed)
        return -1;
    State& s = *state;
    unsigned char discard[1024];
    unsigned long given = 0;
    while (given < count && !s.ended) {
        if (s.stream.avail_in == 0 && s.remaining > 0) {
            unsigned long want = s.remaining < blockSize ? s.remaining : blockSize;
            long got = s.archive->seek(static_cast<long>(s.next), 0) == ResultCode::Ok ? s.archive->read(s.input, want) : -1;
            if (got <= 0)
                break;
            s.next += static_cast<uint64_t>(got);
            s.remaining -= static_cast<unsigned long>(got);
            s.stream.next_in = s.input;
            s.stream.avail_in = static_cast<uInt>(got);
        }
        unsigned long room = count - given;
        if (!out && room > sizeof discard)
            room = sizeof discard;
        else if (room > blockSize)
            room = blockSize;
        s.stream.next_out = out ? out + given : discard;
        s.stream.avail_out = static_cast<uInt>(room);
        // With all the input read, zlib may still hold output: it is asked until it says
        // the stream ended or that nothing more can come.
        int result = ::inflate(&s.stream, Z_NO_FLUSH);
        given += room - s.stream.avail_out;
        if (result == Z_STREAM_END)
            s.ended = true;
        else if (result != Z_OK && !(result == Z_BUF_ERROR && s.stream.avail_in == 0 && s.remaining > 0))
            break;  // corrupt, or the stream does not end within its bytes
    }
    if (given < count && !s.ended) {
        s.failed = true;
        return -1;
    }
    return static_cast<long>(given);
}
