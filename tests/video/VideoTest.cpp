#include "ReferenceDecoder.h"
#include "VideoTestSupport.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "support/SurfacePixels.h"
#include "testdata/ZipBuilder.h"
#include "video/Video.h"

#include <gtest/gtest.h>

namespace {

using Frames = std::vector<std::vector<uint16_t>>;

// Every picture a video shows from where it stands to its end, and the code that ended
// it. Calls that decode nothing must leave the target as it was.
struct Playback {
    Frames frames;
    long end = 0;
    int readingCalls = 0;
    uint32_t timeAfterTenFrames = 0;
};

Playback playToEnd(Inspectable<Video>& video, Surface& target)
{
    Playback playback;
    for (int call = 0; call < 100000; ++call) {
        const uint32_t before = video.videoSource()->getFramesDecoded();
        const std::vector<uint16_t> previous = SurfacePixels::snapshot(target);
        long result = video.getNextFrame(&target);
        if (result != ResultCode::Ok) {
            playback.end = result;
            break;
        }
        const uint32_t after = video.videoSource()->getFramesDecoded();
        if (after == before) {
            ++playback.readingCalls;
            EXPECT_EQ(previous, SurfacePixels::snapshot(target)) << "a reading call changed the target";
            continue;
        }
        EXPECT_EQ(before + 1, after);
        playback.frames.push_back(SurfacePixels::snapshot(target));
        if (after == 10)
            playback.timeAfterTenFrames = video.videoSource()->getTimeMs();
    }
    return playback;
}

ClipFormat standardFormat()
{
    ClipFormat format;
    format.pictureWidth = 176;
    format.pictureHeight = 144;
    return format;
}

std::string clipOf(const ClipFormat& format, int frameCount)
{
    std::string clip = encodeTheoraClip(format, patternFrames(format, frameCount));
    EXPECT_FALSE(clip.empty());
    return clip;
}

// A clip on disk (or other bytes made from it), what libtheora decodes from the clip, and
// a video opened on the file.
struct OpenedClip {
    explicit OpenedClip(const std::string& clip, const std::string& bytesOnDisk = std::string())
        : expected(ReferenceDecoder::decode(clip)), file(bytesOnDisk.empty() ? clip : bytesOnDisk)
    {
        EXPECT_EQ(ResultCode::Ok, video.open(file.path()));
    }
    ReferenceDecoder::Pictures expected;
    FileOnDisk file;
    Inspectable<Video> video;
    Owned<Surface> target;
};

// A Surface class whose create keeps its own size, whatever it is asked for.
class FixedSizeSurface : public Owned<Surface> {
public:
    using Surface::create;
    long create(unsigned long, unsigned long) override { return Surface::create(8ul, 8ul); }
};

} // namespace

TEST(Video, PlaysEveryFrameAsTheFormulasConvertIt)
{
    OpenedClip opened(clipOf(standardFormat(), 14));
    const ReferenceDecoder::Pictures& expected = opened.expected;
    Inspectable<Video>& video = opened.video;
    Owned<Surface>& target = opened.target;
    ASSERT_EQ(14u, expected.frames.size());
    EXPECT_EQ(40u, video.videoSource()->getFrameMs());
    Playback playback = playToEnd(video, target);
    EXPECT_EQ(ResultCode::EndOfVideo, playback.end);
    EXPECT_EQ(176u, target.getWidth());
    EXPECT_EQ(144u, target.getHeight());
    ASSERT_EQ(expected.frames.size(), playback.frames.size());
    for (size_t i = 0; i < expected.frames.size(); ++i)
        EXPECT_EQ(expected.frames[i], playback.frames[i]) << "frame " << i;
    EXPECT_EQ(400u, playback.timeAfterTenFrames);
    EXPECT_EQ(14u * 40u, video.videoSource()->getTimeMs());
    // The clip is longer than one read, so some calls only read.
    EXPECT_GT(playback.readingCalls, 0);

    // The end stays the end, and reaching it does not close the video.
    EXPECT_EQ(ResultCode::EndOfVideo, video.getNextFrame(&target));
    EXPECT_EQ(ResultCode::EndOfVideo, video.skipNextFrame());
    EXPECT_EQ(ResultCode::EndOfVideo, video.getNextFrame(&target));
    EXPECT_EQ(ResultCode::Ok, video.close());
    EXPECT_EQ(ResultCode::VideoNotInitialized, video.close());
}

TEST(Video, FlatBlackAndWhiteComeOutExact)
{
    const ClipFormat format = standardFormat();
    OpenedClip opened(encodeTheoraClip(format, {format.blankFrame(16), format.blankFrame(235)}));
    Playback playback = playToEnd(opened.video, opened.target);
    ASSERT_EQ(2u, playback.frames.size());
    EXPECT_EQ(std::vector<uint16_t>(176 * 144, 0x0000), playback.frames[0]);
    EXPECT_EQ(std::vector<uint16_t>(176 * 144, 0xFFFF), playback.frames[1]);
}

