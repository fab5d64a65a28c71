#ifndef PARVOLIN_ZIP_INFLATER_H
#define PARVOLIN_ZIP_INFLATER_H

class FileInternal;

namespace ZipInflater {

// Deflate gives at most about 1032 bytes for each compressed byte: a member that declares
// more than that is corrupt and gets no buffer.
constexpr unsigned long largestRatio = 1032;

// Inflates the raw deflate stream of `compressedSize` bytes that `archive` is positioned
// at into `out`. False when those bytes do not hold one whole stream, when the stream is
// corrupt, or when it would give more than `capacity` bytes (nothing is written past
// them). `produced` is the number of bytes given.
bool inflate(FileInternal* archive, unsigned long compressedSize, unsigned char* out, unsigned long capacity,
             unsigned long* produced);

} // namespace ZipInflater

#endif
