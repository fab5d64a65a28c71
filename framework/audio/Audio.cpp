#include "audio/Audio.h"

#include "audio/AudioMixer.h"
#include "audio/AudioStreams.h"
#include "audio/Music.h"
#include "audio/MusicStream.h"
#include "core/ResultCodes.h"

#include <new>

Audio::Audio() : mixer(new (std::nothrow) AudioMixer()) {}

Audio::~Audio() { delete mixer; }

long Audio::open() { return mixer ? mixer->open() : ResultCode::OutOfMemory; }

long Audio::close() { return mixer ? mixer->close() : ResultCode::AssertionError; }

bool Audio::isOpen() const { return mixer && mixer->isOpen(); }

long Audio::play(Sound* sound, unsigned long volume, long pan, unsigned long loops, long* channel)
{
    return mixer ? mixer->play(sound, volume, pan, loops, channel) : ResultCode::AssertionError;
}

long Audio::stop(long channel) { return mixer ? mixer->stop(channel) : ResultCode::AssertionError; }

long Audio::stopAll() { return mixer ? mixer->stopAll() : ResultCode::AssertionError; }

long Audio::setVolume(long channel, unsigned long volume)
{
    return mixer ? mixer->setVolume(channel, volume) : ResultCode::AssertionError;
}

long Audio::setPan(long channel, long pan) { return mixer ? mixer->setPan(channel, pan) : ResultCode::AssertionError; }

bool Audio::isPlaying(long channel) const { return mixer && mixer->isPlaying(channel); }

long Audio::setMasterVolume(unsigned long volume)
{
    return mixer ? mixer->setMasterVolume(volume) : ResultCode::AssertionError;
}

long Audio::playMusic(Music* music, unsigned long loops)
{
    if (!music)
        return ResultCode::NullParameter;
    return mixer ? mixer->playMusic(music->stream, loops) : ResultCode::AssertionError;
}

long Audio::stopMusic() { return mixer ? mixer->stopMusic() : ResultCode::AssertionError; }

long Audio::setMusicVolume(unsigned long volume)
{
    return mixer ? mixer->setMusicVolume(volume) : ResultCode::AssertionError;
}

bool Audio::isMusicPlaying() const { return mixer && mixer->isMusicPlaying(); }

long Audio::pause() { return mixer ? mixer->pause(true) : ResultCode::AssertionError; }

long Audio::resume() { return mixer ? mixer->pause(false) : ResultCode::AssertionError; }

void Audio::suspend(bool suspended)
{
    if (mixer && mixer->isOpen())
        mixer->suspend(suspended);
}

// The video's way in to the mixer's stream channels.
class AudioStreamAccess {
public:
    static AudioMixer* mixerOf(Audio* audio) { return audio ? audio->mixer : nullptr; }
};

namespace AudioStreams {

long play(Audio* audio, SoundStream* stream, long* channel)
{
    AudioMixer* mixer = AudioStreamAccess::mixerOf(audio);
    if (!audio)
        return ResultCode::NullParameter;
    return mixer ? mixer->playStream(stream, channel) : ResultCode::AssertionError;
}

long stop(Audio* audio, long channel)
{
    AudioMixer* mixer = AudioStreamAccess::mixerOf(audio);
    return mixer ? mixer->stop(channel) : ResultCode::AssertionError;
}

uint64_t played(Audio* audio, long channel)
{
    AudioMixer* mixer = AudioStreamAccess::mixerOf(audio);
    return mixer ? mixer->streamPlayed(channel) : 0;
}

} // namespace AudioStreams
