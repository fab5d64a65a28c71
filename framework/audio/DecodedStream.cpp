#include "audio/DecodedStream.h"

#include "audio/SoundDecoder.h"
#include "core/ResultCodes.h"

void DecodedStream::start(SoundDecoder* source)
{
    decoder = source;
    atEnd = !source;
    if (!source)
        return;
    channelCount = source->channels();
    converter.start(source);
}

unsigned long DecodedStream::read(int16_t* frames, unsigned long count)
{
    if (atEnd)
        return 0;
    long got = converter.read(frames, count);
    if (got < 0 || (got == 0 && decoder->exhausted())) {
        atEnd = true;
        return 0;
    }
    return static_cast<unsigned long>(got);
}

bool DecodedStream::rewind()
{
    if (!decoder || decoder->rewind() != ResultCode::Ok)
        return false;
    start(decoder);
    return true;
}
