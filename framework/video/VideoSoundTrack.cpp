#include "video/VideoSoundTrack.h"

#include "core/ResultCodes.h"

#include <cmath>
#include <cstring>

VideoSoundTrack::VideoSoundTrack()
{
    std::memset(&oggStream, 0, sizeof oggStream);
    std::memset(&dsp, 0, sizeof dsp);
    std::memset(&block, 0, sizeof block);
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
}

VideoSoundTrack::~VideoSoundTrack()
{
    clear();
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
}

void VideoSoundTrack::clear()
{
    stream.start(nullptr);
    if (decoding) {
        vorbis_block_clear(&block);
        vorbis_dsp_clear(&dsp);
    }
    if (streamFound)
        ogg_stream_clear(&oggStream);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
    streamFound = false;
    decoding = false;
    fileEnded = false;
    headers = 0;
}

bool VideoSoundTrack::takeFirstPacket(ogg_stream_state& probe, ogg_packet& packet)
{
    if (streamFound || vorbis_synthesis_headerin(&info, &comment, &packet) != 0)
        return false;
    oggStream = probe;
    streamFound = true;
    headers = 1;
    return true;
}

void VideoSoundTrack::pageIn(ogg_page& page, bool listened)
{
    if (!streamFound || ogg_stream_pagein(&oggStream, &page) != 0)
        return;
    takeHeaders();
    if (!listened && headers == 3) {
        ogg_packet packet;
        while (ogg_stream_packetout(&oggStream, &packet) != 0) {
        }
    }
}

bool VideoSoundTrack::takeHeaders()
{
    ogg_packet packet;
    while (headers > 0 && headers < 3) {
        int got = ogg_stream_packetout(&oggStream, &packet);
        if (got == 0)
            return false;
        // A damaged header leaves the video without sound.
        if (got < 0 || vorbis_synthesis_headerin(&info, &comment, &packet) != 0) {
            headers = -1;
            return false;
        }
        ++headers;
    }
    return headers == 3;
}

bool VideoSoundTrack::ready()
{
    if (decoding)
        return true;
    if (!takeHeaders() || info.channels < 1 || info.channels > 2 || info.rate < static_cast<long>(lowestRate) ||
        info.rate > static_cast<long>(highestRate))
        return false;
    if (vorbis_synthesis_init(&dsp, &info) != 0)
        return false;
    if (vorbis_block_init(&dsp, &block) != 0) {
        vorbis_dsp_clear(&dsp);
        return false;
    }
    decoding = true;
    return true;
}

void VideoSoundTrack::setRefill(Refill newRefill, void* newOwner)
{
    refill = newRefill;
    owner = newOwner;
}

long VideoSoundTrack::read(int16_t* frames, unsigned long count)
{
    if (!decoding)
        return 0;
    const unsigned channelCount = channels();
    unsigned long done = 0;
    while (done < count) {
        float** pcm = nullptr;
        int available = vorbis_synthesis_pcmout(&dsp, &pcm);
        if (available > 0) {
            unsigned long take = count - done;
            if (take > static_cast<unsigned long>(available))
                take = static_cast<unsigned long>(available);
            for (unsigned long i = 0; i < take; ++i)
                for (unsigned c = 0; c < channelCount; ++c) {
                    float value = std::floor(pcm[c][i] * 32768.0f + 0.5f);
                    value = value > 32767.0f ? 32767.0f : value < -32768.0f ? -32768.0f : value;
                    frames[(done + i) * channelCount + c] = static_cast<int16_t>(value);
                }
            vorbis_synthesis_read(&dsp, static_cast<int>(take));
            done += take;
            continue;
        }
        ogg_packet packet;
        int got = ogg_stream_packetout(&oggStream, &packet);
        if (got > 0) {
            if (vorbis_synthesis(&block, &packet) == 0)
                vorbis_synthesis_blockin(&dsp, &block);
            continue;
        }
        if (got < 0)
            continue;
        const int more = fileEnded || !refill ? 0 : refill(owner);
        if (more <= 0) {
            fileEnded = fileEnded || more < 0;
            break;
        }
    }
    return static_cast<long>(done);
}

long VideoSoundTrack::rewind() { return ResultCode::SeekError; }
