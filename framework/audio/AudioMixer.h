#ifndef PARVOLIN_AUDIO_MIXER_H
#define PARVOLIN_AUDIO_MIXER_H

#include "platform/system/WaveOut.h"

#include <cstdint>

class Music;
class Sound;
class SoundStream;

// What Audio does: the channels, the mixing of each 20 ms buffer, and the device's wave
// output, which hands each played buffer back (WOM_DONE) to be mixed anew and written
// again. Two buffers are written at any time, so a sound started now is heard at most
// 40 ms later, and from exactly the sample after what was written before it.
class AudioMixer {
public:
    static constexpr unsigned long bufferFrames = 882;
    static constexpr int bufferCount = 2;
    static constexpr int channelCount = 32;

    AudioMixer();
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    long open();
    long close();
    bool isOpen() const { return output != nullptr; }

    long play(const Sound* sound, unsigned long volume, long pan, unsigned long loops, long* channel);
    long playStream(SoundStream* stream, long* channel);
    long stop(long channel);
    long stopAll();
    long setVolume(long channel, unsigned long volume);
    long setPan(long channel, long pan);
    bool isPlaying(long channel) const;
    long setMasterVolume(unsigned long volume);
    long playMusic(SoundStream* music, unsigned long loops);
    long stopMusic();
    long setMusicVolume(unsigned long volume);
    bool isMusicPlaying() const { return music.active; }
    long pause(bool paused);
    long suspend(bool suspended);
    uint64_t streamPlayed(long channel);

    // A sound or a stream is going: no channel may play it any more.
    static void forget(const Sound* sound);
    static void forget(const SoundStream* stream);

private:
    struct Channel {
        bool active = false;
        const Sound* sound = nullptr;
        SoundStream* stream = nullptr;
        unsigned long position = 0;
        unsigned long loops = 0;
        int32_t volume = 256;
        int32_t pan = 0;
        // A stream's clock: where its first frame went into the output, the frames it
        // could not give; a track keeps its channel after its end so its clock runs on.
        bool keepsClock = false;
        bool started = false;
        bool drained = false;
        uint64_t startFrame = 0;
        uint64_t missing = 0;
    };

    static void deviceDone(HWAVEOUT output, UINT message, DWORD_PTR instance, DWORD_PTR parameter1,
                           DWORD_PTR parameter2);
    void fill(WAVEHDR* header);
    void mixSound(Channel& channel, int32_t* sums, unsigned long count);
    void mixStream(Channel& channel, int32_t* sums, unsigned long count, int32_t volume);
    long checkChannel(long channel) const;
    long freeChannel() const;
    // The device's played frames in 64 bits.
    uint64_t devicePosition();
    long applyPause();

    HWAVEOUT output = nullptr;
    WAVEHDR headers[bufferCount] = {};
    int16_t buffers[bufferCount][bufferFrames * 2] = {};
    int32_t sums[bufferFrames * 2] = {};
    int16_t piece[bufferFrames * 2] = {};
    Channel channels[channelCount];
    Channel music;
    int32_t masterVolume = 256;
    int32_t musicVolume = 256;
    bool paused = false;
    bool suspended = false;
    bool closing = false;
    uint64_t framesWritten = 0;
    uint32_t lastPosition = 0;
    uint64_t positionHigh = 0;
};

#endif
