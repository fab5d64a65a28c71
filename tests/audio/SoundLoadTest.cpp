// Loading sounds and streaming music: every form, every format, and every refusal.
#include "SpeakerCapture.h"
#include "testdata/SoundFiles.h"

#include "audio/Audio.h"
#include "audio/Music.h"
#include "audio/Sound.h"
#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "platform/system/Resources.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using SoundFiles::WaveFormat;

long loadBytes(Sound& sound, const std::string& bytes)
{
    return sound.load(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
}

std::vector<int16_t> samplesOf(const Sound& sound)
{
    return std::vector<int16_t>(sound.getSamples(), sound.getSamples() + sound.getLength() * sound.getChannels());
}

WaveFormat format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits)
{
    WaveFormat result;
    result.tag = tag;
    result.channels = channels;
    result.rate = rate;
    result.bits = bits;
    return result;
}

// IMA ADPCM, mono, 8-byte blocks of 9 frames.
WaveFormat imaFormat()
{
    WaveFormat result = format(0x11, 1, 44100, 4);
    result.blockAlign = 8;
    result.byteRate = 44100 * 8 / 9;
    result.extra = std::string("\x09\x00", 2);
    return result;
}

struct Refusal {
    const char* what;
    std::string bytes;
    long expected;
};

TEST(SoundLoading, RefusesWhatItCannotPlayAndKeepsWhatItHad)
{
    const std::string data = SoundFiles::pcm16({1, 2, 3, 4});
    const std::string good = SoundFiles::wave(format(1, 1, 44100, 16), data);
    WaveFormat lyingRate = format(1, 1, 44100, 16);
    lyingRate.byteRate = 1234;
    WaveFormat lyingAlign = format(1, 2, 44100, 16);
    lyingAlign.blockAlign = 2;
    WaveFormat badFrames = imaFormat();
    badFrames.extra = std::string("\x0A\x00", 2);
    const std::string vorbis = SoundFiles::vorbis(SoundFiles::sine(4410, 1, 44100, 440, 8000), 1, 44100);
    ASSERT_FALSE(vorbis.empty());
    const std::string moved = good.substr(0, 12) + good.substr(36) + good.substr(12, 24);
    const Refusal refusals[] = {
        {"nothing", "", ResultCode::FileEmpty},
        {"text", "this is no sound file at all", ResultCode::UnsupportedCompression},
        {"a RIFF that is no WAVE", std::string("RIFF\x04\0\0\0AVI ", 12), ResultCode::UnsupportedCompression},
        {"a RIFF size past the end", SoundFiles::wave(format(1, 1, 44100, 16), data, -1, 1000), ResultCode::DecompressError},
        {"a data size past the end", SoundFiles::wave(format(1, 1, 44100, 16), data, 9), ResultCode::DecompressError},
        {"cut in the middle", good.substr(0, good.size() - 3), ResultCode::DecompressError},
        {"data before the format", moved, ResultCode::DecompressError},
        {"no data chunk", good.substr(0, 36), ResultCode::DecompressError},
        {"24 bits", SoundFiles::wave(format(1, 1, 44100, 24), std::string(6, '\0')), ResultCode::UnsupportedCompression},
        {"3 channels", SoundFiles::wave(format(1, 3, 44100, 16), std::string(6, '\0')), ResultCode::UnsupportedCompression},
        {"7,999 Hz", SoundFiles::wave(format(1, 1, 7999, 16), data), ResultCode::UnsupportedCompression},
        {"48,001 Hz", SoundFiles::wave(format(1, 1, 48001, 16), data), ResultCode::UnsupportedCompression},
        {"MP3 in RIFF", SoundFiles::wave(format(0x55, 1, 44100, 0), data), ResultCode::UnsupportedCompression},
        {"a byte rate that lies", SoundFiles::wave(lyingRate, data), ResultCode::DecompressError},
        {"a block size that lies", SoundFiles::wave(lyingAlign, data), ResultCode::DecompressError},
        {"no samples", SoundFiles::wave(format(1, 1, 44100, 16), ""), ResultCode::FileEmpty},
        {"ADPCM frames per block that lie", SoundFiles::wave(badFrames, std::string(8, '\0')), ResultCode::DecompressError},
        {"ADPCM with a step index past 88", SoundFiles::wave(imaFormat(), std::string("\0\0\x59\0\0\0\0\0", 8)),
         ResultCode::DecompressError},
        {"Vorbis cut in its headers", vorbis.substr(0, 200), ResultCode::DecompressError},
        {"an Ogg page of garbage", "OggS" + std::string(60, '\x01'), ResultCode::DecompressError},
    };
    Sound sound;
    ASSERT_EQ(ResultCode::Ok, loadBytes(sound, good));
    for (const Refusal& refusal : refusals) {
        EXPECT_EQ(refusal.expected, loadBytes(sound, refusal.bytes)) << refusal.what;
        EXPECT_EQ(std::vector<int16_t>({1, 2, 3, 4}), samplesOf(sound)) << refusal.what;
    }
    EXPECT_EQ(ResultCode::NullParameter, sound.load(static_cast<const unsigned char*>(nullptr), 4));
    EXPECT_EQ(ResultCode::NullParameter, sound.load(static_cast<const wchar_t*>(nullptr)));
    EXPECT_EQ(ResultCode::NullParameter, sound.load(static_cast<File*>(nullptr)));
    EXPECT_EQ(ResultCode::FileDoesNotExist, sound.load(HINSTANCE(nullptr), 999));
}

