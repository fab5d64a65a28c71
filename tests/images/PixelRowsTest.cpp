#include "images/PixelRows.h"

#include "pixels/VectorKernels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// The 4-byte and 3-byte kernels at every level; the input ends where its pixels end, so a
// kernel that reads past them shows under the sanitizers.
TEST(PixelRows, TheRgbxAndRgbKernelsGiveTheBitsOfThePlainRule)
{
    if (!processorKernels().packRgbx)
        GTEST_SKIP() << "this processor has no conversion kernel";
    std::mt19937 random(11);
    const std::vector<VectorKernels> levels = kernelLevels();
    for (int round = 0; round < 4000; ++round) {
        const VectorKernels& kernels = levels[static_cast<size_t>(round) % levels.size()];
        const bool rgb = round % 2;
        const auto kernel = rgb ? kernels.packRgb : kernels.packRgbx;
        if (!kernel)
            continue;
        const size_t step = rgb ? 3 : 4;
        const size_t count = random() % 100;
        const size_t offset = random() % 5;
        std::vector<uint8_t> in(step * (count + offset));
        for (uint8_t& byte : in)
            byte = static_cast<uint8_t>(random());
        std::vector<uint16_t> expected(count + 2, 0x1234);
        std::vector<uint16_t> actual = expected;
        if (rgb)
            PixelRows::pack<3, 0, 1, 2>(in.data() + step * offset, count, expected.data() + 1);
        else
            PixelRows::pack<4, 0, 1, 2>(in.data() + step * offset, count, expected.data() + 1);
        kernel(in.data() + step * offset, count, actual.data() + 1);
        ASSERT_EQ(expected, actual) << "count " << count << " step " << step;
    }
}

TEST(PixelRows, EachChannelKeepsItsTopBits)
{
    const uint8_t pixels[] = {0xFF, 0xFF, 0xFF, 0, 0x07, 0x03, 0x07, 0, 0x08, 0x04, 0x08, 0, 0x12, 0x34, 0x56, 0xFF};
    uint16_t out[4];
    PixelRows::packRgbx(pixels, 4, out);
    EXPECT_EQ(0xFFFF, out[0]);
    EXPECT_EQ(0x0000, out[1]); // the low bits are dropped, not rounded
    EXPECT_EQ(0x0821, out[2]);
    EXPECT_EQ(0x11AA, out[3]);
}
