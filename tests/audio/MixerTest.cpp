// The mixer, sample by sample through the device's speaker: the mixing rule at the ends of
// its ranges, saturation, loops, stop, pause, and starts exact to the sample.
#include "SpeakerCapture.h"
#include "testdata/SoundFiles.h"

#include "audio/Audio.h"
#include "audio/Sound.h"
#include "core/ResultCodes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr size_t buffer = 882;  // 20 ms

Sound* loaded(Sound& sound, const std::vector<int16_t>& samples, uint16_t channels = 1)
{
    const std::string bytes = SoundFiles::wave16(samples, channels);
    EXPECT_EQ(ResultCode::Ok, sound.load(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
    return &sound;
}

// An open mixer at the start of the speaker's capture: two silent buffers written, so a
// sound played now starts at frame 1764.
struct MixerRun {
    MixerRun() { EXPECT_EQ(ResultCode::Ok, audio.open()); }
    SpeakerCapture speaker;
    Audio audio;
};

struct RuleCase {
    int16_t sample;
    unsigned long volume;
    long pan;
    int16_t left;
    int16_t right;
};

TEST(Mixer, FollowsTheMixingRuleForEveryVolumeAndPan)
{
    const RuleCase cases[] = {
        {1000, 256, 0, 1000, 1000},    {1000, 128, 0, 500, 500},      {1000, 0, 0, 0, 0},
        {1000, 256, 256, 0, 1000},     {1000, 256, -256, 1000, 0},    {1000, 256, 128, 500, 1000},
        {1000, 255, -1, 996, 992},     {-1000, 255, -1, -997, -993},  {32767, 256, 0, 32767, 32767},
        {-32768, 256, 0, -32768, -32768}, {-1, 1, 0, -1, -1},         {-32768, 256, 255, -128, -32768},
    };
    for (const RuleCase& test : cases) {
        MixerRun run;
        Sound sound;
        ASSERT_EQ(ResultCode::Ok, run.audio.play(loaded(sound, {test.sample}), test.volume, test.pan));
        run.speaker.play(3 * buffer);
        EXPECT_EQ(test.left, run.speaker.left(2 * buffer)) << test.sample << " " << test.volume << " " << test.pan;
        EXPECT_EQ(test.right, run.speaker.right(2 * buffer)) << test.sample << " " << test.volume << " " << test.pan;
        EXPECT_EQ(0, run.speaker.left(2 * buffer + 1));
    }
}

TEST(Mixer, AddsChannelsThenScalesBySaturatingTheSum)
{
    MixerRun run;
    Sound up, down, stereo;
    loaded(up, {30000, 30000, 30000});
    loaded(down, {-30000, -30000, -30000});
    loaded(stereo, {100, -200, 300, -400}, 2);
    run.audio.play(&up);
    run.audio.play(&up);
    run.audio.play(&stereo);
    run.speaker.play(3 * buffer);
    EXPECT_EQ(32767, run.speaker.left(2 * buffer));
    EXPECT_EQ(32767, run.speaker.right(2 * buffer));
    EXPECT_EQ(0, run.speaker.left(2 * buffer + 3));

    // Master volume 128 halves the sum before it saturates: 60,100 / 2 and 59,800 / 2.
    EXPECT_EQ(ResultCode::Ok, run.audio.setMasterVolume(128));
    run.audio.play(&up);
    run.audio.play(&up);
    run.audio.play(&stereo);
    run.audio.play(&down);
    run.audio.play(&down);
    run.audio.play(&down);
    run.speaker.play(3 * buffer);
    // Five buffers were written by frame 2646, when these were played.
    const size_t start = 5 * buffer;
    EXPECT_EQ((60000 + 100 - 90000) / 2, run.speaker.left(start));
    EXPECT_EQ((60000 - 200 - 90000) / 2, run.speaker.right(start));
    EXPECT_EQ((60000 + 300 - 90000) / 2, run.speaker.left(start + 1));
}

TEST(Mixer, LoopsStopAndPause)
{
    MixerRun run;
    Sound three;
    loaded(three, {1, 2, 3});
    long channel = -1;
    ASSERT_EQ(ResultCode::Ok, run.audio.play(&three, 256, 0, 2, &channel));
    EXPECT_EQ(0, channel);
    EXPECT_TRUE(run.audio.isPlaying(0));
    run.speaker.play(3 * buffer);
    std::vector<int16_t> heard;
    for (size_t i = 0; i < 10; ++i)
        heard.push_back(run.speaker.left(2 * buffer + i));
    EXPECT_EQ(std::vector<int16_t>({1, 2, 3, 1, 2, 3, 1, 2, 3, 0}), heard);
    EXPECT_FALSE(run.audio.isPlaying(0));

    // For ever, until stopped: the buffers written before the stop still play.
    run.audio.play(&three, 256, 0, Audio::forever, &channel);
    run.speaker.play(3 * buffer);
    EXPECT_EQ(1, run.speaker.left(5 * buffer + 3 * 200));
    EXPECT_EQ(ResultCode::Ok, run.audio.stop(channel));
    EXPECT_EQ(ResultCode::Ok, run.audio.stop(channel));
    run.speaker.play(3 * buffer);
    EXPECT_EQ(0, run.speaker.left(run.speaker.frames() - 1));

    // Paused, the speaker is silent and the sound waits where it was.
    Sound ramp;
    std::vector<int16_t> rising;
    for (int i = 1; i <= 3000; ++i)
        rising.push_back(static_cast<int16_t>(i));
    loaded(ramp, rising);
    run.audio.play(&ramp);
    const size_t start = ((run.speaker.frames() + buffer - 1) / buffer + 2) * buffer;
    run.speaker.play(start + 100 - run.speaker.frames());
    EXPECT_EQ(ResultCode::Ok, run.audio.pause());
    run.speaker.play(1000);
    EXPECT_EQ(0, run.speaker.left(start + 600));
    EXPECT_EQ(ResultCode::Ok, run.audio.resume());
    run.speaker.play(10);
    EXPECT_EQ(100, run.speaker.left(start + 99));
    EXPECT_EQ(101, run.speaker.left(start + 1100));
}

TEST(Mixer, ASoundStartsRightAfterWhatWasWritten)
{
    // Wherever the play falls, the first sample follows the last buffer written then.
    for (size_t when : {0u, 1u, 881u, 882u, 1000u, 2645u}) {
        MixerRun run;
        run.speaker.play(when);
        Sound click;
        run.audio.play(loaded(click, {7}));
        run.speaker.play(4 * buffer);
        const size_t written = (when / buffer + 2) * buffer;
        for (size_t frame = 0; frame < run.speaker.frames(); ++frame)
            EXPECT_EQ(frame == written ? 7 : 0, run.speaker.left(frame)) << "played at " << when << ", frame " << frame;
    }
}

TEST(Mixer, RefusesBadArgumentsWithClearCodes)
{
    Audio closed;
    Sound sound;
    EXPECT_EQ(ResultCode::AssertionError, closed.play(loaded(sound, {1})));
    EXPECT_EQ(ResultCode::AssertionError, closed.stop(0));
    EXPECT_EQ(ResultCode::AssertionError, closed.pause());
    EXPECT_EQ(ResultCode::AssertionError, closed.close());

    MixerRun run;
    Sound empty;
    EXPECT_EQ(ResultCode::NullParameter, run.audio.play(nullptr));
    EXPECT_EQ(ResultCode::FileEmpty, run.audio.play(&empty));
    EXPECT_EQ(ResultCode::InvalidOpacity, run.audio.play(&sound, 257));
    EXPECT_EQ(ResultCode::InvalidCoordinates, run.audio.play(&sound, 256, 257));
    EXPECT_EQ(ResultCode::InvalidCoordinates, run.audio.play(&sound, 256, -257));
    EXPECT_EQ(ResultCode::InvalidCoordinates, run.audio.stop(32));
    EXPECT_EQ(ResultCode::InvalidCoordinates, run.audio.setVolume(-1, 10));
    EXPECT_EQ(ResultCode::InvalidOpacity, run.audio.setVolume(0, 300));
    EXPECT_EQ(ResultCode::InvalidCoordinates, run.audio.setPan(0, 300));
    EXPECT_EQ(ResultCode::InvalidOpacity, run.audio.setMasterVolume(257));
    EXPECT_EQ(ResultCode::InvalidOpacity, run.audio.setMusicVolume(1000));
    EXPECT_EQ(ResultCode::NullParameter, run.audio.playMusic(nullptr));
    EXPECT_FALSE(run.audio.isPlaying(-1));

    for (long i = 0; i < Audio::channelCount; ++i)
        EXPECT_EQ(ResultCode::Ok, run.audio.play(&sound, 256, 0, Audio::forever));
    EXPECT_EQ(ResultCode::OutOfMemory, run.audio.play(&sound));
    // Freeing the sound stops every channel that plays it.
    sound.free();
    for (long i = 0; i < Audio::channelCount; ++i)
        EXPECT_FALSE(run.audio.isPlaying(i));

    Audio second;
    EXPECT_EQ(ResultCode::UnsupportedMode, second.open());
}

} // namespace
