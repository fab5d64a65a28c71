#include "audio/WaveDecoder.h"

#include "audio/SoundInput.h"
#include "core/ResultCodes.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr unsigned long pieceBytes = 4096;
constexpr size_t formatBytes = 20;

uint16_t le16(const unsigned char* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }
uint32_t le32(const unsigned char* at) { return le16(at) | (static_cast<uint32_t>(le16(at + 2)) << 16); }

bool readExactly(SoundInput* input, void* buffer, unsigned long count)
{
    return input->read(buffer, count) == static_cast<long>(count);
}

const int imaIndexSteps[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};
const int imaStepSizes[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

struct ImaChannel {
    int predictor;
    int index;

    int16_t decode(unsigned nibble)
    {
        const int step = imaStepSizes[index];
        int difference = step >> 3;
        if (nibble & 4)
            difference += step;
        if (nibble & 2)
            difference += step >> 1;
        if (nibble & 1)
            difference += step >> 2;
        predictor += nibble & 8 ? -difference : difference;
        predictor = std::max(-32768, std::min(32767, predictor));
        index = std::max(0, std::min(88, index + imaIndexSteps[nibble]));
        return static_cast<int16_t>(predictor);
    }
};
} // namespace

WaveDecoder::~WaveDecoder()
{
    delete[] block;
    delete[] blockSamples;
}

long WaveDecoder::open(SoundInput* newInput)
{
    input = newInput;
    const uint64_t fileSize = input->size();
    unsigned char riff[12];
    if (!input->seek(0) || !readExactly(input, riff, sizeof riff))
        return ResultCode::DecompressError;
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return ResultCode::UnsupportedCompression;
    const uint64_t end = 8ull + le32(riff + 4);
    if (end > fileSize || end < 12)
        return ResultCode::DecompressError;

    bool haveFormat = false;
    bool haveData = false;
    uint64_t factFrames = UINT64_MAX;
    uint64_t at = 12;
    while (!haveData && at + 8 <= end) {
        unsigned char chunk[8];
        if (!input->seek(at) || !readExactly(input, chunk, sizeof chunk))
            return ResultCode::DecompressError;
        const uint32_t size = le32(chunk + 4);
        if (at + 8 + size > end)
            return ResultCode::DecompressError;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (long result = readFormat(size))
                return result;
            haveFormat = true;
        } else if (std::memcmp(chunk, "fact", 4) == 0 && size >= 4) {
            unsigned char count[4];
            if (!readExactly(input, count, sizeof count))
                return ResultCode::DecompressError;
            factFrames = le32(count);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return ResultCode::DecompressError;
            dataStart = at + 8;
            dataBytes = size;
            haveData = true;
        }
        at += 8ull + size + (size & 1);
    }
    if (!haveData)
        return ResultCode::DecompressError;

    if (tag == pcmTag) {
        totalFrames = dataBytes / blockAlign;
    } else {
        // Whole blocks, then what the last, shorter block holds.
        const uint64_t wholeBlocks = dataBytes / blockAlign;
        const uint64_t tail = dataBytes % blockAlign;
        const unsigned headerBytes = 4 * channelCount;
        totalFrames = wholeBlocks * blockFrames;
        if (tail >= headerBytes)
            totalFrames += 1 + (tail - headerBytes) / headerBytes * 8;
        totalFrames = std::min(totalFrames, factFrames);
        block = new (std::nothrow) unsigned char[blockAlign];
        blockSamples = new (std::nothrow) int16_t[static_cast<size_t>(blockFrames) * channelCount];
        if (!block || !blockSamples)
            return ResultCode::OutOfMemory;
    }
    return rewind();
}

long WaveDecoder::readFormat(uint32_t chunkSize)
{
    if (chunkSize < 16)
        return ResultCode::DecompressError;
    unsigned char format[formatBytes] = {};
    if (!readExactly(input, format, std::min<uint32_t>(chunkSize, formatBytes)))
        return ResultCode::DecompressError;
    tag = le16(format);
    channelCount = le16(format + 2);
    sampleRate = le32(format + 4);
    const uint32_t byteRate = le32(format + 8);
    blockAlign = le16(format + 12);
    bitsPerSample = le16(format + 14);
    if (tag != pcmTag && tag != imaAdpcmTag)
        return ResultCode::UnsupportedCompression;
    if ((channelCount != 1 && channelCount != 2) || sampleRate < lowestRate || sampleRate > highestRate)
        return ResultCode::UnsupportedCompression;
    if (tag == pcmTag) {
        if (bitsPerSample != 8 && bitsPerSample != 16)
            return ResultCode::UnsupportedCompression;
        if (blockAlign != channelCount * bitsPerSample / 8 || byteRate != sampleRate * blockAlign)
            return ResultCode::DecompressError;
        return ResultCode::Ok;
    }
    // IMA ADPCM: a header of 4 bytes per channel, then groups of 4 bytes per channel that
    // hold 8 frames each.
    const unsigned headerBytes = 4 * channelCount;
    if (bitsPerSample != 4 || blockAlign <= headerBytes || (blockAlign - headerBytes) % headerBytes != 0)
        return ResultCode::DecompressError;
    blockFrames = 1 + (blockAlign - headerBytes) / headerBytes * 8;
    // The frames per block the format states, after its extra size, must be these.
    if (chunkSize >= formatBytes && le16(format + 16) >= 2 && le16(format + 18) != blockFrames)
        return ResultCode::DecompressError;
    return ResultCode::Ok;
}

