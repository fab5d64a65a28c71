#include "ReferenceDecoder.h"

#include "pixels/PixelRules.h"
#include "pixels/VectorKernels.h"
#include "pixels/YuvKernels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using RowPairKernel = void (*)(uint16_t*, uint16_t*, const uint8_t*, const uint8_t*, const uint8_t*, const uint8_t*,
                               size_t);

// Every vector kernel this processor can run for video rows.
std::vector<RowPairKernel> rowPairKernels()
{
    std::vector<RowPairKernel> kernels;
    if (baselineKernels().yuvRowPair)
        kernels.push_back(baselineKernels().yuvRowPair);
    if (processorKernels().yuvRowPair && processorKernels().yuvRowPair != baselineKernels().yuvRowPair)
        kernels.push_back(processorKernels().yuvRowPair);
    return kernels;
}

uint16_t rule(int y, int u, int v) { return PixelRules::yuvToNative(y, PixelRules::chromaTerms(u, v)); }

// Planes with room around the picture, and a target with guard pixels right of and below
// it, all random.
struct Case {
    std::vector<uint8_t> y, u, v;
    long yStride = 0, uvStride = 0;
    YuvKernels::Picture picture = {};
    std::vector<uint16_t> target;
    long pitch = 0;

    Case(std::mt19937& random, unsigned long width, unsigned long height, bool bottomUp)
    {
        const unsigned long chromaWidth = (width + 1) / 2;
        const unsigned long chromaHeight = (height + 1) / 2;
        yStride = static_cast<long>(width + random() % 40);
        uvStride = static_cast<long>(chromaWidth + random() % 20);
        y.resize(size_t(yStride) * height + 1);
        u.resize(size_t(uvStride) * chromaHeight + 1);
        v.resize(u.size());
        for (auto* plane : {&y, &u, &v})
            for (uint8_t& sample : *plane)
                sample = static_cast<uint8_t>(random());
        picture.width = width;
        picture.height = height;
        // Bottom-up planes: the picture's first row is the last in memory.
        picture.y = y.data() + (bottomUp && height ? (height - 1) * yStride : 0);
        picture.u = u.data() + (bottomUp && height ? (chromaHeight - 1) * uvStride : 0);
        picture.v = v.data() + (bottomUp && height ? (chromaHeight - 1) * uvStride : 0);
        picture.yStride = bottomUp ? -yStride : yStride;
        picture.uvStride = bottomUp ? -uvStride : uvStride;
        pitch = static_cast<long>(width + 1 + random() % 9);
        target.resize(size_t(pitch) * (height + 2));
        for (uint16_t& p : target)
            p = static_cast<uint16_t>(random());
    }

    uint16_t expected(unsigned long x, unsigned long row) const
    {
        return ReferenceDecoder::pixel(picture.y[long(row) * picture.yStride + long(x)],
                                       picture.u[long(row / 2) * picture.uvStride + long(x / 2)],
                                       picture.v[long(row / 2) * picture.uvStride + long(x / 2)]);
    }
};

} // namespace

TEST(YuvRule, KnownColours)
{
    EXPECT_EQ(0x0000, rule(16, 128, 128));
    // Y = 235: R = 65262 >> 8 = 254, G and B round up to 255; all fields full.
    EXPECT_EQ(0xFFFF, rule(235, 128, 128));
    EXPECT_EQ(254, PixelRules::clamp[(298 * (235 - 16)) >> 8]);
    EXPECT_EQ(0xFFFF, rule(255, 128, 128));
    EXPECT_EQ(0x0000, rule(0, 128, 128));
    // Saturated chroma clamps each channel on its own: pure red and pure blue.
    EXPECT_EQ(0xF800, rule(81, 90, 240) & 0xF800);
    EXPECT_EQ(0x001F, rule(41, 240, 110) & 0x001F);
}

TEST(YuvRule, ClampingTableCoversEverySum)
{
    EXPECT_EQ(0, PixelRules::clampTable.entries[0]);
    EXPECT_EQ(0, PixelRules::clamp[-1]);
    EXPECT_EQ(0, PixelRules::clamp[0]);
    EXPECT_EQ(200, PixelRules::clamp[200]);
    EXPECT_EQ(255, PixelRules::clamp[255]);
    EXPECT_EQ(255, PixelRules::clamp[256]);
    EXPECT_EQ(255, PixelRules::clampTable.entries[1023]);
}

TEST(YuvRule, EverySampleTripleMatchesTheFormulas)
{
    for (int u = 0; u < 256; ++u)
        for (int v = 0; v < 256; ++v)
            for (int y = 0; y < 256; ++y)
                if (rule(y, u, v) != ReferenceDecoder::pixel(y, u, v))
                    FAIL() << "y " << y << " u " << u << " v " << v;
}

