#include "audio/VorbisDecoder.h"

#include "audio/SoundInput.h"
#include "core/ResultCodes.h"

#include <cstdio>
#include <cstring>

namespace {

size_t readCallback(void* buffer, size_t size, size_t count, void* source)
{
    const size_t bytes = size * count;
    if (bytes == 0)
        return 0;
    long got = static_cast<SoundInput*>(source)->read(buffer, static_cast<unsigned long>(bytes > 0x7FFFFFFF ? 0x7FFFFFFF : bytes));
    return got > 0 ? static_cast<size_t>(got) / size : 0;
}

int seekCallback(void* source, ogg_int64_t offset, int whence)
{
    SoundInput* input = static_cast<SoundInput*>(source);
    int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<int64_t>(input->tell())
                                                                : static_cast<int64_t>(input->size());
    int64_t to = base + offset;
    return to >= 0 && input->seek(static_cast<uint64_t>(to)) ? 0 : -1;
}

long tellCallback(void* source) { return static_cast<long>(static_cast<SoundInput*>(source)->tell()); }

const ov_callbacks inputCallbacks = {readCallback, seekCallback, nullptr, tellCallback};
} // namespace

VorbisDecoder::VorbisDecoder() { std::memset(&file, 0, sizeof file); }

VorbisDecoder::~VorbisDecoder()
{
    if (isOpen)
        ov_clear(&file);
}

long VorbisDecoder::open(SoundInput* newInput)
{
    input = newInput;
    if (!input->seek(0))
        return ResultCode::DecompressError;
    int opened = ov_open_callbacks(input, &file, nullptr, 0, inputCallbacks);
    if (opened != 0)
        return opened == OV_ENOTVORBIS && startsWithOtherStream() ? ResultCode::UnsupportedCompression
                                                                : ResultCode::DecompressError;
    isOpen = true;
    seekable = ov_seekable(&file) != 0;
    const vorbis_info* info = ov_info(&file, -1);
    if (!info)
        return ResultCode::DecompressError;
    if (info->channels < 1 || info->channels > 2 || info->rate < static_cast<long>(lowestRate) ||
        info->rate > static_cast<long>(highestRate))
        return ResultCode::UnsupportedCompression;
    channelCount = static_cast<unsigned>(info->channels);
    sampleRate = static_cast<uint32_t>(info->rate);
    return ResultCode::Ok;
}

bool VorbisDecoder::startsWithOtherStream()
{
    // An Ogg file of something else begins with a whole page of another stream; a cut or
    // damaged Vorbis file does not.
    unsigned char start[65536];
    long got = input->seek(0) ? input->read(start, sizeof start) : -1;
    if (got <= 0)
        return false;
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, got);
    std::memcpy(buffer, start, static_cast<size_t>(got));
    ogg_sync_wrote(&sync, got);
    ogg_page page;
    const bool other = ogg_sync_pageout(&sync, &page) == 1 &&
                       !(page.body_len >= 7 && std::memcmp(page.body, "\x01vorbis", 7) == 0);
    ogg_sync_clear(&sync);
    return other;
}

long VorbisDecoder::read(int16_t* frames, unsigned long count)
{
    unsigned long done = 0;
    const unsigned long frameBytes = 2ul * channelCount;
    while (done < count && !ended) {
        int section = 0;
        char* at = reinterpret_cast<char*>(frames + static_cast<size_t>(done) * channelCount);
        const unsigned long wanted = (count - done) * frameBytes;
        long got = ov_read(&file, at, static_cast<int>(wanted > 0x10000 ? 0x10000 : wanted), 0, 2, 1, &section);
        if (got == OV_HOLE)
            continue;
        if (got < 0)
            return done ? static_cast<long>(done) : -ResultCode::DecompressError;
        if (got == 0) {
            ended = true;
            break;
        }
        // A later link of another format is not played.
        const vorbis_info* info = ov_info(&file, section);
        if (!info || info->channels != static_cast<int>(channelCount) || info->rate != static_cast<long>(sampleRate)) {
            ended = true;
            break;
        }
        done += static_cast<unsigned long>(got) / frameBytes;
    }
    return static_cast<long>(done);
}

long VorbisDecoder::rewind()
{
    if (!seekable || ov_raw_seek(&file, 0) != 0)
        return ResultCode::SeekError;
    ended = false;
    return ResultCode::Ok;
}
