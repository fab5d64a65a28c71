// Sound: mixing 16 playing channels into one second of output against SDL's
// SDL_MixAudioFormat mixing the same 16 sources; decoding an Ogg Vorbis sound (Sound::load)
// against libvorbisfile alone; and the processor share of a game that plays music at 32
// frames per second in the window (SDL host; its dummy video driver where there is no
// desktop), against the same game without music, and the processor time that one second
// of streamed music takes through the mixer and the device.
#include "BenchRatios.h"

#include "audio/MixingRule.h"
#include "platform/base/Clock.h"
#include "platform/base/Host.h"
#include "platform/system/SoundOutput.h"
#include "core/ResultCodes.h"
#include "testdata/SoundFiles.h"

#include <Parvolin/Parvolin.h>

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vorbis/vorbisfile.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr size_t channels = 16;
constexpr size_t second = 44100;
constexpr size_t buffer = 882;

// Sixteen stereo sources of one second each, different tones.
const std::vector<std::vector<int16_t>>& sources()
{
    static std::vector<std::vector<int16_t>> all = [] {
        std::vector<std::vector<int16_t>> made;
        for (size_t i = 0; i < channels; ++i)
            made.push_back(SoundFiles::sine(second, 2, 44100, 220.0 + 40.0 * double(i), 3000));
        return made;
    }();
    return all;
}

// As the mixer fills its 20 ms buffers: every channel added, then scaled and saturated.
void mixOurs(benchmark::State& state)
{
    const auto& all = sources();
    std::vector<int32_t> sums(2 * buffer);
    std::vector<int16_t> output(2 * second);
    for (auto _ : state) {
        for (size_t at = 0; at < second; at += buffer) {
            std::fill(sums.begin(), sums.end(), 0);
            for (size_t c = 0; c < channels; ++c)
                MixingRule::add(sums.data(), all[c].data() + 2 * at, buffer, 2, MixingRule::leftGain(200, -40),
                                MixingRule::rightGain(200, -40));
            MixingRule::finish(sums.data(), output.data() + 2 * at, buffer, 256);
        }
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * second));
}

void mixSdl(benchmark::State& state)
{
    const auto& all = sources();
    std::vector<int16_t> output(2 * second);
    const int volume = SDL_MIX_MAXVOLUME * 200 / 256;
    for (auto _ : state) {
        std::memset(output.data(), 0, output.size() * sizeof(int16_t));
        for (size_t c = 0; c < channels; ++c)
            SDL_MixAudioFormat(reinterpret_cast<Uint8*>(output.data()), reinterpret_cast<const Uint8*>(all[c].data()),
                               AUDIO_S16SYS, static_cast<Uint32>(output.size() * sizeof(int16_t)), volume);
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * second));
}

// Five seconds of stereo music at 44,100 Hz.
const std::string& vorbisFile()
{
    static std::string bytes = SoundFiles::vorbis(SoundFiles::sine(5 * second, 2, 44100, 330, 9000), 2, 44100);
    return bytes;
}

void decodeOurs(benchmark::State& state)
{
    const std::string& bytes = vorbisFile();
    Sound sound;
    for (auto _ : state) {
        if (sound.load(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size())))
            state.SkipWithError("the sound did not load");
        benchmark::DoNotOptimize(sound.getSamples());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 5 * second));
}

struct Memory {
    const std::string* bytes;
    size_t at;
};

size_t readMemory(void* out, size_t size, size_t count, void* source)
{
    Memory* memory = static_cast<Memory*>(source);
    size_t bytes = std::min(size * count, memory->bytes->size() - memory->at);
    std::memcpy(out, memory->bytes->data() + memory->at, bytes);
    memory->at += bytes;
    return bytes / size;
}

int seekMemory(void* source, ogg_int64_t offset, int whence)
{
    Memory* memory = static_cast<Memory*>(source);
    int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? int64_t(memory->at) : int64_t(memory->bytes->size());
    if (base + offset < 0 || base + offset > int64_t(memory->bytes->size()))
        return -1;
    memory->at = static_cast<size_t>(base + offset);
    return 0;
}

long tellMemory(void* source) { return static_cast<long>(static_cast<Memory*>(source)->at); }

// libvorbisfile over the same bytes, into one array as a program that plays it would.
void decodeVorbisfile(benchmark::State& state)
{
    const std::string& bytes = vorbisFile();
    std::vector<int16_t> samples;
    for (auto _ : state) {
        Memory memory = {&bytes, 0};
        OggVorbis_File file;
        const ov_callbacks callbacks = {readMemory, seekMemory, nullptr, tellMemory};
        if (ov_open_callbacks(&memory, &file, nullptr, 0, callbacks) != 0) {
            state.SkipWithError("libvorbisfile did not open the file");
            break;
        }
        samples.clear();
        char piece[8192];
        int section = 0;
        long got;
        while ((got = ov_read(&file, piece, sizeof piece, 0, 2, 1, &section)) > 0)
            samples.insert(samples.end(), reinterpret_cast<int16_t*>(piece), reinterpret_cast<int16_t*>(piece + got));
        ov_clear(&file);
        benchmark::DoNotOptimize(samples.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 5 * second));
}