TEST(Video, OddPictureAtAnOffsetConvertsItsLastColumnAndRow)
{
    ClipFormat format;
    format.pictureWidth = 175;
    format.pictureHeight = 143;
    format.offsetX = 5;
    format.offsetY = 3;
    OpenedClip opened(clipOf(format, 5));
    ASSERT_EQ(5u, opened.expected.frames.size());
    Playback playback = playToEnd(opened.video, opened.target);
    EXPECT_EQ(175u, opened.target.getWidth());
    EXPECT_EQ(143u, opened.target.getHeight());
    ASSERT_EQ(5u, playback.frames.size());
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(opened.expected.frames[i], playback.frames[i]) << "frame " << i;
}

TEST(Video, FindsTheVideoAmongOtherStreams)
{
    const std::string clip = clipOf(standardFormat(), 4);
    // Another stream begins first and has pages of its own between the video's pages; an
    // Ogg file holds every beginning-of-stream page before any other page.
    const std::string other = oggStream(77, {"\x01vorbis header", std::string(3000, 'a')});
    const size_t otherFirstPage = other.find("OggS", 4);
    // Before the video's last page.
    const size_t videoMiddle = clip.rfind("OggS");
    ASSERT_NE(std::string::npos, otherFirstPage);
    ASSERT_GT(videoMiddle, clip.find("OggS", 4));
    const std::string muxed = other.substr(0, otherFirstPage) + clip.substr(0, videoMiddle) +
                              other.substr(otherFirstPage) + clip.substr(videoMiddle);
    OpenedClip opened(clip, muxed);
    Playback playback = playToEnd(opened.video, opened.target);
    EXPECT_EQ(ResultCode::EndOfVideo, playback.end);
    EXPECT_EQ(opened.expected.frames, playback.frames);
}

TEST(Video, AMissingPagePassesOverItsFrameOnly)
{
    // Every packet on a page of its own, the whole file within the first read; then the
    // page of the fifth frame goes missing. Only that frame is lost: libogg reports the
    // gap once and the frames after it still play, though the file has been read to its end.
    const ClipFormat format = standardFormat();
    std::vector<YuvFrame> frames;
    for (int i = 0; i < 9; ++i)
        frames.push_back(format.blankFrame(static_cast<uint8_t>(40 + 20 * i)));
    std::vector<std::string> pages = oggPages(oggStream(1, oggPackets(encodeTheoraClip(format, frames))));
    ASSERT_EQ(3u + 9u, pages.size());
    pages.erase(pages.begin() + 3 + 4);
    std::string damaged;
    for (const std::string& page : pages)
        damaged += page;
    ASSERT_LT(damaged.size(), 4096u);
    FileOnDisk file(damaged);
    Inspectable<Video> video;
    ASSERT_EQ(ResultCode::Ok, video.open(file.path()));
    Owned<Surface> target;
    Playback playback = playToEnd(video, target);
    EXPECT_EQ(ResultCode::EndOfVideo, playback.end);
    EXPECT_EQ(8u, playback.frames.size());
}

TEST(Video, FrameDurationFollowsTheFrameRate)
{
    ClipFormat format = standardFormat();
    format.fpsNumerator = 30000;
    format.fpsDenominator = 1001;
    OpenedClip opened(clipOf(format, 3));
    EXPECT_EQ(33u, opened.video.videoSource()->getFrameMs());
    Playback playback = playToEnd(opened.video, opened.target);
    EXPECT_EQ(3u, playback.frames.size());
    EXPECT_EQ(99u, opened.video.videoSource()->getTimeMs());
}

TEST(Video, SkippedFramesCountButLeaveTheTarget)
{
    OpenedClip opened(clipOf(standardFormat(), 4));
    Inspectable<Video>& video = opened.video;
    Owned<Surface>& target = opened.target;
    SurfacePixels::make(target, 176, 144, 0x1234);
    for (int call = 0; call < 100 && video.videoSource()->getFramesDecoded() < 2; ++call)
        ASSERT_EQ(ResultCode::Ok, video.skipNextFrame());
    EXPECT_EQ(2u, video.videoSource()->getFramesDecoded());
    EXPECT_EQ(80u, video.videoSource()->getTimeMs());
    EXPECT_EQ(std::vector<uint16_t>(176 * 144, 0x1234), SurfacePixels::snapshot(target));
    // The next frame shown is the third.
    Playback playback = playToEnd(video, target);
    ASSERT_EQ(2u, playback.frames.size());
    EXPECT_EQ(opened.expected.frames[2], playback.frames[0]);
    EXPECT_EQ(opened.expected.frames[3], playback.frames[1]);
}

