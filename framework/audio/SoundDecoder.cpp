#include "audio/SoundDecoder.h"

#include "audio/SoundInput.h"
#include "audio/VorbisDecoder.h"
#include "audio/WaveDecoder.h"
#include "core/ResultCodes.h"

#include <cstring>
#include <memory>
#include <new>

SoundDecoder::~SoundDecoder() {}

SoundDecoder* SoundDecoder::open(SoundInput* input, long& result)
{
    unsigned char start[4] = {};
    if (input->size() == 0) {
        result = ResultCode::FileEmpty;
        return nullptr;
    }
    if (!input->seek(0) || input->read(start, sizeof start) != static_cast<long>(sizeof start) || !input->seek(0)) {
        result = ResultCode::UnsupportedCompression;
        return nullptr;
    }
    std::unique_ptr<SoundDecoder> decoder;
    if (std::memcmp(start, "RIFF", 4) == 0)
        decoder.reset(new (std::nothrow) WaveDecoder());
    else if (std::memcmp(start, "OggS", 4) == 0)
        decoder.reset(new (std::nothrow) VorbisDecoder());
    else {
        result = ResultCode::UnsupportedCompression;
        return nullptr;
    }
    if (!decoder) {
        result = ResultCode::OutOfMemory;
        return nullptr;
    }
    result = decoder->open(input);
    return result == ResultCode::Ok ? decoder.release() : nullptr;
}
