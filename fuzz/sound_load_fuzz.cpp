// Loads each input as a sound from memory and as music from a file (both buffer forms of
// the loaders), and plays both through a mixer into memory for a moment under a clock
// moved by hand. Whatever the bytes, the answers are result codes, a loaded sound is
// within the bounds its input allows, and playing it ends.
#include "FuzzFiles.h"

#include "audio/Audio.h"
#include "audio/Music.h"
#include "audio/Sound.h"
#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "platform/base/Clock.h"
#include "platform/base/Host.h"
#include "platform/system/SoundOutput.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string soundPath;
std::wstring soundUri;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "sound_load_fuzz: %s\n", what);
    std::abort();
}

// The speaker into a sum, so that every frame played is read.
class SummingHost : public Host {
public:
    void present(const EmulatedScreen&) override {}
    void playSound(const int16_t* frames, size_t count) override
    {
        for (size_t i = 0; i < 2 * count; ++i)
            sum += frames[i];
    }
    int64_t sum = 0;
};

bool known(long result)
{
    switch (result) {
    case ResultCode::Ok:
    case ResultCode::FileEmpty:
    case ResultCode::UnsupportedCompression:
    case ResultCode::DecompressError:
    case ResultCode::OutOfMemory:
    case ResultCode::SeekError:
        return true;
    default:
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    soundPath = FuzzFiles::temporaryPath("sound-fuzz", ".snd");
    soundUri = FuzzFiles::uri(L"file:", soundPath);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ManualClock clock;
    static SummingHost host;
    Clock::install(&clock);
    Hosts::install(&host);
    SoundOutput::restart();

    Sound sound;
    long loaded = sound.load(data, static_cast<unsigned long>(size));
    if (!known(loaded))
        fail("loading from memory gave an unexpected code");
    // A sound is never longer than its bytes allow: a Vorbis packet of two bytes (with
    // its lacing) gives at most 4,096 frames, 22,600 once taken from 8,000 to 44,100 Hz.
    if (loaded == ResultCode::Ok && (sound.getLength() == 0 || sound.getLength() / 16384 > size))
        fail("a sound's length is out of all proportion to its input");

    FuzzFiles::write(soundPath, data, size);
    Music music;
    long opened = music.open(soundUri.c_str());
    if (!known(opened))
        fail("opening music gave an unexpected code");

    Audio audio;
    if (audio.open() != ResultCode::Ok)
        fail("the mixer did not open");
    if (loaded == ResultCode::Ok && audio.play(&sound, 200, -50, 1) != ResultCode::Ok)
        fail("a loaded sound did not play");
    if (opened == ResultCode::Ok && audio.playMusic(&music, 2) != ResultCode::Ok)
        fail("open music did not play");
    // Half a second of playing, 20 ms at a time.
    for (int step = 0; step < 25; ++step) {
        clock.advanceMilliseconds(20);
        SoundOutput::catchUp();
    }
    audio.close();
    Hosts::install(nullptr);
    Clock::install(nullptr);
    return 0;
}