TEST(Video, RowsBelowThePictureAreLeftAlone)
{
    OpenedClip opened(clipOf(standardFormat(), 3));
    const ReferenceDecoder::Pictures& expected = opened.expected;
    opened.video.videoSource()->setExtraHeight(20);
    SurfacePixels::make(opened.target, 176, 164, 0x1234);
    Playback playback = playToEnd(opened.video, opened.target);
    ASSERT_EQ(3u, playback.frames.size());
    for (size_t i = 0; i < 3; ++i) {
        const std::vector<uint16_t>& shown = playback.frames[i];
        ASSERT_EQ(176u * 164u, shown.size());
        EXPECT_EQ(expected.frames[i], std::vector<uint16_t>(shown.begin(), shown.begin() + 176 * 144));
        EXPECT_EQ(std::vector<uint16_t>(176 * 20, 0x1234), std::vector<uint16_t>(shown.begin() + 176 * 144, shown.end()));
    }
}

TEST(Video, ATargetThatWillNotTakeThePictureIsNotWritten)
{
    OpenedClip opened(clipOf(standardFormat(), 2));
    Inspectable<Video>& video = opened.video;
    FixedSizeSurface target;
    SurfacePixels::make(target, 8, 8, 0x1234);
    long result = ResultCode::Ok;
    for (int call = 0; call < 100 && result == ResultCode::Ok; ++call)
        result = video.getNextFrame(&target);
    EXPECT_EQ(ResultCode::InvalidSurface, result);
    EXPECT_EQ(std::vector<uint16_t>(64, 0x1234), SurfacePixels::snapshot(target));
}

TEST(Video, RefusesFilesThatHoldNoTheoraVideo)
{
    const std::string theoraHeaderLike = std::string("\x80theora", 7) + std::string(40, '\0');
    const std::vector<std::string> refused = {
        "",
        "Ogg",
        "RIFF\x10\0\0\0WAVEfmt ",
        oggStream(7, {"\x01vorbis header", "\x03vorbis", "audio data"}),
        // Looks like a Theora header but is not one.
        oggStream(9, {theoraHeaderLike, "frame"}),
    };
    for (const std::string& bytes : refused) {
        FileOnDisk file(bytes);
        Inspectable<Video> video;
        Owned<Surface> target;
        EXPECT_EQ(ResultCode::VideoOpenError, video.open(file.path())) << bytes.size() << " bytes";
        // A source that could not open answers 16 until the video is closed.
        long frame = video.getNextFrame(&target);
        EXPECT_TRUE(frame == ResultCode::VideoNotInitialized) << frame;
        EXPECT_EQ(0u, target.getWidth());
        video.close();
        EXPECT_EQ(ResultCode::VideoNotInitialized, video.getNextFrame(&target));
    }
    Video video;
    EXPECT_EQ(ResultCode::VideoOpenError, video.open(L"file:/nowhere/at/all.ogv"));
    EXPECT_EQ(ResultCode::NullParameter, video.open(static_cast<const wchar_t*>(nullptr)));
    EXPECT_EQ(ResultCode::NullParameter, video.open(static_cast<File*>(nullptr)));
}

TEST(Video, DamagedHeadersGiveAnOpenError)
{
    const ClipFormat format = standardFormat();
    const std::string clip = clipOf(format, 2);
    // The first page alone: the file ends during the headers.
    const size_t firstPageSize = oggPages(clip).at(0).size();

    std::string damagedSetup = clip;
    // The comment and setup headers follow on the second page; spoil the setup header's
    // signature (its type byte 0x82 after the comment packet).
    size_t setup = damagedSetup.find("\x82theora", firstPageSize);
    ASSERT_NE(std::string::npos, setup);
    damagedSetup[setup + 1] = 'X';
    // A page checksum that no longer matches makes libogg drop the page: the headers end.
    for (const std::string& bytes : {clip.substr(0, firstPageSize), damagedSetup}) {
        FileOnDisk file(bytes);
        Video video;
        EXPECT_EQ(ResultCode::VideoOpenError, video.open(file.path()));
    }
}

TEST(Video, FramesTooLargeForTheDeviceAreRefused)
{
    // The info header gives the coded frame in macroblocks (16 bits each, big-endian,
    // after the signature and the three version bytes): 256 x 256 asks for 4096 x 4096.
    std::vector<std::string> packets = oggPackets(clipOf(standardFormat(), 2));
    ASSERT_EQ('\x80', packets.at(0).at(0));
    packets[0].replace(10, 4, std::string("\x01\x00\x01\x00", 4));
    FileOnDisk file(oggStream(1, packets));
    Video video;
    EXPECT_EQ(ResultCode::VideoOpenError, video.open(file.path()));
}

