// The wave-output calls: their codes for every misuse, a device without sound, buffers
// done when played (not when written), reset, pause, position and the speaker's frames.
#include "SpeakerCapture.h"

#include "platform/system/Events.h"
#include "platform/system/Files.h"
#include "platform/system/WaveOut.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

WAVEFORMATEX pcmFormat(WORD channels, DWORD rate, WORD bits)
{
    const WORD align = static_cast<WORD>(channels * bits / 8);
    return {WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

struct OpenOutput {
    explicit OpenOutput(WAVEFORMATEX format = pcmFormat(2, 44100, 16), DWORD_PTR callback = 0,
                        DWORD flags = CALLBACK_NULL, DWORD_PTR instance = 0)
    {
        result = waveOutOpen(&handle, WAVE_MAPPER, &format, callback, instance, flags);
    }
    ~OpenOutput()
    {
        if (handle) {
            waveOutReset(handle);
            waveOutClose(handle);
        }
    }
    HWAVEOUT handle = nullptr;
    MMRESULT result;
};

struct Buffer {
    explicit Buffer(std::vector<int16_t> frames) : samples(std::move(frames))
    {
        header.lpData = reinterpret_cast<LPSTR>(samples.data());
        header.dwBufferLength = static_cast<DWORD>(samples.size() * sizeof(int16_t));
    }
    std::vector<int16_t> samples;
    WAVEHDR header = {};
};

struct OpenCase {
    const char* what;
    UINT device;
    WAVEFORMATEX format;
    DWORD flags;
    MMRESULT expected;
};

TEST(WaveOut, OpenRefusesEveryMisuseWithTheSystemsCode)
{
    SpeakerCapture speaker;
    const WAVEFORMATEX good = pcmFormat(2, 44100, 16);
    WAVEFORMATEX lyingRate = good;
    lyingRate.nAvgBytesPerSec = 1000;
    WAVEFORMATEX adpcm = good;
    adpcm.wFormatTag = 0x11;
    const OpenCase cases[] = {
        {"device 1", 1, good, CALLBACK_NULL, MMSYSERR_BADDEVICEID},
        {"unknown flag", 0, good, 0x100, MMSYSERR_INVALFLAG},
        {"24 bits", 0, pcmFormat(2, 44100, 24), CALLBACK_NULL, WAVERR_BADFORMAT},
        {"3 channels", 0, pcmFormat(3, 44100, 16), CALLBACK_NULL, WAVERR_BADFORMAT},
        {"7,999 Hz", 0, pcmFormat(1, 7999, 8), CALLBACK_NULL, WAVERR_BADFORMAT},
        {"48,001 Hz", 0, pcmFormat(1, 48001, 8), CALLBACK_NULL, WAVERR_BADFORMAT},
        {"a byte rate that lies", 0, lyingRate, CALLBACK_NULL, WAVERR_BADFORMAT},
        {"not PCM", 0, adpcm, CALLBACK_NULL, WAVERR_BADFORMAT},
        {"a window callback", 0, good, CALLBACK_WINDOW, MMSYSERR_NOTSUPPORTED},
        {"a function callback that is null", 0, good, CALLBACK_FUNCTION, MMSYSERR_INVALPARAM},
        {"an event that is no event", 0, good, CALLBACK_EVENT, MMSYSERR_INVALPARAM},
        {"8,000 Hz mono 8-bit, queried", 0, pcmFormat(1, 8000, 8), WAVE_FORMAT_QUERY, MMSYSERR_NOERROR},
        {"48,000 Hz stereo, queried", WAVE_MAPPER, pcmFormat(2, 48000, 16), WAVE_FORMAT_QUERY, MMSYSERR_NOERROR},
    };
    for (const OpenCase& test : cases) {
        HWAVEOUT handle = nullptr;
        EXPECT_EQ(test.expected, waveOutOpen(&handle, test.device, &test.format, 0, 0, test.flags)) << test.what;
        EXPECT_EQ(nullptr, handle) << test.what;
    }
    HWAVEOUT handle = nullptr;
    EXPECT_EQ(MMSYSERR_INVALPARAM, waveOutOpen(&handle, 0, nullptr, 0, 0, CALLBACK_NULL));
    EXPECT_EQ(MMSYSERR_INVALPARAM, waveOutOpen(nullptr, 0, &good, 0, 0, CALLBACK_NULL));

    OpenOutput first;
    ASSERT_EQ(MMSYSERR_NOERROR, first.result);
    EXPECT_EQ(MMSYSERR_ALLOCATED, waveOutOpen(&handle, 0, &good, 0, 0, CALLBACK_NULL));
}

TEST(WaveOut, EveryCallRefusesAHandleThatIsNotAnOpenOutput)
{
    SpeakerCapture speaker;
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT closed = nullptr;
    {
        OpenOutput output;
        closed = output.handle;
    }
    Buffer buffer({0, 0});
    MMTIME time = {TIME_SAMPLES, {0}};
    DWORD volume = 0;
    for (HWAVEOUT handle : {closed, reinterpret_cast<HWAVEOUT>(event), reinterpret_cast<HWAVEOUT>(0x1234)}) {
        EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutPrepareHeader(handle, &buffer.header, sizeof(WAVEHDR)));
        EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutUnprepareHeader(handle, &buffer.header, sizeof(WAVEHDR)));
        EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutWrite(handle, &buffer.header, sizeof(WAVEHDR)));
        EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutReset(handle));
        EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutPause(handle));
        EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutRestart(handle));
        EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutGetPosition(handle, &time, sizeof time));
        EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutGetVolume(handle, &volume));
        EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutSetVolume(handle, 0));
        EXPECT_EQ(MMSYSERR_INVALHANDLE, waveOutClose(handle));
    }
    CloseHandle(event);
}

