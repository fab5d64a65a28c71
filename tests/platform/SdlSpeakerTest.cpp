// The device's speaker over SDL's audio: what SDL's device played, read back from SDL's
// "disk" driver, which writes it to a file at a pace of its own.
#include "platform/hosts/SdlSpeaker.h"
#include "support/InputEvents.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr size_t piece = 512;  // frames, as the device's output hands them out

std::vector<int16_t> numbered(size_t frames, int first)
{
    std::vector<int16_t> samples(frames * 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(first + static_cast<int>(i));
    return samples;
}

// The first sound comes after a lead of silence; every piece that follows is played as it
// came, until SDL has a quarter of a second waiting: pieces past that are let go.
TEST(SdlSpeaker, PlaysALeadOfSilenceThenEachSampleAndLetsGoWhatIsTooFarAhead)
{
    TempFolder folder;
    const std::string played = folder.hostPath("played.raw");
    // Five buffers of SDL a second: the device runs far ahead of it.
    ScopedEnvironment environment(
        {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", played}, {"SDL_DISKAUDIODELAY", "200"}});
    std::vector<std::vector<int16_t>> pieces;
    {
        SdlSpeaker speaker;
        EXPECT_FALSE(speaker.isOpen()) << "opened with the first sound";
        for (int i = 0; i < 40; ++i) {
            pieces.push_back(numbered(piece, 100 * (i + 1)));
            speaker.play(pieces.back().data(), piece);
        }
        ASSERT_TRUE(speaker.isOpen()) << "SDL's disk driver is there";
        const uint32_t queued = speaker.queuedFrames();
        EXPECT_GT(queued, SdlSpeaker::mostQueuedFrames - 2 * piece);
        EXPECT_LE(queued, SdlSpeaker::mostQueuedFrames + piece) << "what is too far ahead is let go";
        // Until SDL has played the lead and the first piece.
        for (int tries = 0; tries < 400 && speaker.queuedFrames() + SdlSpeaker::leadFrames + piece > queued; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::ifstream in(played, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    // SDL may have played a buffer of silence of its own before the speaker started it.
    size_t silent = 0;
    while (silent < samples.size() && samples[silent] == 0)
        ++silent;
    EXPECT_GE(silent, SdlSpeaker::leadFrames * 2) << "the lead";
    ASSERT_GE(samples.size(), silent + piece * 2);
    for (size_t i = 0; i < piece * 2; ++i)
        ASSERT_EQ(pieces[0][i], samples[silent + i]) << "the first piece, at sample " << i;
}

// Where SDL finds no sound device (the machines the tests run on have neither a sound card
// nor a sound server) the speaker is silent and says nothing, not even ALSA's complaints.
TEST(SdlSpeaker, IsSilentAndSaysNothingWithoutASoundDevice)
{
    ScopedEnvironment environment(std::map<std::string, std::string>{{"SDL_AUDIODRIVER", ""}});
    SdlSpeaker speaker;
    const std::vector<int16_t> sound = numbered(piece, 0);
    ::testing::internal::CaptureStderr();
    speaker.play(sound.data(), piece);
    speaker.play(sound.data(), piece);
    const std::string said = ::testing::internal::GetCapturedStderr();
    if (speaker.isOpen())
        GTEST_SKIP() << "this machine has a sound device";
    EXPECT_EQ("", said);
    EXPECT_EQ(0u, speaker.queuedFrames());
}

} // namespace