TEST(Video, NothingOpenAndNullTargets)
{
    Video video;
    Owned<Surface> target;
    EXPECT_EQ(ResultCode::VideoNotInitialized, video.getNextFrame(&target));
    EXPECT_EQ(ResultCode::VideoNotInitialized, video.skipNextFrame());
    EXPECT_EQ(ResultCode::VideoNotInitialized, video.close());
    FileOnDisk file(clipOf(standardFormat(), 1));
    ASSERT_EQ(ResultCode::Ok, video.open(file.path()));
    EXPECT_EQ(ResultCode::NullParameter, video.getNextFrame(nullptr));
}

TEST(Video, PlaysAMemberOfAZipArchiveThroughItsFile)
{
    const ClipFormat format = standardFormat();
    const std::string clip = clipOf(format, 6);
    const ReferenceDecoder::Pictures expected = ReferenceDecoder::decode(clip);
    ZipBuilder zip;
    zip.add("stored.ogv", clip, 0);
    zip.add("movies/deflated.ogv", clip, 8);
    FileOnDisk archive(zip.build(), L"clips.zip");
    std::wstring archivePath(archive.path());
    FileSystemManager manager;
    File root;
    ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&root, (L"zip:" + archivePath.substr(5)).c_str()));
    for (const wchar_t* member : {L"stored.ogv", L"movies/deflated.ogv"}) {
        File file;
        ASSERT_EQ(ResultCode::Ok, root.resolveFile(&file, member));
        Inspectable<Video> video;
        ASSERT_EQ(ResultCode::Ok, video.open(&file));
        EXPECT_TRUE(file.isOpen());
        Owned<Surface> target;
        Playback playback = playToEnd(video, target);
        EXPECT_EQ(expected.frames, playback.frames);
        EXPECT_EQ(ResultCode::Ok, video.close());
        EXPECT_FALSE(file.isOpen());
    }
}

TEST(Video, LettingGoOfAVideoClosesItsFile)
{
    const ClipFormat format = standardFormat();
    FileOnDisk first(clipOf(format, 2), L"first.ogv");
    FileOnDisk second(encodeTheoraClip(format, {format.blankFrame(235)}), L"second.ogv");
    FileSystemManager manager;
    File firstFile;
    File secondFile;
    ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&firstFile, first.path()));
    ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&secondFile, second.path()));
    {
        Inspectable<Video> video;
        ASSERT_EQ(ResultCode::Ok, video.open(&firstFile));
        // Opening another file lets the first go.
        ASSERT_EQ(ResultCode::Ok, video.open(&secondFile));
        EXPECT_FALSE(firstFile.isOpen());
        EXPECT_TRUE(secondFile.isOpen());
        Owned<Surface> target;
        Playback playback = playToEnd(video, target);
        ASSERT_EQ(1u, playback.frames.size());
        EXPECT_EQ(std::vector<uint16_t>(176 * 144, 0xFFFF), playback.frames[0]);
        // A path after a File: the File is let go too.
        ASSERT_EQ(ResultCode::Ok, video.open(first.path()));
        EXPECT_FALSE(secondFile.isOpen());
        ASSERT_EQ(ResultCode::Ok, video.open(&secondFile));
    }
    // The video went while open: it closed its file first.
    EXPECT_FALSE(secondFile.isOpen());
    // A file that holds no video is closed again.
    FileOnDisk text("not a video", L"text.txt");
    File textFile;
    ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&textFile, text.path()));
    Video video;
    EXPECT_EQ(ResultCode::VideoOpenError, video.open(&textFile));
    EXPECT_FALSE(textFile.isOpen());
}

// Each chroma layout converts with its own planes: a clip in 4:2:2 or 4:4:4 read as 4:2:0
// shows wrong colours. The picture starts at odd offsets so that the planes' origins count.
class VideoLayouts : public ::testing::TestWithParam<th_pixel_fmt> {};

TEST_P(VideoLayouts, EachChromaLayoutConvertsAsTheFormulasDo)
{
    ClipFormat format = standardFormat();
    format.pictureWidth = 45;
    format.pictureHeight = 31;
    format.offsetX = 3;
    format.offsetY = 5;
    format.pixelFormat = GetParam();
    OpenedClip opened(clipOf(format, 4));
    ASSERT_EQ(4u, opened.expected.frames.size());
    Playback playback = playToEnd(opened.video, opened.target);
    EXPECT_EQ(ResultCode::EndOfVideo, playback.end);
    ASSERT_EQ(opened.expected.frames.size(), playback.frames.size());
    for (size_t i = 0; i < playback.frames.size(); ++i)
        EXPECT_EQ(opened.expected.frames[i], playback.frames[i]) << "frame " << i;
}

INSTANTIATE_TEST_SUITE_P(Video, VideoLayouts, ::testing::Values(TH_PF_420, TH_PF_422, TH_PF_444));