struct Decoding {
    const char* what;
    std::string bytes;
    unsigned long channels;
    std::vector<int16_t> samples;
};

TEST(SoundLoading, DecodesEachFormatToTheMixersRate)
{
    std::string eightBit = SoundFiles::wave(format(1, 2, 44100, 8), std::string("\x80\xFF\x00\x81", 4));
    const Decoding cases[] = {
        {"16-bit mono at 44,100 Hz, kept as it is", SoundFiles::wave16({-32768, 32767, 5, -5}), 1, {-32768, 32767, 5, -5}},
        {"8-bit stereo", eightBit, 2, {0, 127 * 256, -32768, 256}},
        {"22,050 Hz: every other frame between two", SoundFiles::wave16({0, 1000}, 1, 22050), 1, {0, 500, 1000, 1000}},
        {"8,000 Hz from one end to the other", SoundFiles::wave16({-32768, 32767}, 1, 8000), 1,
         {-32768, -20880, -8992, 2897, 14785, 26674, 32767, 32767, 32767, 32767, 32767, 32767}},
        {"11,025 Hz, stereo", SoundFiles::wave16({0, 0, 4000, -4000}, 2, 11025), 2,
         {0, 0, 1000, -1000, 2000, -2000, 3000, -3000, 4000, -4000, 4000, -4000, 4000, -4000, 4000, -4000}},
        {"IMA ADPCM", SoundFiles::wave(imaFormat(), std::string("\0\0\0\0\x77\x77\0\0", 8)), 1,
         {0, 11, 41, 104, 240, 259, 276, 292, 306}},
    };
    for (const Decoding& test : cases) {
        Sound sound;
        ASSERT_EQ(ResultCode::Ok, loadBytes(sound, test.bytes)) << test.what;
        EXPECT_EQ(test.channels, sound.getChannels()) << test.what;
        EXPECT_EQ(test.samples, samplesOf(sound)) << test.what;
    }
}

// What libvorbisfile alone makes of the bytes.
std::vector<int16_t> vorbisfileSamples(const std::string& bytes)
{
    OggVorbis_File file;
    ov_callbacks callbacks = OV_CALLBACKS_NOCLOSE;
    std::string copy = bytes;
    FILE* memory = fmemopen(&copy[0], copy.size(), "rb");
    std::vector<int16_t> out;
    if (ov_open_callbacks(memory, &file, nullptr, 0, callbacks) != 0) {
        fclose(memory);
        return out;
    }
    char piece[4096];
    int section = 0;
    long got;
    while ((got = ov_read(&file, piece, sizeof piece, 0, 2, 1, &section)) > 0)
        out.insert(out.end(), reinterpret_cast<int16_t*>(piece), reinterpret_cast<int16_t*>(piece + got));
    ov_clear(&file);
    fclose(memory);
    return out;
}

