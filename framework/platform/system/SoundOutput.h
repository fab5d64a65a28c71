#ifndef PARVOLIN_SOUND_OUTPUT_H
#define PARVOLIN_SOUND_OUTPUT_H

#include "platform/base/PlatformTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>

// What the device's speaker gives out over the run: stereo frames of 16-bit samples at
// 44,100 Hz, from the run's start on, silence where nothing plays. It moves with the clock
// of the run (Clock::current()): the calls that read the clock or wait on it
// (GetTickCount, QueryPerformanceCounter, Sleep, the waits, the wave-output calls) let it
// catch up to the time they saw, so that each wait of the program plays exactly the
// samples of the time waited, the fractions carried so that nothing drifts. What it gives
// out goes to the host (Host::playSound) while the wave output is open and, with
// PARVOLIN_AUDIO_OUT, into a WAV file.

// What plays into the output: the open wave output. render() may notify the program,
// which may write more; it fills all `count` frames (silence where it has nothing).
class SoundProducer {
public:
    virtual ~SoundProducer();
    virtual void render(int16_t* frames, size_t count) = 0;
    // Playing now (not paused): the waits are cut in pieces for it.
    virtual bool playing() const = 0;
};

namespace SoundOutput {

constexpr uint32_t framesPerSecond = 44100;
constexpr unsigned channels = 2;

// PARVOLIN_AUDIO_OUT; false with `why` when the file cannot be written.
bool configureFromEnvironment(std::string& why);
// Records everything given out from now on (it catches up first) into a WAV file at a
// host path; false with `why` when it cannot be written.
bool startRecording(const std::string& path, std::string& why);
// Catches up and completes the file.
void stopRecording();

// The producer plays from the present time on (the output catches up first); null: none.
void attach(SoundProducer* producer);
void detach(SoundProducer* producer);

// The clock said `nanoseconds`: the output plays up to there.
void reached(uint64_t nanoseconds);
// Reads the clock (only when something plays or records) and plays up to it.
void catchUp();
// Sleeps through the clock; while a producer plays, in pieces of at most 5 ms with a
// catch-up after each, so that its buffers are done when they have been played.
// `meanwhile` runs once, within the first piece (see Clock::sleepWhile).
void sleep(DWORD milliseconds, void (*meanwhile)() = nullptr);

// Frames given out since the run's start.
uint64_t framesGivenOut();
// The run starts anew at the clock's present time, with nothing given out (tests that
// install another clock).
void restart();
// The end of the run: plays up to now and completes the recording.
void finish();

} // namespace SoundOutput

#endif
