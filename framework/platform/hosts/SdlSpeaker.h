#ifndef PARVOLIN_SDL_SPEAKER_H
#define PARVOLIN_SDL_SPEAKER_H

#include <cstddef>
#include <cstdint>

// The device's speaker as an SDL audio device, for the hosts that show the device to a
// person (the window and the frame buffer). It needs SDL's audio subsystem alone, no
// video, and opens with the first sound. It plays a little behind the device's clock, so
// that it never runs dry between the moments the clock is read. A machine without a sound
// device leaves it silent, without a word: the game goes on. One at a time in a process
// (SDL has one audio driver); a build without SDL2 has it silent.
//
// Unless SDL_AUDIODRIVER names a driver, SDL's drivers are tried in SDL's order, except
// the ones that play into nothing or a file ("dummy", "disk"), and ALSA (and sndio, which
// goes through ALSA here) only where ALSA lists an output device: asked to open its default
// device on a machine without a sound card, ALSA fills stderr with its complaints.
class SdlSpeaker {
public:
    SdlSpeaker() = default;
    ~SdlSpeaker();
    SdlSpeaker(const SdlSpeaker&) = delete;
    SdlSpeaker& operator=(const SdlSpeaker&) = delete;

    // `count` stereo frames of 16-bit samples at 44,100 Hz (Host::playSound). A piece that
    // comes while SDL has more than a quarter of a second queued is let go (SDL's clock is
    // slower than the device's), so what waits stays bounded.
    void play(const int16_t* frames, size_t count);

    // Whether an SDL audio device plays the sound (after the first play()).
    bool isOpen() const { return device != 0; }
    // The frames SDL has queued and not played yet.
    uint32_t queuedFrames() const;

    // How far behind the device's clock it plays, and the most it lets wait, in frames.
    static constexpr uint32_t leadFrames = 2048;
    static constexpr uint32_t mostQueuedFrames = 44100 / 4;

private:
    bool open();

    uint32_t device = 0;
    bool tried = false;
};

#endif