// A game of 64 frames at 32 a second (two seconds) that draws a little each frame and,
// when asked, plays music all the while.
class MusicGame : public StateMachine {
public:
    explicit MusicGame(const std::wstring& musicPath) : path(musicPath) {}
    long configure(Config* config) override
    {
        config->fps = 32;
        config->appName = L"Parvolin audio bench";
        return 0;
    }
    long onInit(Surface*, Panel*, Application* application) override
    {
        if (!path.empty() && music.open(path.c_str()) == ResultCode::Ok && application->getAudio())
            application->getAudio()->playMusic(&music, Audio::forever);
        return 0;
    }
    long onNextFrame(Surface* surface, Panel*) override
    {
        tagRECT square = {20, 20, 120, 120};
        surface->fillRect(0x000000, nullptr, 255);
        surface->fillRect(static_cast<unsigned long>(frames * 4) & 0xFF, &square, 128);
        return ++frames >= 64 ? -1 : 0;
    }
    long onExit() override
    {
        music.close();
        return 0;
    }

private:
    std::wstring path;
    Music music;
    int frames = 0;
};

// Runs the game in a child process (one application per process) and gives the share of
// one processor it took while it ran.
double gameShare(const std::wstring& musicPath)
{
    const auto wallBefore = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        MusicGame* game = new MusicGame(musicPath);
        game->setAppInstance(reinterpret_cast<HINSTANCE>(uintptr_t(0x4000)));
        game->run();
        delete game;
        std::exit(0);
    }
    int status = 0;
    rusage usage = {};
    wait4(child, &status, 0, &usage);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const double processor = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                             double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return processor / wall;
}

void playGame(benchmark::State& state, bool withMusic)
{
    static const std::string folder = std::filesystem::temp_directory_path().string();
    static const std::string path = folder + "/parvolin-bench-music.ogg";
    {
        std::ofstream out(path, std::ios::binary);
        out << vorbisFile();
    }
    const std::wstring musicPath = withMusic ? L"file:" + std::wstring(path.begin(), path.end()) : std::wstring();
    double share = 0;
    for (auto _ : state)
        share = gameShare(musicPath);
    std::remove(path.c_str());
    // The pacer sleeps through most of each frame, so the share is what the frames, the
    // window and the sound cost; the music's own cost is the next benchmark's.
    state.counters["processor share %"] = share * 100;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 64));
}

// The speaker into nothing, under a clock moved by hand.
class NoSpeaker : public Host {
public:
    void present(const EmulatedScreen&) override {}
};

// One second of music (Vorbis, streamed) through the mixer and the device's wave output:
// what sound costs a game, per second played.
void musicSecond(benchmark::State& state)
{
    static ManualClock clock;
    static NoSpeaker host;
    Clock::install(&clock);
    Hosts::install(&host);
    SoundOutput::restart();
    const std::string& bytes = vorbisFile();
    const std::string path = std::filesystem::temp_directory_path().string() + "/parvolin-bench-music2.ogg";
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    Music music;
    Audio audio;
    if (music.open((L"file:" + std::wstring(path.begin(), path.end())).c_str()) || audio.open() ||
        audio.playMusic(&music, Audio::forever))
        state.SkipWithError("the music did not play");
    for (auto _ : state) {
        for (int step = 0; step < 32; ++step) {
            clock.advance(31250000);
            SoundOutput::catchUp();
        }
    }
    audio.close();
    music.close();
    std::remove(path.c_str());
    Hosts::install(nullptr);
    Clock::install(nullptr);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * second));
    // The time per iteration is the processor time one second of music costs.
}

} // namespace

int main(int argc, char** argv)
{
    // The window, on the desktop when there is one; SDL's dummy driver otherwise.
    if (!std::getenv("PARVOLIN_VIDEO"))
        setenv("PARVOLIN_VIDEO", "sdl", 1);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("SDL_VIDEODRIVER"))
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    benchmark::RegisterBenchmark("mix 16 channels, 1 s/parvolin", mixOurs);
    benchmark::RegisterBenchmark("mix 16 channels, 1 s/SDL_MixAudioFormat", mixSdl);
    benchmark::RegisterBenchmark("decode Vorbis, 5 s stereo/parvolin", decodeOurs);
    benchmark::RegisterBenchmark("decode Vorbis, 5 s stereo/libvorbisfile", decodeVorbisfile);
    benchmark::RegisterBenchmark("music through the mixer, 1 s/parvolin", musicSecond);
    benchmark::RegisterBenchmark("game at 32 fps in the window/parvolin", playGame, true)
        ->Iterations(1)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("game at 32 fps in the window/without music", playGame, false)
        ->Iterations(1)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    return BenchRatios::runAll(argc, argv);
}
