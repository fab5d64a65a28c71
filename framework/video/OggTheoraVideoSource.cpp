#include "video/OggTheoraVideoSource.h"

#include "audio/AudioStreams.h"
#include "core/ResultCodes.h"
#include "files/File.h"
#include "graphics/Surface.h"
#include "pixels/YuvKernels.h"

#include <cstring>

OggTheoraVideoSource::OggTheoraVideoSource()
    : isOpen(false), file(nullptr), headerPackets(0), headersDone(false), decoderReady(false), frameReady(false)
{
    std::memset(&sync, 0, sizeof sync);
    std::memset(&page, 0, sizeof page);
    std::memset(&probe, 0, sizeof probe);
    std::memset(&stream, 0, sizeof stream);
    std::memset(&info, 0, sizeof info);
    std::memset(&comment, 0, sizeof comment);
    std::memset(&decoder, 0, sizeof decoder);
    std::memset(&packet, 0, sizeof packet);
}

OggTheoraVideoSource::~OggTheoraVideoSource() { close(); }

long OggTheoraVideoSource::open(File* newFile)
{
    if (!newFile)
        return ResultCode::NullParameter;
    close();
    file = newFile;
    framesDecoded = 0;
    timeMs = 0;
    headerPackets = 0;
    headersDone = false;
    decoderReady = false;
    frameReady = false;
    ogg_sync_init(&sync);
    theora_comment_init(&comment);
    theora_info_init(&info);
    isOpen = true;

    findTheoraStream();
    if (!readRemainingHeaders() || !startDecoder())
        return failOpen();
    readSoundHeaders();
    return ResultCode::Ok;
}

void OggTheoraVideoSource::findTheoraStream()
{
    // Every stream begins with a beginning-of-stream page, all of them before any other
    // page; the first whose first packet libtheora takes as a header is the video.
    while (!headersDone) {
        if (readData() == 0)
            return;
        while (takePage()) {
            if (!ogg_page_bos(&page)) {
                routePage();
                headersDone = true;
                break;
            }
            ogg_stream_init(&probe, ogg_page_serialno(&page));
            ogg_stream_pagein(&probe, &page);
            ogg_packet first;
            const bool packet = ogg_stream_packetout(&probe, &first) == 1;
            if (packet && !headerPackets && theora_decode_header(&info, &comment, &first) == 0) {
                stream = probe;
                headerPackets = 1;
            } else if (!packet || !track.takeFirstPacket(probe, first)) {
                ogg_stream_clear(&probe);
            }
        }
    }
}

bool OggTheoraVideoSource::readRemainingHeaders()
{
    while (headerPackets == 1 || headerPackets == 2) {
        int got = ogg_stream_packetout(&stream, &packet);
        if (got < 0)
            return false;
        if (got > 0) {
            if (theora_decode_header(&info, &comment, &packet) != 0)
                return false;
            ++headerPackets;
        } else if (takePage()) {
            routePage();
        } else if (readData() == 0) {
            return false;
        }
    }
    return true;
}

void OggTheoraVideoSource::readSoundHeaders()
{
    // The sound's headers follow the video's; a file that never brings them is not read
    // further than a few pieces for them.
    for (int reads = 0; track.found() && !track.headersSettled();) {
        if (takePage())
            routePage();
        else if (++reads > soundHeaderReads || readData() == 0)
            return;
    }
}

bool OggTheoraVideoSource::startDecoder()
{
    // Without a Theora stream the info holds no frame rate to divide by.
    if (headerPackets == 0 || info.fps_numerator == 0)
        return false;
    if (static_cast<uint64_t>(info.width) * info.height > maxFramePixels)
        return false;
    if (theora_decode_init(&decoder, &info) != 0)
        return false;
    decoderReady = true;
    uint64_t ms = 1000ull * info.fps_denominator / info.fps_numerator;
    frameMs = ms > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(ms);
    return true;
}

