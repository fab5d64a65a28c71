#include "display/FlipCopies.h"
#include "pixels/PixelRules.h"
#include "pixels/VectorKernels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// A frame buffer with a margin all around, so that a write outside the pixels shows.
struct FrameBuffer {
    FrameBuffer(unsigned long width, unsigned long height, long xPitch, long yPitch)
    {
        long long right = (static_cast<long long>(width) - 1) * xPitch;
        long long down = (static_cast<long long>(height) - 1) * yPitch;
        long long lowest = std::min(0LL, right) + std::min(0LL, down);
        long long highest = std::max(0LL, right) + std::max(0LL, down) + 2;
        bytes.assign(static_cast<size_t>(highest - lowest + 2 * margin), 0xA5);
        origin = static_cast<ptrdiff_t>(margin - lowest);
    }

    unsigned char* base() { return bytes.data() + origin; }

    static constexpr long long margin = 64;
    std::vector<unsigned char> bytes;
    ptrdiff_t origin;
};

struct Layout {
    unsigned long width;
    unsigned long height;
    long xPitch;
    long yPitch;
};

// The copies with the vector kernels switched on and off give the same bytes, for every
// shape of frame buffer the display meets: rows (contiguous, padded, mirrored), quarter
// turns either way, and odd pitches; both pixel formats; random pixels and sizes that
// leave every remainder of eight.
TEST(FlipCopies, VectorPathGivesThePlainBits)
{
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        unsigned long width = 1 + random() % 70;
        unsigned long height = 1 + random() % 70;
        long row = static_cast<long>(2 * width + 2 * (random() % 3));
        long column = static_cast<long>(2 * height + 2 * (random() % 3));
        const Layout layouts[] = {
            {width, height, 2, row},  {width, height, -2, -row}, {width, height, column, -2},
            {width, height, -column, 2}, {width, height, 6, 6 * static_cast<long>(width)},
        };
        std::vector<unsigned short> pixels(width * height);
        for (unsigned short& p : pixels)
            p = static_cast<unsigned short>(random());
        for (const Layout& layout : layouts) {
            for (CopyRoutine copy : {FlipCopies::strided, FlipCopies::strided555}) {
                FrameBuffer plain(layout.width, layout.height, layout.xPitch, layout.yPitch);
                FrameBuffer vector = plain;
                setVectorKernelsEnabled(false);
                copy(plain.base(), pixels.data(), layout.width, layout.height, layout.xPitch, layout.yPitch);
                setVectorKernelsEnabled(true);
                copy(vector.base(), pixels.data(), layout.width, layout.height, layout.xPitch, layout.yPitch);
                ASSERT_EQ(plain.bytes, vector.bytes) << layout.width << "x" << layout.height << " pitches "
                                                     << layout.xPitch << ", " << layout.yPitch;
            }
        }
    }
}

// The RGB555 kernel at every level this processor has, also converting where the pixels
// lie.
TEST(FlipCopies, Rgb555KernelsGiveThePlainBits)
{
    if (!processorKernels().rowTo555)
        GTEST_SKIP() << "this processor has no vector RGB555 kernel";
    std::mt19937 random(11);
    for (int round = 0; round < 600; ++round) {
        const VectorKernels& kernels = round % 2 ? processorKernels() : baselineKernels();
        size_t count = random() % 100;
        size_t offset = random() % 9;
        std::vector<uint16_t> source(count + 20);
        for (uint16_t& p : source)
            p = static_cast<uint16_t>(random());
        std::vector<uint16_t> expected(source.size(), 0x5A5A);
        for (size_t i = 0; i < count; ++i)
            expected[offset + i] = PixelRules::toRgb555(source[offset + i]);
        std::vector<uint16_t> converted(source.size(), 0x5A5A);
        kernels.rowTo555(converted.data() + offset, source.data() + offset, count);
        ASSERT_EQ(expected, converted) << count << " pixels";
        std::vector<uint16_t> inPlace = source;
        kernels.rowTo555(inPlace.data() + offset, inPlace.data() + offset, count);
        for (size_t i = 0; i < count; ++i)
            ASSERT_EQ(expected[offset + i], inPlace[offset + i]);
    }
}

// The plain rule itself: each pixel where its pitches say, converted for RGB555, and
// nothing written outside.
TEST(FlipCopies, EveryPixelLandsWhereItsPitchesSay)
{
    const unsigned long width = 11, height = 9;
    std::vector<unsigned short> pixels(width * height);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned short>(0x1000 + i * 37);
    for (bool vectors : {false, true}) {
        setVectorKernelsEnabled(vectors);
        for (bool to555 : {false, true}) {
            FrameBuffer frame(width, height, 2 * height, -2);
            (to555 ? FlipCopies::strided555 : FlipCopies::strided)(frame.base(), pixels.data(), width, height,
                                                                  2 * height, -2);
            for (unsigned long y = 0; y < height; ++y)
                for (unsigned long x = 0; x < width; ++x) {
                    const unsigned char* at =
                        frame.base() + static_cast<ptrdiff_t>(x * 2 * height) - 2 * static_cast<ptrdiff_t>(y);
                    uint16_t stored = static_cast<uint16_t>(at[0] | at[1] << 8);
                    uint16_t drawn = pixels[y * width + x];
                    EXPECT_EQ(to555 ? PixelRules::toRgb555(drawn) : drawn, stored) << x << ", " << y;
                }
            for (long long i = 0; i < FrameBuffer::margin; ++i) {
                EXPECT_EQ(0xA5, frame.bytes[static_cast<size_t>(i)]);
                EXPECT_EQ(0xA5, frame.bytes[frame.bytes.size() - 1 - static_cast<size_t>(i)]);
            }
        }
    }
    setVectorKernelsEnabled(true);
}

TEST(FlipCopies, RoutineFollowsTheFrameBuffer)
{
    EXPECT_EQ(FlipCopies::contiguous, FlipCopies::choose(16, 0xA0, 240, 2, 480));
    EXPECT_EQ(FlipCopies::strided, FlipCopies::choose(16, 0x80, 240, 2, 512));
    EXPECT_EQ(FlipCopies::strided, FlipCopies::choose(16, 0xA8, 320, 480, -2));
    EXPECT_EQ(FlipCopies::strided555, FlipCopies::choose(16, 0x40, 240, 2, 480));
    EXPECT_EQ(FlipCopies::contiguous, FlipCopies::choose(16, 0xC0, 240, 2, 480));
    EXPECT_EQ(nullptr, FlipCopies::choose(16, 0x20, 240, 2, 480));
    EXPECT_EQ(nullptr, FlipCopies::choose(24, 0x80, 240, 3, 720));
    EXPECT_EQ(nullptr, FlipCopies::choose(8, 0x80, 240, 1, 240));
}

} // namespace
