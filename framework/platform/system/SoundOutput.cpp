#include "platform/system/SoundOutput.h"

#include "platform/base/Clock.h"
#include "platform/base/Host.h"
#include "platform/system/WaveFileWriter.h"

#include <algorithm>
#include <cstdlib>

SoundProducer::~SoundProducer() {}

namespace {

constexpr size_t chunkFrames = 512;
constexpr DWORD sleepPiece = 5;

struct Output {
    bool started = false;
    // The frames due at a time are originFrames plus the time since originNanoseconds in
    // frames, computed whole each time, so no rounding piles up.
    uint64_t originNanoseconds = 0;
    uint64_t originFrames = 0;
    uint64_t givenOut = 0;
    SoundProducer* producer = nullptr;
    bool rendering = false;
    WaveFileWriter recording;
    int16_t chunk[chunkFrames * SoundOutput::channels];
};

// Never destroyed: the output is still asked about while the process ends.
Output& output()
{
    static Output* instance = new Output();
    return *instance;
}

bool active(const Output& state) { return state.producer || state.recording.isOpen(); }

void start(Output& state, uint64_t now)
{
    state.started = true;
    state.originNanoseconds = now;
    state.originFrames = state.givenOut;
}

uint64_t framesDue(const Output& state, uint64_t now)
{
    unsigned __int128 elapsed = now - state.originNanoseconds;
    return state.originFrames +
           static_cast<uint64_t>(elapsed * SoundOutput::framesPerSecond / 1000000000u);
}

void giveOut(Output& state, uint64_t until)
{
    // A producer's notification may read the clock again: that reading waits for this one.
    state.rendering = true;
    while (state.givenOut < until) {
        const size_t count = static_cast<size_t>(std::min<uint64_t>(until - state.givenOut, chunkFrames));
        SoundProducer* producer = state.producer;
        if (producer)
            producer->render(state.chunk, count);
        else
            std::fill(state.chunk, state.chunk + count * SoundOutput::channels, int16_t(0));
        state.givenOut += count;
        state.recording.write(state.chunk, count);
        if (producer)
            Hosts::current().playSound(state.chunk, count);
    }
    state.rendering = false;
}
} // namespace

namespace SoundOutput {

bool configureFromEnvironment(std::string& why)
{
    const char* path = std::getenv("PARVOLIN_AUDIO_OUT");
    if (!path || !*path)
        return true;
    if (!startRecording(path, why)) {
        why = std::string("PARVOLIN_AUDIO_OUT \"") + path + "\": " + why;
        return false;
    }
    return true;
}

bool startRecording(const std::string& path, std::string& why)
{
    Output& state = output();
    catchUp();
    if (!state.recording.open(path, why))
        return false;
    if (!state.started)
        start(state, Clock::current().peekNanoseconds());
    return true;
}

void stopRecording()
{
    Output& state = output();
    catchUp();
    state.recording.close();
}

void attach(SoundProducer* producer)
{
    Output& state = output();
    catchUp();
    if (!state.started)
        start(state, Clock::current().peekNanoseconds());
    state.producer = producer;
}

void detach(SoundProducer* producer)
{
    Output& state = output();
    if (state.producer == producer)
        state.producer = nullptr;
}

void reached(uint64_t nanoseconds)
{
    Output& state = output();
    if (!active(state) || state.rendering)
        return;
    if (!state.started || nanoseconds < state.originNanoseconds) {
        // A clock that went back (another one was installed): the run goes on from here.
        start(state, nanoseconds);
        return;
    }
    giveOut(state, framesDue(state, nanoseconds));
}

void catchUp()
{
    Output& state = output();
    if (active(state) && !state.rendering)
        reached(Clock::current().peekNanoseconds());
}

void sleep(DWORD milliseconds, void (*meanwhile)())
{
    Output& state = output();
    Clock& clock = Clock::current();
    while (milliseconds > sleepPiece && state.producer && state.producer->playing() && !state.rendering) {
        clock.sleepWhile(sleepPiece, meanwhile);
        meanwhile = nullptr;
        milliseconds -= sleepPiece;
        catchUp();
    }
    clock.sleepWhile(milliseconds, meanwhile);
    catchUp();
}

uint64_t framesGivenOut() { return output().givenOut; }

void restart()
{
    Output& state = output();
    state.started = false;
    state.givenOut = 0;
    state.originFrames = 0;
    if (active(state))
        start(state, Clock::current().peekNanoseconds());
}

void finish()
{
    stopRecording();
}

} // namespace SoundOutput