TEST(WaveOut, BuffersMustBePreparedAndStayPutWhileQueued)
{
    SpeakerCapture speaker;
    OpenOutput output;
    Buffer buffer(std::vector<int16_t>(2 * 100, 1000));
    EXPECT_EQ(MMSYSERR_INVALPARAM, waveOutPrepareHeader(output.handle, nullptr, sizeof(WAVEHDR)));
    EXPECT_EQ(MMSYSERR_INVALPARAM, waveOutPrepareHeader(output.handle, &buffer.header, sizeof(WAVEHDR) - 1));
    EXPECT_EQ(WAVERR_UNPREPARED, waveOutWrite(output.handle, &buffer.header, sizeof(WAVEHDR)));
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutPrepareHeader(output.handle, &buffer.header, sizeof(WAVEHDR)));
    EXPECT_EQ(WHDR_PREPARED, buffer.header.dwFlags);
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutWrite(output.handle, &buffer.header, sizeof(WAVEHDR)));
    EXPECT_EQ(WHDR_PREPARED | WHDR_INQUEUE, buffer.header.dwFlags);
    EXPECT_EQ(WAVERR_STILLPLAYING, waveOutWrite(output.handle, &buffer.header, sizeof(WAVEHDR)));
    EXPECT_EQ(WAVERR_STILLPLAYING, waveOutUnprepareHeader(output.handle, &buffer.header, sizeof(WAVEHDR)));
    EXPECT_EQ(WAVERR_STILLPLAYING, waveOutClose(output.handle));

    // Done when played, not when taken: 99 frames are not enough.
    speaker.play(99);
    EXPECT_EQ(WHDR_PREPARED | WHDR_INQUEUE, buffer.header.dwFlags);
    speaker.play(1);
    EXPECT_EQ(WHDR_PREPARED | WHDR_DONE, buffer.header.dwFlags);
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutUnprepareHeader(output.handle, &buffer.header, sizeof(WAVEHDR)));
    EXPECT_EQ(WHDR_DONE, buffer.header.dwFlags);
}

