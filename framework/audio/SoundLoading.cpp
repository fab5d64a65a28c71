#include "audio/SoundLoading.h"

#include "audio/RateConverter.h"
#include "audio/SoundDecoder.h"
#include "audio/SoundInput.h"
#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"

#include <cstring>
#include <memory>
#include <new>

namespace {
constexpr unsigned long pieceFrames = 4096;
// Frames of one sound: 2^31 keeps every count and offset inside 32-bit arithmetic.
constexpr unsigned long mostFrames = 0x80000000ul;
} // namespace

namespace SoundLoading {

long decodeWhole(SoundInput& input, short*& samples, unsigned long& frames, unsigned long& channels)
{
    long result = ResultCode::Ok;
    std::unique_ptr<SoundDecoder> decoder(SoundDecoder::open(&input, result));
    if (!decoder)
        return result;
    RateConverter converter;
    converter.start(decoder.get());
    const unsigned channelCount = decoder->channels();
    // The array grows with what is decoded, never with what a header claims.
    std::unique_ptr<short[]> decoded;
    unsigned long capacity = 0;
    unsigned long count = 0;
    for (;;) {
        if (capacity - count < pieceFrames) {
            if (capacity >= mostFrames)
                return ResultCode::OutOfMemory;
            unsigned long grown = capacity ? capacity * 2 : pieceFrames * 4;
            std::unique_ptr<short[]> larger(new (std::nothrow) short[static_cast<size_t>(grown) * channelCount]);
            if (!larger)
                return ResultCode::OutOfMemory;
            if (count)
                std::memcpy(larger.get(), decoded.get(), sizeof(short) * count * channelCount);
            decoded = std::move(larger);
            capacity = grown;
        }
        long got = converter.read(decoded.get() + static_cast<size_t>(count) * channelCount, pieceFrames);
        if (got < 0)
            return -got;
        if (got == 0)
            break;
        count += static_cast<unsigned long>(got);
    }
    if (count == 0)
        return ResultCode::FileEmpty;
    samples = decoded.release();
    frames = count;
    channels = channelCount;
    return ResultCode::Ok;
}

long openPath(FileSystemManager& manager, File& file, const wchar_t* path)
{
    if (long result = manager.resolveFile(&file, path))
        return result;
    return file.open(FileMode::Read) == ResultCode::Ok ? ResultCode::Ok : ResultCode::FileOpenError;
}

} // namespace SoundLoading
