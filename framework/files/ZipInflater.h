#ifndef PARVOLIN_ZIP_INFLATER_H
#define PARVOLIN_ZIP_INFLATER_H

#include <cstdint>

class FileInternal;

// Inflates one member's raw deflate stream as it is read, a block at a time, so that the
// memory a member takes does not depend on its size. The archive file is shared by every
// member, so each read of compressed bytes seeks first.
class ZipInflater {
public:
    // Deflate gives at most about 1032 bytes for each compressed byte: a member that
    // declares more than that is corrupt.
    static constexpr unsigned long largestRatio = 1032;

    ZipInflater();
    ~ZipInflater();
    ZipInflater(const ZipInflater&) = delete;
    ZipInflater& operator=(const ZipInflater&) = delete;

    // (Re)starts at the first byte of the stream of `compressedSize` bytes at `dataStart`:
    // 0, or 4 (out of memory; nothing is left started).
    long start(FileInternal* archive, uint64_t dataStart, unsigned long compressedSize);
    // Up to `count` bytes of the member into `out` (null: counted and thrown away): the
    // number given, 0 once the stream has ended, -1 when the compressed bytes do not hold
    // one whole sound stream or cannot be read.
    long read(unsigned char* out, unsigned long count);
    // Frees what start took.
    void stop();

private:
    struct State;
    State* state;
};

#endif
