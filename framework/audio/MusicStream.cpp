#include "audio/MusicStream.h"

#include "audio/SoundDecoder.h"
#include "core/ResultCodes.h"

MusicStream::MusicStream(File* file) : input(file) {}

MusicStream::~MusicStream() {}

long MusicStream::open()
{
    long result = ResultCode::Ok;
    decoder.reset(SoundDecoder::open(&input, result));
    if (!decoder)
        return result;
    channelCount = decoder->channels();
    converter.start(decoder.get());
    return ResultCode::Ok;
}

unsigned long MusicStream::read(int16_t* frames, unsigned long count)
{
    if (atEnd || !decoder)
        return 0;
    long got = converter.read(frames, count);
    if (got <= 0) {
        atEnd = true;
        return 0;
    }
    return static_cast<unsigned long>(got);
}

bool MusicStream::rewind()
{
    if (!decoder || decoder->rewind() != ResultCode::Ok)
        return false;
    converter.start(decoder.get());
    atEnd = false;
    return true;
}
