// A video with its own sound: the track plays through the mixer, and the frames follow the
// sound's clock (late ones dropped, none shown while the next is early).
#include "audio/SpeakerCapture.h"
#include "testdata/SoundClip.h"

#include "audio/Audio.h"
#include "core/ResultCodes.h"
#include "graphics/Surface.h"
#include "support/TempFolder.h"
#include "video/Video.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

unsigned long pixel(Surface& surface)
{
    unsigned long colour = 0;
    surface.getPixel(1, 1, &colour);
    return colour;
}

constexpr size_t buffer = 882;
constexpr size_t framePeriod = 1764;  // 25 frames a second at 44,100 Hz

// Ten frames of rising grey, 0.4 s of a 441 Hz tone at 8,000 beside them.
std::string clip()
{
    ClipFormat format;
    format.pictureWidth = 32;
    format.pictureHeight = 32;
    std::vector<YuvFrame> frames;
    for (int i = 0; i < 10; ++i)
        frames.push_back(format.blankFrame(static_cast<uint8_t>(16 + 20 * i)));
    return SoundClip::encode(format, frames, SoundFiles::sine(17640, 2, 44100, 441, 8000), 2, 44100);
}

// The grey of each frame as the video shows it, from a run without sound.
std::vector<unsigned long> greys(const std::wstring& path)
{
    Video plain;
    EXPECT_EQ(ResultCode::Ok, plain.open(path.c_str()));
    Surface target;
    std::vector<unsigned long> out;
    long result;
    while ((result = plain.getNextFrame(&target)) == ResultCode::Ok)
        if (target.getWidth() && (out.empty() || out.back() != pixel(target)))
            out.push_back(pixel(target));
    target.free();
    return out;
}

TEST(VideoSound, FramesFollowTheSoundsClockAndTheTrackPlays)
{
    TempFolder folder;
    const std::string bytes = clip();
    ASSERT_FALSE(bytes.empty());
    folder.write(L"clip.ogv", bytes);
    const std::wstring path = L"file:" + folder.path(L"clip.ogv");
    const std::vector<unsigned long> shades = greys(path);
    ASSERT_EQ(10u, shades.size());

    SpeakerCapture speaker;
    Audio audio;
    ASSERT_EQ(ResultCode::Ok, audio.open());
    Video video;
    EXPECT_EQ(ResultCode::Ok, video.setAudio(&audio));
    ASSERT_EQ(ResultCode::Ok, video.open(path.c_str()));
    Surface target;
    // Frame 0 is due at once; frame 1 not before the track has played 1,764 frames.
    ASSERT_EQ(ResultCode::Ok, video.getNextFrame(&target));
    EXPECT_EQ(shades[0], pixel(target));
    speaker.play(2 * buffer);
    ASSERT_EQ(ResultCode::Ok, video.getNextFrame(&target));
    EXPECT_EQ(shades[0], pixel(target));

    // The track's first frame went into the output at 1,764 (the first buffer mixed after
    // it was given), so its clock reads 1,764 at 3,528.
    speaker.play(framePeriod);
    ASSERT_EQ(ResultCode::Ok, video.getNextFrame(&target));
    EXPECT_EQ(shades[1], pixel(target));
    // Four frame periods later: frames 2 to 4 are late and dropped, frame 5 shows.
    speaker.play(4 * framePeriod);
    ASSERT_EQ(ResultCode::Ok, video.getNextFrame(&target));
    EXPECT_EQ(shades[5], pixel(target));

    // The speaker held silence until the track began, then the tone.
    int32_t before = 0, after = 0;
    for (size_t frame = 0; frame < 2 * buffer; ++frame)
        before = std::max<int32_t>(before, std::abs(speaker.left(frame)));
    for (size_t frame = 2 * buffer; frame < speaker.frames(); ++frame)
        after = std::max<int32_t>(after, std::abs(speaker.left(frame)));
    EXPECT_EQ(0, before);
    EXPECT_GT(after, 6000);
    EXPECT_LT(after, 10000);

    // Taken away from the mixer, the frames come one per call again.
    video.setAudio(nullptr);
    ASSERT_EQ(ResultCode::Ok, video.getNextFrame(&target));
    EXPECT_EQ(shades[6], pixel(target));
    target.free();
}

} // namespace
