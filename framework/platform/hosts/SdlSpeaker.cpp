#include "platform/hosts/SdlSpeaker.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>

namespace {
constexpr int speakerRate = 44100;
constexpr uint32_t frameBytes = 4;

SDL_AudioDeviceID openDefaultDevice()
{
    SDL_AudioSpec wanted = {};
    wanted.freq = speakerRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 512;
    return SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
}

bool named(const char* driver, const char* name) { return std::strcmp(driver, name) == 0; }

// The first of SDL's drivers that opens a device, tried so that none complains on stderr
// (see SdlSpeaker.h); 0 when none does, with SDL's audio shut again.
SDL_AudioDeviceID openQuietly()
{
    bool alsaListsNothing = false;
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) {
        const char* driver = SDL_GetAudioDriver(i);
        if (!driver || named(driver, "dummy") || named(driver, "disk") || (named(driver, "sndio") && alsaListsNothing))
            continue;
        if (SDL_AudioInit(driver) != 0)
            continue;
        // Listing ALSA's devices is quiet; opening its default device where there is none
        // is not. Other drivers fail quietly, or cannot list what they have (-1).
        if (named(driver, "alsa") && SDL_GetNumAudioDevices(0) == 0) {
            alsaListsNothing = true;
            SDL_AudioQuit();
            continue;
        }
        if (SDL_AudioDeviceID device = openDefaultDevice())
            return device;
        SDL_AudioQuit();
    }
    return 0;
}
} // namespace

SdlSpeaker::~SdlSpeaker()
{
    if (device) {
        SDL_CloseAudioDevice(device);
        SDL_AudioQuit();
    }
}

bool SdlSpeaker::open()
{
    if (tried)
        return device != 0;
    tried = true;
    // A driver named by the person is SDL's to choose, complaints and all.
    const char* asked = std::getenv("SDL_AUDIODRIVER");
    if (asked && *asked) {
        if (SDL_AudioInit(nullptr) != 0)
            return false;
        device = openDefaultDevice();
        if (!device)
            SDL_AudioQuit();
    } else {
        device = openQuietly();
    }
    if (device)
        SDL_PauseAudioDevice(device, 0);
    return device != 0;
}

uint32_t SdlSpeaker::queuedFrames() const { return device ? SDL_GetQueuedAudioSize(device) / frameBytes : 0; }

void SdlSpeaker::play(const int16_t* frames, size_t count)
{
    if (!frames || !count || !open())
        return;
    const uint32_t queued = queuedFrames();
    // Run dry (at the start, or after the program stopped reading the clock): the lead
    // again. Far ahead (SDL's clock is slower than the device's): this piece is let go.
    if (queued == 0) {
        static const int16_t silence[leadFrames * 2] = {};
        SDL_QueueAudio(device, silence, sizeof silence);
    } else if (queued > mostQueuedFrames) {
        return;
    }
    // What waits stays bounded, also behind a piece longer than a quarter of a second (the
    // device's output hands out 512 frames at a time).
    const size_t most = mostQueuedFrames;
    SDL_QueueAudio(device, frames, static_cast<uint32_t>((count < most ? count : most) * frameBytes));
}
