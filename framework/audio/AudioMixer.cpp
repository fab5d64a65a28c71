#include "audio/AudioMixer.h"

#include "audio/MixingRule.h"
#include "audio/Sound.h"
#include "audio/SoundStream.h"
#include "core/ResultCodes.h"

#include <cstring>

namespace {
// The open mixer: one per process, as the device has one output.
AudioMixer* openMixer = nullptr;

constexpr unsigned long foreverLoops = static_cast<unsigned long>(-1);
constexpr unsigned long mostVolume = 256;
constexpr long mostPan = 256;

bool badVolume(unsigned long volume) { return volume > mostVolume; }
bool badPan(long pan) { return pan < -mostPan || pan > mostPan; }

// One loop used up; false when none is left.
bool takeLoop(unsigned long& loops)
{
    if (loops == 0)
        return false;
    if (loops != foreverLoops)
        --loops;
    return true;
}
} // namespace

SoundStream::~SoundStream() { AudioMixer::forget(this); }

AudioMixer::AudioMixer() {}

AudioMixer::~AudioMixer()
{
    if (isOpen())
        close();
}

long AudioMixer::open()
{
    if (isOpen())
        return ResultCode::Ok;
    if (openMixer)
        return ResultCode::UnsupportedMode;
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
    HWAVEOUT opened = nullptr;
    if (waveOutOpen(&opened, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(&AudioMixer::deviceDone),
                    reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR)
        return ResultCode::UnsupportedMode;
    output = opened;
    openMixer = this;
    closing = false;
    framesWritten = 0;
    lastPosition = 0;
    positionHigh = 0;
    for (int i = 0; i < bufferCount; ++i) {
        headers[i] = {};
        headers[i].lpData = reinterpret_cast<LPSTR>(buffers[i]);
        headers[i].dwBufferLength = sizeof buffers[i];
        waveOutPrepareHeader(output, &headers[i], sizeof(WAVEHDR));
    }
    applyPause();
    for (int i = 0; i < bufferCount; ++i)
        fill(&headers[i]);
    return ResultCode::Ok;
}

long AudioMixer::close()
{
    if (!isOpen())
        return ResultCode::AssertionError;
    // The buffers come back done; none is written again.
    closing = true;
    waveOutReset(output);
    for (int i = 0; i < bufferCount; ++i)
        waveOutUnprepareHeader(output, &headers[i], sizeof(WAVEHDR));
    waveOutClose(output);
    output = nullptr;
    openMixer = nullptr;
    for (Channel& channel : channels)
        channel = Channel();
    music = Channel();
    paused = false;
    suspended = false;
    return ResultCode::Ok;
}

void AudioMixer::deviceDone(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR parameter1, DWORD_PTR)
{
    AudioMixer* mixer = reinterpret_cast<AudioMixer*>(instance);
    if (message == WOM_DONE && !mixer->closing)
        mixer->fill(reinterpret_cast<WAVEHDR*>(parameter1));
}

void AudioMixer::fill(WAVEHDR* header)
{
    std::memset(sums, 0, sizeof sums);
    for (Channel& channel : channels) {
        if (!channel.active)
            continue;
        if (channel.stream)
            mixStream(channel, sums, bufferFrames, channel.volume);
        else
            mixSound(channel, sums, bufferFrames);
    }
    if (music.active)
        mixStream(music, sums, bufferFrames, musicVolume);
    MixingRule::finish(sums, reinterpret_cast<int16_t*>(header->lpData), bufferFrames, masterVolume);
    framesWritten += bufferFrames;
    waveOutWrite(output, header, sizeof(WAVEHDR));
}

void AudioMixer::mixSound(Channel& channel, int32_t* into, unsigned long count)
{
    const short* samples = channel.sound->getSamples();
    const unsigned long frames = channel.sound->getLength();
    const unsigned channelsOf = static_cast<unsigned>(channel.sound->getChannels());
    const int32_t left = MixingRule::leftGain(channel.volume, channel.pan);
    const int32_t right = MixingRule::rightGain(channel.volume, channel.pan);
    unsigned long done = 0;
    while (done < count) {
        unsigned long take = frames - channel.position;
        if (take > count - done)
            take = count - done;
        MixingRule::add(into + 2 * done, samples + static_cast<size_t>(channel.position) * channelsOf, take, channelsOf,
                        left, right);
        channel.position += take;
        done += take;
        if (channel.position == frames) {
            channel.position = 0;
            if (!takeLoop(channel.loops)) {
                channel = Channel();
                return;
            }
        }
    }
}

void AudioMixer::mixStream(Channel& channel, int32_t* into, unsigned long count, int32_t volume)
{
    if (!channel.started) {
        channel.started = true;
        channel.startFrame = framesWritten;
    }
    if (channel.drained)
        return;
    const unsigned channelsOf = channel.stream->channels();
    const int32_t left = MixingRule::leftGain(volume, channel.pan);
    const int32_t right = MixingRule::rightGain(volume, channel.pan);
    unsigned long done = 0;
    bool rewound = false;
    while (done < count) {
        unsigned long got = channel.stream->read(piece, count - done);
        if (got > count - done)
            got = count - done;
        MixingRule::add(into + 2 * done, piece, got, channelsOf, left, right);
        done += got;
        if (got > 0) {
            rewound = false;
            continue;
        }
        if (!channel.stream->ended()) {
            channel.missing += count - done;
            break;
        }
        // At its end: again while loops are left (a stream that gives nothing right after
        // going back ends here, rather than spinning).
        if (rewound || !takeLoop(channel.loops) || !channel.stream->rewind()) {
            if (channel.keepsClock)
                channel.drained = true;
            else
                channel = Channel();
            return;
        }
        rewound = true;
    }
}

long AudioMixer::checkChannel(long channel) const
{
    if (channel < 0 || channel >= channelCount)
        return ResultCode::InvalidCoordinates;
    return isOpen() ? ResultCode::Ok : ResultCode::AssertionError;
}

long AudioMixer::freeChannel() const
{
    for (long i = 0; i < channelCount; ++i)
        if (!channels[i].active)
            return i;
    return -1;
}

long AudioMixer::play(const Sound* sound, unsigned long volume, long pan, unsigned long loops, long* channel)
{
    if (!sound)
        return ResultCode::NullParameter;
    if (badVolume(volume))
        return ResultCode::InvalidOpacity;
    if (badPan(pan))
        return ResultCode::InvalidCoordinates;
    if (!isOpen())
        return ResultCode::AssertionError;
    if (sound->getLength() == 0)
        return ResultCode::FileEmpty;
    long taken = freeChannel();
    if (taken < 0)
        return ResultCode::OutOfMemory;
    Channel& slot = channels[taken];
    slot = Channel();
    slot.active = true;
    slot.sound = sound;
    slot.loops = loops;
    slot.volume = static_cast<int32_t>(volume);
    slot.pan = static_cast<int32_t>(pan);
    if (channel)
        *channel = taken;
    return ResultCode::Ok;
}

long AudioMixer::playStream(SoundStream* stream, long* channel)
{
    if (!stream)
        return ResultCode::NullParameter;
    if (!isOpen())
        return ResultCode::AssertionError;
    long taken = freeChannel();
    if (taken < 0)
        return ResultCode::OutOfMemory;
    Channel& slot = channels[taken];
    slot = Channel();
    slot.active = true;
    slot.stream = stream;
    slot.keepsClock = true;
    if (channel)
        *channel = taken;
    return ResultCode::Ok;
}

long AudioMixer::stop(long channel)
{
    if (long result = checkChannel(channel))
        return result;
    channels[channel] = Channel();
    return ResultCode::Ok;
}

long AudioMixer::stopAll()
{
    if (!isOpen())
        return ResultCode::AssertionError;
    for (Channel& channel : channels)
        channel = Channel();
    return ResultCode::Ok;
}

long AudioMixer::setVolume(long channel, unsigned long volume)
{
    if (badVolume(volume))
        return ResultCode::InvalidOpacity;
    if (long result = checkChannel(channel))
        return result;
    channels[channel].volume = static_cast<int32_t>(volume);
    return ResultCode::Ok;
}

long AudioMixer::setPan(long channel, long pan)
{
    if (badPan(pan))
        return ResultCode::InvalidCoordinates;
    if (long result = checkChannel(channel))
        return result;
    channels[channel].pan = static_cast<int32_t>(pan);
    return ResultCode::Ok;
}

bool AudioMixer::isPlaying(long channel) const
{
    return channel >= 0 && channel < channelCount && channels[channel].active && !channels[channel].drained;
}

long AudioMixer::setMasterVolume(unsigned long volume)
{
    if (badVolume(volume))
        return ResultCode::InvalidOpacity;
    if (!isOpen())
        return ResultCode::AssertionError;
    masterVolume = static_cast<int32_t>(volume);
    return ResultCode::Ok;
}

long AudioMixer::playMusic(SoundStream* stream, unsigned long loops)
{
    if (!stream)
        return ResultCode::FileNotInitialized;
    if (!isOpen())
        return ResultCode::AssertionError;
    if (!stream->rewind())
        return ResultCode::SeekError;
    music = Channel();
    music.active = true;
    music.stream = stream;
    music.loops = loops;
    return ResultCode::Ok;
}

long AudioMixer::stopMusic()
{
    if (!isOpen())
        return ResultCode::AssertionError;
    music = Channel();
    return ResultCode::Ok;
}

long AudioMixer::setMusicVolume(unsigned long volume)
{
    if (badVolume(volume))
        return ResultCode::InvalidOpacity;
    if (!isOpen())
        return ResultCode::AssertionError;
    musicVolume = static_cast<int32_t>(volume);
    return ResultCode::Ok;
}

long AudioMixer::pause(bool pausing)
{
    if (!isOpen())
        return ResultCode::AssertionError;
    paused = pausing;
    return applyPause();
}

long AudioMixer::suspend(bool suspending)
{
    if (!isOpen())
        return ResultCode::AssertionError;
    suspended = suspending;
    return applyPause();
}

long AudioMixer::applyPause()
{
    MMRESULT result = paused || suspended ? waveOutPause(output) : waveOutRestart(output);
    return result == MMSYSERR_NOERROR ? ResultCode::Ok : ResultCode::UnknownError;
}

uint64_t AudioMixer::devicePosition()
{
    MMTIME time = {};
    time.wType = TIME_SAMPLES;
    if (!isOpen() || waveOutGetPosition(output, &time, sizeof time) != MMSYSERR_NOERROR)
        return positionHigh | lastPosition;
    // The device counts in 32 bits: a smaller answer has wrapped.
    if (time.u.sample < lastPosition)
        positionHigh += 1ull << 32;
    lastPosition = time.u.sample;
    return positionHigh | lastPosition;
}

uint64_t AudioMixer::streamPlayed(long channel)
{
    if (channel < 0 || channel >= channelCount || !channels[channel].stream)
        return 0;
    const uint64_t position = devicePosition();
    // Read after the position: asking the device may have mixed more.
    const Channel& track = channels[channel];
    if (!track.started || position < track.startFrame + track.missing)
        return 0;
    return position - track.startFrame - track.missing;
}

void AudioMixer::forget(const Sound* sound)
{
    if (!openMixer)
        return;
    for (Channel& channel : openMixer->channels)
        if (channel.active && channel.sound == sound)
            channel = Channel();
}

void AudioMixer::forget(const SoundStream* stream)
{
    if (!openMixer)
        return;
    for (Channel& channel : openMixer->channels)
        if (channel.active && channel.stream == stream)
            channel = Channel();
    if (openMixer->music.stream == stream)
        openMixer->music = Channel();
}