long WaveDecoder::rewind()
{
    if (!input->seek(dataStart))
        return ResultCode::SeekError;
    framesRead = 0;
    blockAvailable = 0;
    blockPosition = 0;
    return ResultCode::Ok;
}

long WaveDecoder::read(int16_t* frames, unsigned long count)
{
    const uint64_t left = totalFrames - framesRead;
    if (count > left)
        count = static_cast<unsigned long>(left);
    if (count == 0)
        return 0;
    long got = tag == pcmTag ? readPcm(frames, count) : readAdpcm(frames, count);
    if (got > 0)
        framesRead += static_cast<uint64_t>(got);
    return got;
}

long WaveDecoder::readPcm(int16_t* frames, unsigned long count)
{
    unsigned char piece[pieceBytes];
    const unsigned long piecesFrames = pieceBytes / blockAlign;
    unsigned long done = 0;
    while (done < count) {
        const unsigned long want = std::min(count - done, piecesFrames);
        if (!readExactly(input, piece, want * blockAlign))
            return -ResultCode::DecompressError;
        const unsigned long samples = want * channelCount;
        int16_t* out = frames + static_cast<size_t>(done) * channelCount;
        if (bitsPerSample == 8)
            for (unsigned long i = 0; i < samples; ++i)
                out[i] = static_cast<int16_t>((piece[i] - 128) * 256);
        else
            for (unsigned long i = 0; i < samples; ++i)
                out[i] = static_cast<int16_t>(le16(piece + 2 * i));
        done += want;
    }
    return static_cast<long>(done);
}

long WaveDecoder::readAdpcm(int16_t* frames, unsigned long count)
{
    unsigned long done = 0;
    while (done < count) {
        if (blockPosition == blockAvailable) {
            const uint64_t consumed = input->tell() - dataStart;
            const unsigned long bytes =
                static_cast<unsigned long>(std::min<uint64_t>(blockAlign, dataBytes - std::min(consumed, dataBytes)));
            if (bytes == 0 || !readExactly(input, block, bytes))
                return -ResultCode::DecompressError;
            long decoded = decodeImaBlock(block, bytes, channelCount, blockFrames, blockSamples);
            if (decoded <= 0)
                return -ResultCode::DecompressError;
            blockAvailable = static_cast<unsigned long>(decoded);
            blockPosition = 0;
        }
        const unsigned long take = std::min(count - done, blockAvailable - blockPosition);
        std::memcpy(frames + static_cast<size_t>(done) * channelCount,
                    blockSamples + static_cast<size_t>(blockPosition) * channelCount,
                    static_cast<size_t>(take) * channelCount * sizeof(int16_t));
        blockPosition += take;
        done += take;
    }
    return static_cast<long>(done);
}

long WaveDecoder::decodeImaBlock(const unsigned char* data, size_t bytes, unsigned channels, unsigned blockFrames,
                                 int16_t* frames)
{
    const size_t headerBytes = 4u * channels;
    if (bytes < headerBytes)
        return -1;
    ImaChannel state[2];
    for (unsigned c = 0; c < channels; ++c) {
        const unsigned char* header = data + 4 * c;
        state[c].predictor = static_cast<int16_t>(le16(header));
        state[c].index = header[2];
        if (state[c].index > 88)
            return -1;
        frames[c] = static_cast<int16_t>(state[c].predictor);
    }
    const size_t groups = std::min<size_t>((bytes - headerBytes) / headerBytes, (blockFrames - 1) / 8);
    const unsigned char* at = data + headerBytes;
    for (size_t group = 0; group < groups; ++group) {
        for (unsigned c = 0; c < channels; ++c, at += 4) {
            int16_t* out = frames + (1 + group * 8) * channels + c;
            for (unsigned i = 0; i < 8; ++i) {
                const unsigned nibble = (at[i / 2] >> (4 * (i & 1))) & 0xF;
                out[i * channels] = state[c].decode(nibble);
            }
        }
    }
    return static_cast<long>(1 + groups * 8);
}