TEST(WaveOut, ADeviceWithoutSoundHasNoOutput)
{
    ScopedDeviceProfile silent("smartphone2003");
    SpeakerCapture speaker;
    EXPECT_EQ(0u, waveOutGetNumDevs());
    WAVEOUTCAPSW caps = {};
    EXPECT_EQ(MMSYSERR_BADDEVICEID, waveOutGetDevCapsW(0, &caps, sizeof caps));
    EXPECT_EQ(MMSYSERR_NODRIVER, waveOutGetDevCapsW(WAVE_MAPPER, &caps, sizeof caps));
    OpenOutput output;
    EXPECT_EQ(MMSYSERR_NODRIVER, output.result);
    const WAVEFORMATEX format = pcmFormat(2, 44100, 16);
    HWAVEOUT handle = nullptr;
    EXPECT_EQ(MMSYSERR_BADDEVICEID, waveOutOpen(&handle, 0, &format, 0, 0, CALLBACK_NULL));
}

TEST(WaveOut, ADeviceWithSoundDescribesItsOutput)
{
    SpeakerCapture speaker;
    EXPECT_EQ(1u, waveOutGetNumDevs());
    WAVEOUTCAPS caps = {};
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutGetDevCaps(0, &caps, sizeof caps));
    EXPECT_EQ(2, caps.wChannels);
    EXPECT_NE(0u, caps.dwFormats & WAVE_FORMAT_4S16);
    EXPECT_EQ(MMSYSERR_INVALPARAM, waveOutGetDevCapsW(0, nullptr, sizeof caps));
}

TEST(WaveOut, TheSpeakerPlaysTheBuffersInOrderWithSilenceBetween)
{
    SpeakerCapture speaker;
    OpenOutput output;
    Buffer first({100, -100, 200, -200});
    Buffer second({300, -300});
    for (Buffer* buffer : {&first, &second})
        waveOutPrepareHeader(output.handle, &buffer->header, sizeof(WAVEHDR));
    speaker.play(3);
    waveOutWrite(output.handle, &first.header, sizeof(WAVEHDR));
    waveOutWrite(output.handle, &second.header, sizeof(WAVEHDR));
    speaker.play(5);
    const std::vector<int16_t> expected = {0, 0, 0, 0, 0, 0, 100, -100, 200, -200, 300, -300, 0, 0, 0, 0};
    EXPECT_EQ(expected, speaker.samples);
    MMTIME time = {TIME_SAMPLES, {0}};
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutGetPosition(output.handle, &time, sizeof time));
    EXPECT_EQ(3u, time.u.sample);
    time.wType = 8;  // a kind the device does not offer comes back in bytes
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutGetPosition(output.handle, &time, sizeof time));
    EXPECT_EQ(TIME_BYTES, time.wType);
    EXPECT_EQ(12u, time.u.cb);
    EXPECT_EQ(MMSYSERR_INVALPARAM, waveOutGetPosition(output.handle, &time, sizeof time - 1));
}

TEST(WaveOut, OtherFormatsPlayAtTheirOwnRate)
{
    SpeakerCapture speaker;
    OpenOutput output(pcmFormat(1, 22050, 8));
    std::vector<int16_t> bytes(1);  // room for two 8-bit samples
    Buffer buffer(bytes);
    reinterpret_cast<unsigned char*>(buffer.samples.data())[0] = 0x80 + 1;
    reinterpret_cast<unsigned char*>(buffer.samples.data())[1] = 0x80 - 2;
    waveOutPrepareHeader(output.handle, &buffer.header, sizeof(WAVEHDR));
    waveOutWrite(output.handle, &buffer.header, sizeof(WAVEHDR));
    speaker.play(4);
    // Each 22,050 Hz frame lasts two frames of the speaker, on both sides.
    const std::vector<int16_t> expected = {256, 256, 256, 256, -512, -512, -512, -512};
    EXPECT_EQ(expected, speaker.samples);
    EXPECT_EQ(WHDR_DONE, buffer.header.dwFlags & WHDR_DONE);
    MMTIME time = {TIME_MS, {0}};
    waveOutGetPosition(output.handle, &time, sizeof time);
    EXPECT_EQ(0u, time.u.ms);
}

