#include "audio/MusicStream.h"

#include "core/ResultCodes.h"

long MusicStream::open()
{
    long result = ResultCode::Ok;
    decoder.reset(SoundDecoder::open(&input, result));
    start(decoder.get());
    return decoder ? ResultCode::Ok : result;
}
