#ifndef PARVOLIN_TEST_SPEAKER_CAPTURE_H
#define PARVOLIN_TEST_SPEAKER_CAPTURE_H

#include "platform/base/Host.h"
#include "platform/system/SoundOutput.h"
#include "support/DeviceScope.h"

#include <cstdint>
#include <vector>

// The device's speaker into memory, under a clock the test moves: what the wave output
// played, frame by frame (left, right), from the moment of construction.
class SpeakerCapture : public Host {
public:
    SpeakerCapture()
    {
        Hosts::install(this);
        SoundOutput::restart();
    }
    ~SpeakerCapture() override { Hosts::install(nullptr); }

    void present(const EmulatedScreen&) override {}
    void playSound(const int16_t* frames, size_t count) override { samples.insert(samples.end(), frames, frames + 2 * count); }

    // Lets `frames` frames of time pass (in whole nanoseconds, rounded up) and catches up.
    void play(uint64_t frames)
    {
        clock.advance((frames * 1000000000ull + 44099) / 44100);
        SoundOutput::catchUp();
    }
    size_t frames() const { return samples.size() / 2; }
    int16_t left(size_t frame) const { return samples[2 * frame]; }
    int16_t right(size_t frame) const { return samples[2 * frame + 1]; }

    ScopedManualClock clock;
    std::vector<int16_t> samples;
};

#endif
