// PARVOLIN_AUDIO_OUT: the WAV file of everything the speaker gave out, from the run's start,
// whose header is right however the program ends.
#include "platform/base/Host.h"
#include "platform/system/SoundOutput.h"
#include "platform/system/SystemServices.h"
#include "platform/system/WaveOut.h"
#include "support/DeviceScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

uint32_t le32(const std::string& bytes, size_t at)
{
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8 |
           static_cast<unsigned char>(bytes[at + 2]) << 16 | static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void endBySignal(int) { std::exit(0); }

enum class Ending { Exit, HandledSignal };

// A child run: its host chosen with the recording on, 1,000 frames of 1234 written at
// frame 500 of a run 3,000 frames long under a clock moved by hand, then the ending.
int runChild(const std::string& path, Ending ending)
{
    pid_t child = fork();
    if (child == 0) {
        setenv("PARVOLIN_AUDIO_OUT", path.c_str(), 1);
        static ScopedManualClock clock(5000000000ull);
        // The run starts here (the suite's earlier cases ran in this process).
        Hosts::install(nullptr);
        SoundOutput::restart();
        Hosts::current();
        clock.advance((500ull * 1000000000ull + 44099) / 44100);
        const WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
        HWAVEOUT output = nullptr;
        static std::vector<int16_t> samples(2 * 1000, 1234);
        static WAVEHDR header = {};
        header.lpData = reinterpret_cast<LPSTR>(samples.data());
        header.dwBufferLength = static_cast<DWORD>(samples.size() * 2);
        if (waveOutOpen(&output, 0, &format, 0, 0, CALLBACK_NULL) || waveOutPrepareHeader(output, &header, sizeof header) ||
            waveOutWrite(output, &header, sizeof header))
            _exit(9);
        clock.advance((3000ull * 1000000000ull + 44099) / 44100 - (500ull * 1000000000ull + 44099) / 44100);
        GetTickCount();
        if (ending == Ending::HandledSignal) {
            std::signal(SIGTERM, endBySignal);
            raise(SIGTERM);
        }
        std::exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Recording : public ::testing::TestWithParam<Ending> {};

TEST_P(Recording, HoldsTheWholeRunWithAHeaderThatIsRight)
{
    TempFolder folder;
    const std::string path = folder.hostPath("out.wav");
    ASSERT_EQ(0, runChild(path, GetParam()));
    const std::string bytes = readFile(path);
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ("RIFF", bytes.substr(0, 4));
    EXPECT_EQ(bytes.size() - 8, le32(bytes, 4));
    EXPECT_EQ("WAVEfmt ", bytes.substr(8, 8));
    const std::string format("\x10\0\0\0\x01\0\x02\0\x44\xAC\0\0\x10\xB1\x02\0\x04\0\x10\0", 20);
    EXPECT_EQ(format, bytes.substr(16, 20));
    EXPECT_EQ("data", bytes.substr(36, 4));
    EXPECT_EQ(3000u * 4, le32(bytes, 40));
    ASSERT_EQ(44u + 3000 * 4, bytes.size());
    auto sampleAt = [&](size_t frame) {
        return static_cast<int16_t>(static_cast<unsigned char>(bytes[44 + 4 * frame]) |
                                    static_cast<unsigned char>(bytes[45 + 4 * frame]) << 8);
    };
    EXPECT_EQ(0, sampleAt(499));
    EXPECT_EQ(1234, sampleAt(500));
    EXPECT_EQ(1234, sampleAt(1499));
    EXPECT_EQ(0, sampleAt(1500));
}

INSTANTIATE_TEST_SUITE_P(EndingBy, Recording, ::testing::Values(Ending::Exit, Ending::HandledSignal));

TEST(Recording, AFileThatCannotBeWrittenStopsTheProgram)
{
    pid_t child = fork();
    if (child == 0) {
        setenv("PARVOLIN_AUDIO_OUT", "/nonexistent-folder/out.wav", 1);
        freopen("/dev/null", "w", stderr);
        Hosts::current();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(2, WEXITSTATUS(status));
}

} // namespace