TEST(WaveOut, ResetPauseAndVolume)
{
    SpeakerCapture speaker;
    OpenOutput output;
    Buffer buffer(std::vector<int16_t>(2 * 10, 1000));
    waveOutPrepareHeader(output.handle, &buffer.header, sizeof(WAVEHDR));
    waveOutWrite(output.handle, &buffer.header, sizeof(WAVEHDR));
    speaker.play(2);
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutPause(output.handle));
    speaker.play(5);
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutSetVolume(output.handle, 0x8000FFFF));
    DWORD volume = 0;
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutGetVolume(nullptr, &volume));
    EXPECT_EQ(0x8000FFFFu, volume);
    EXPECT_EQ(MMSYSERR_INVALPARAM, waveOutGetVolume(output.handle, nullptr));
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutRestart(output.handle));
    speaker.play(1);
    waveOutSetVolume(nullptr, 0xFFFFFFFF);
    // Two frames, five of silence while paused, one at half volume on the right.
    ASSERT_EQ(8u, speaker.frames());
    EXPECT_EQ(1000, speaker.left(1));
    EXPECT_EQ(0, speaker.left(6));
    EXPECT_EQ(1000, speaker.left(7));
    EXPECT_EQ(500, speaker.right(7));
    MMTIME time = {TIME_SAMPLES, {0}};
    waveOutGetPosition(output.handle, &time, sizeof time);
    EXPECT_EQ(3u, time.u.sample);

    EXPECT_EQ(MMSYSERR_NOERROR, waveOutReset(output.handle));
    EXPECT_EQ(WHDR_PREPARED | WHDR_DONE, buffer.header.dwFlags);
    waveOutGetPosition(output.handle, &time, sizeof time);
    EXPECT_EQ(0u, time.u.sample);
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutClose(output.handle));
    output.handle = nullptr;
}

struct Notifications {
    std::vector<UINT> messages;
    std::vector<WAVEHDR*> done;
};

void notified(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR parameter, DWORD_PTR)
{
    Notifications* seen = reinterpret_cast<Notifications*>(instance);
    seen->messages.push_back(message);
    if (message == WOM_DONE)
        seen->done.push_back(reinterpret_cast<WAVEHDR*>(parameter));
}

TEST(WaveOut, NotifiesAFunctionOrSetsAnEvent)
{
    SpeakerCapture speaker;
    Notifications seen;
    Buffer first(std::vector<int16_t>(2 * 4, 1));
    Buffer second(std::vector<int16_t>(2 * 4, 2));
    {
        OpenOutput output(pcmFormat(2, 44100, 16), reinterpret_cast<DWORD_PTR>(&notified), CALLBACK_FUNCTION,
                          reinterpret_cast<DWORD_PTR>(&seen));
        ASSERT_EQ(MMSYSERR_NOERROR, output.result);
        for (Buffer* buffer : {&first, &second}) {
            waveOutPrepareHeader(output.handle, &buffer->header, sizeof(WAVEHDR));
            waveOutWrite(output.handle, &buffer->header, sizeof(WAVEHDR));
        }
        speaker.play(6);
        EXPECT_EQ(std::vector<WAVEHDR*>({&first.header}), seen.done);
    }
    // The reset at the end marks the second done; then the close.
    EXPECT_EQ(std::vector<UINT>({WOM_OPEN, WOM_DONE, WOM_DONE, WOM_CLOSE}), seen.messages);

    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    OpenOutput output(pcmFormat(2, 44100, 16), reinterpret_cast<DWORD_PTR>(event), CALLBACK_EVENT);
    ASSERT_EQ(MMSYSERR_NOERROR, output.result);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, 0));  // WOM_OPEN
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(event, 0));
    // Nothing queued: waiting for ever could not end.
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(event, INFINITE));
    waveOutPrepareHeader(output.handle, &first.header, sizeof(WAVEHDR));
    waveOutWrite(output.handle, &first.header, sizeof(WAVEHDR));
    // The wait lets the clock run until the buffer is played.
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, INFINITE));
    EXPECT_EQ(WHDR_DONE, first.header.dwFlags & WHDR_DONE);
    EXPECT_EQ(TRUE, CloseHandle(event));
}

} // namespace