TEST(YuvKernels, VectorKernelsGiveThePlainBitsForEverySampleTriple)
{
    const std::vector<RowPairKernel> kernels = rowPairKernels();
    if (kernels.empty())
        GTEST_SKIP() << "this processor has no vector kernel for video";
    // One call per U and luma quad: 256 blocks with V = 0..255, whose four luma samples are
    // 4q .. 4q + 3, so every (Y, U, V) is met once.
    std::vector<uint8_t> top(512), bottom(512), u(256), v(256);
    std::vector<uint16_t> vectorTop(512), vectorBottom(512), plainTop(512), plainBottom(512);
    for (int i = 0; i < 256; ++i)
        v[i] = static_cast<uint8_t>(i);
    for (RowPairKernel kernel : kernels)
        for (int cb = 0; cb < 256; ++cb) {
            std::fill(u.begin(), u.end(), static_cast<uint8_t>(cb));
            for (int q = 0; q < 64; ++q) {
                for (int i = 0; i < 256; ++i) {
                    top[2 * i] = static_cast<uint8_t>(4 * q);
                    top[2 * i + 1] = static_cast<uint8_t>(4 * q + 1);
                    bottom[2 * i] = static_cast<uint8_t>(4 * q + 2);
                    bottom[2 * i + 1] = static_cast<uint8_t>(4 * q + 3);
                }
                kernel(vectorTop.data(), vectorBottom.data(), top.data(), bottom.data(), u.data(), v.data(), 256);
                YuvKernels::plain::convertRowPair(plainTop.data(), plainBottom.data(), top.data(), bottom.data(),
                                                  u.data(), v.data(), 256);
                ASSERT_EQ(plainTop, vectorTop) << "u " << cb << " quad " << q;
                ASSERT_EQ(plainBottom, vectorBottom) << "u " << cb << " quad " << q;
            }
        }
}

TEST(YuvKernels, VectorKernelsWriteRowsOfEveryLengthAndNoMore)
{
    std::mt19937 random(77);
    for (RowPairKernel kernel : rowPairKernels())
        for (size_t pairs = 0; pairs < 90; ++pairs)
            for (int round = 0; round < 4; ++round) {
                const size_t offset = random() % 16;
                std::vector<uint8_t> samples(4 * pairs + 2 * pairs + 64);
                for (uint8_t& s : samples)
                    s = static_cast<uint8_t>(random());
                const uint8_t* yTop = samples.data() + offset;
                const uint8_t* yBottom = yTop + 2 * pairs + 3;
                const uint8_t* u = yBottom + 2 * pairs + 1;
                const uint8_t* v = u + pairs + 5;
                std::vector<uint16_t> vectorRows(4 * pairs + 40);
                for (uint16_t& p : vectorRows)
                    p = static_cast<uint16_t>(random());
                std::vector<uint16_t> plainRows = vectorRows;
                // Rows with guard pixels before, between and after them.
                kernel(vectorRows.data() + 7, vectorRows.data() + 2 * pairs + 20, yTop, yBottom, u, v, pairs);
                YuvKernels::plain::convertRowPair(plainRows.data() + 7, plainRows.data() + 2 * pairs + 20, yTop,
                                                  yBottom, u, v, pairs);
                ASSERT_EQ(plainRows, vectorRows) << pairs << " pairs";
            }
}

TEST(YuvKernels, PicturesOfAnySizeConvertAlikeOnBothPathsAndStayInside)
{
    std::mt19937 random(2024);
    for (int round = 0; round < 400; ++round) {
        const unsigned long width = round < 8 ? round : 1 + random() % 90;
        const unsigned long height = round < 8 ? 7 - round : 1 + random() % 21;
        Case vectorCase(random, width, height, round % 2 == 1);
        Case plainCase = vectorCase;
        // The copy's picture points into its own planes.
        plainCase.picture.y = plainCase.y.data() + (vectorCase.picture.y - vectorCase.y.data());
        plainCase.picture.u = plainCase.u.data() + (vectorCase.picture.u - vectorCase.u.data());
        plainCase.picture.v = plainCase.v.data() + (vectorCase.picture.v - vectorCase.v.data());
        const std::vector<uint16_t> before = vectorCase.target;

        YuvKernels::convert(vectorCase.picture, vectorCase.target.data(), vectorCase.pitch);
        setVectorKernelsEnabled(false);
        YuvKernels::convert(plainCase.picture, plainCase.target.data(), plainCase.pitch);
        setVectorKernelsEnabled(true);
        ASSERT_EQ(plainCase.target, vectorCase.target) << width << " x " << height;

        for (unsigned long row = 0; row < height + 2; ++row)
            for (unsigned long x = 0; x < static_cast<unsigned long>(vectorCase.pitch); ++x) {
                const size_t at = row * size_t(vectorCase.pitch) + x;
                const uint16_t wanted = row < height && x < width ? vectorCase.expected(x, row) : before[at];
                ASSERT_EQ(wanted, vectorCase.target[at]) << width << " x " << height << " at " << x << ", " << row;
            }
    }
}

TEST(YuvKernels, SwitchSelectsThePlainPath)
{
    setVectorKernelsEnabled(false);
    EXPECT_EQ(nullptr, vectorKernels().yuvRowPair);
    setVectorKernelsEnabled(true);
    EXPECT_EQ(processorKernels().yuvRowPair, vectorKernels().yuvRowPair);
}