long OggTheoraVideoSource::failOpen()
{
    close();
    return ResultCode::VideoOpenError;
}

long OggTheoraVideoSource::close()
{
    if (!isOpen)
        return ResultCode::Ok;
    detachAudio();
    track.clear();
    file->close();
    file = nullptr;
    if (headerPackets)
        ogg_stream_clear(&stream);
    if (decoderReady)
        theora_clear(&decoder);
    theora_comment_clear(&comment);
    theora_info_clear(&info);
    ogg_sync_clear(&sync);
    headerPackets = 0;
    decoderReady = false;
    frameReady = false;
    isOpen = false;
    return ResultCode::Ok;
}

long OggTheoraVideoSource::getNextFrame(Surface* target)
{
    if (!target)
        return ResultCode::NullParameter;
    if (channel >= 0 && isOpen)
        return frameAtSoundClock(target);
    return produceFrame(target);
}

long OggTheoraVideoSource::skipNextFrame() { return produceFrame(nullptr); }

long OggTheoraVideoSource::produceFrame(Surface* target)
{
    if (!isOpen)
        return ResultCode::VideoNotInitialized;
    // The sound track may ask for file data while the mixer runs; not in the middle of this.
    struct Busy {
        bool& flag;
        explicit Busy(bool& f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } busyNow(busy);
    addPagesToStream();
    if (takePacket()) {
        // A packet without bytes repeats the previous frame; before the first picture
        // there is nothing in the decoder's buffer to show.
        if (theora_decode_packetin(&decoder, &packet) == 0 && packet.bytes > 0)
            frameReady = true;
        advanceTime();
        return target && frameReady ? convertPicture(target) : ResultCode::Ok;
    }
    if (file->eof())
        return ResultCode::EndOfVideo;
    readData();
    addPagesToStream();
    return ResultCode::Ok;
}

long OggTheoraVideoSource::convertPicture(Surface* target)
{
    yuv_buffer planes;
    if (theora_decode_YUVout(&decoder, &planes) != 0)
        return ResultCode::Ok;
    const unsigned long width = info.frame_width;
    const unsigned long height = info.frame_height;
    const unsigned long x = info.offset_x;
    const unsigned long y = info.offset_y;
    // Each layout with its own chroma planes: halved across except in 4:4:4, halved down
    // only in 4:2:0. The reserved layout is not drawn.
    if (info.pixelformat != OC_PF_420 && info.pixelformat != OC_PF_422 && info.pixelformat != OC_PF_444)
        return ResultCode::Ok;
    const unsigned shiftX = info.pixelformat == OC_PF_444 ? 0 : 1;
    const unsigned shiftY = info.pixelformat == OC_PF_420 ? 1 : 0;
    auto chromaSpan = [](unsigned long start, unsigned long length, unsigned shift) {
        return (start >> shift) + ((length + (1ul << shift) - 1) >> shift);
    };
    // libtheora checks the picture against the coded frame; a plane smaller than the
    // picture needs is never read from all the same.
    if (width == 0 || height == 0 || x + width > static_cast<unsigned long>(planes.y_width) ||
        y + height > static_cast<unsigned long>(planes.y_height) ||
        chromaSpan(x, width, shiftX) > static_cast<unsigned long>(planes.uv_width) ||
        chromaSpan(y, height, shiftY) > static_cast<unsigned long>(planes.uv_height))
        return ResultCode::Ok;

    if (long result = target->create(width, height + extraHeight))
        return result;
    Surface::Buffer buffer;
    if (long result = target->getBuffer(&buffer))
        return result;
    // A surface class whose create kept another size, or whose rows run otherwise, is not
    // written at all rather than past its end.
    if (buffer.xPitch != 1 || buffer.width < width || buffer.height < height)
        return ResultCode::InvalidSurface;

    YuvKernels::Picture picture;
    picture.y = planes.y + static_cast<long>(y) * planes.y_stride + static_cast<long>(x);
    picture.u = planes.u + static_cast<long>(y >> shiftY) * planes.uv_stride + static_cast<long>(x >> shiftX);
    picture.v = planes.v + static_cast<long>(y >> shiftY) * planes.uv_stride + static_cast<long>(x >> shiftX);
    picture.yStride = planes.y_stride;
    picture.uvStride = planes.uv_stride;
    picture.width = width;
    picture.height = height;
    picture.chromaShiftX = shiftX;
    picture.chromaShiftY = shiftY;
    YuvKernels::convert(picture, buffer.pixels, buffer.yPitch);
    return ResultCode::Ok;
}

long OggTheoraVideoSource::readData()
{
    char* buffer = ogg_sync_buffer(&sync, readSize);
    if (!buffer)
        return 0;
    long got = file->read(buffer, readSize);
    if (got <= 0)
        return 0;
    ogg_sync_wrote(&sync, got);
    return got;
}

bool OggTheoraVideoSource::takePage()
{
    // A negative answer means bytes were skipped to find the next page: look again.
    int got;
    while ((got = ogg_sync_pageout(&sync, &page)) < 0) {
    }
    return got > 0;
}

void OggTheoraVideoSource::addPagesToStream()
{
    while (takePage())
        routePage();
}

void OggTheoraVideoSource::routePage()
{
    // Each stream takes only the pages of its own serial number.
    if (headerPackets)
        ogg_stream_pagein(&stream, &page);
    track.pageIn(page, channel >= 0);
}

bool OggTheoraVideoSource::attachAudio(Audio* newAudio)
{
    detachAudio();
    if (!isOpen || !newAudio || !track.found() || !track.ready())
        return false;
    track.setRefill(refillForTrack, this);
    track.stream.start(&track);
    if (AudioStreams::play(newAudio, &track.stream, &channel) != ResultCode::Ok) {
        channel = -1;
        track.stream.start(nullptr);
        return false;
    }
    audio = newAudio;
    // The sound from here on goes with the frame that comes next.
    soundBase = dueAt(framesDecoded);
    return true;
}

void OggTheoraVideoSource::detachAudio()
{
    if (channel >= 0)
        AudioStreams::stop(audio, channel);
    channel = -1;
    audio = nullptr;
    track.stream.start(nullptr);
}

int OggTheoraVideoSource::refillForTrack(void* owner)
{
    OggTheoraVideoSource* source = static_cast<OggTheoraVideoSource*>(owner);
    if (source->busy || !source->isOpen)
        return 0;
    if (source->readData() == 0)
        return -1;
    source->addPagesToStream();
    return 1;
}

uint64_t OggTheoraVideoSource::dueAt(uint64_t frame) const
{
    const unsigned __int128 samples = static_cast<unsigned __int128>(frame) * info.fps_denominator * 44100u;
    return static_cast<uint64_t>(samples / info.fps_numerator);
}

long OggTheoraVideoSource::produceWholeFrame(Surface* target)
{
    const uint32_t before = framesDecoded;
    long result = ResultCode::Ok;
    while (result == ResultCode::Ok && framesDecoded == before)
        result = produceFrame(target);
    return result;
}

long OggTheoraVideoSource::frameAtSoundClock(Surface* target)
{
    const uint64_t clock = soundBase + AudioStreams::played(audio, channel);
    if (dueAt(framesDecoded) > clock)
        return ResultCode::Ok;
    // Late frames are decoded (the next ones depend on them) but not shown.
    while (dueAt(static_cast<uint64_t>(framesDecoded) + 1) <= clock)
        if (long result = produceWholeFrame(nullptr))
            return result;
    return produceWholeFrame(target);
}

bool OggTheoraVideoSource::takePacket()
{
    if (!headerPackets)
        return false;
    int got;
    while ((got = ogg_stream_packetout(&stream, &packet)) < 0) {
    }
    return got > 0;
}