TEST(SoundLoading, DecodesVorbisAsLibvorbisfileDoes)
{
    const std::string stereo = SoundFiles::vorbis(SoundFiles::sine(22050, 2, 44100, 440, 12000), 2, 44100);
    Sound sound;
    ASSERT_EQ(ResultCode::Ok, loadBytes(sound, stereo));
    EXPECT_EQ(2u, sound.getChannels());
    EXPECT_EQ(22050u, sound.getLength());
    EXPECT_EQ(500u, sound.getLengthMs());
    EXPECT_EQ(vorbisfileSamples(stereo), samplesOf(sound));

    const std::string slow = SoundFiles::vorbis(SoundFiles::sine(11025, 1, 22050, 440, 12000), 1, 22050);
    ASSERT_EQ(ResultCode::Ok, loadBytes(sound, slow));
    EXPECT_EQ(22050u, sound.getLength());
}

TEST(SoundLoading, EveryFormOfLoadingReadsTheSameSound)
{
    TempFolder folder;
    const std::string bytes = SoundFiles::wave16({1000, -1000, 2000, -2000});
    folder.write(L"click.wav", bytes);
    const std::vector<int16_t> expected = {1000, -1000, 2000, -2000};
    Sound sound;
    ASSERT_EQ(ResultCode::Ok, sound.load((L"file:" + folder.path(L"click.wav")).c_str()));
    EXPECT_EQ(expected, samplesOf(sound));
    FileSystemManager manager;
    File file;
    ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&file, (L"file:" + folder.path(L"click.wav")).c_str()));
    sound.free();
    ASSERT_EQ(ResultCode::Ok, sound.load(&file));
    EXPECT_EQ(expected, samplesOf(sound));
    EXPECT_FALSE(file.isOpen());
    sound.free();
    ASSERT_EQ(ResultCode::Ok, sound.load(HINSTANCE(nullptr), 301));
    EXPECT_EQ(expected, samplesOf(sound));
    sound.free();
    ASSERT_EQ(ResultCode::Ok, sound.load(HINSTANCE(nullptr), 302, RT_RCDATA));
    EXPECT_EQ(expected, samplesOf(sound));
    EXPECT_EQ(ResultCode::FileDoesNotExist, sound.load(HINSTANCE(nullptr), 302));
    EXPECT_NE(ResultCode::Ok, sound.load((L"file:" + folder.path(L"missing.wav")).c_str()));
}

TEST(Music, StreamsItsFileThroughTheMixerWithLoops)
{
    TempFolder folder;
    std::vector<int16_t> samples;
    for (int i = 0; i < 1000; ++i)
        samples.push_back(static_cast<int16_t>(i + 1));
    folder.write(L"music.wav", SoundFiles::wave16(samples));
    Music music;
    EXPECT_EQ(ResultCode::FileNotInitialized, music.close());
    EXPECT_EQ(ResultCode::UnsupportedCompression,
              [&] { folder.write(L"text.wav", "no music"); return music.open((L"file:" + folder.path(L"text.wav")).c_str()); }());
    ASSERT_EQ(ResultCode::Ok, music.open((L"file:" + folder.path(L"music.wav")).c_str()));

    SpeakerCapture speaker;
    Audio audio;
    ASSERT_EQ(ResultCode::Ok, audio.open());
    ASSERT_EQ(ResultCode::Ok, audio.setMusicVolume(128));
    ASSERT_EQ(ResultCode::Ok, audio.playMusic(&music, 1));
    EXPECT_TRUE(audio.isMusicPlaying());
    speaker.play(6 * 882);
    const size_t start = 2 * 882;
    EXPECT_EQ(0, speaker.left(start - 1));
    EXPECT_EQ(0, speaker.left(start));     // (1 x 128) >> 8
    EXPECT_EQ(2, speaker.left(start + 3));  // (4 x 128) >> 8
    EXPECT_EQ(500, speaker.right(start + 999));
    EXPECT_EQ(500, speaker.left(start + 1999));
    EXPECT_EQ(0, speaker.left(start + 2000));
    EXPECT_FALSE(audio.isMusicPlaying());

    // Closing the music stops it.
    audio.playMusic(&music, Audio::forever);
    speaker.play(882);
    EXPECT_TRUE(audio.isMusicPlaying());
    music.close();
    EXPECT_FALSE(audio.isMusicPlaying());
    EXPECT_EQ(ResultCode::FileNotInitialized, audio.playMusic(&music));
}

} // namespace
