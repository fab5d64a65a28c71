#include "pixels/RowKernels.h"
#include "pixels/VectorKernels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Runs of random length at random offsets inside a larger row, so that every alignment
// and every remainder of eight is met; the pixels around the run must stay untouched.
template <typename Kernel, typename Reference>
void compareOnRandomRuns(Kernel kernel, Reference reference)
{
    std::mt19937 random(99);
    for (int round = 0; round < 3000; ++round) {
        size_t length = random() % 300;
        size_t offset = random() % 17;
        std::vector<uint16_t> expected(length + 40);
        for (uint16_t& p : expected)
            p = static_cast<uint16_t>(random());
        std::vector<uint16_t> actual = expected;
        uint16_t color = static_cast<uint16_t>(random());
        uint32_t weight = random() % 64;
        reference(expected.data() + offset, length, color, weight);
        kernel(actual.data() + offset, length, color, weight);
        ASSERT_EQ(expected, actual) << "length " << length << " offset " << offset << " weight " << weight;
    }
}

} // namespace

TEST(VectorKernels, GiveTheBitsOfThePlainPath)
{
    // Every level this processor has: the baseline too, where it would choose wider ones.
    for (const VectorKernels& kernels : kernelLevels()) {
        if (!kernels.fill && !kernels.half && !kernels.blend)
            GTEST_SKIP() << "this processor has no vector kernels";
        if (kernels.fill)
            compareOnRandomRuns([&](uint16_t* r, size_t n, uint16_t c, uint32_t) { kernels.fill(r, n, c); },
                                [](uint16_t* r, size_t n, uint16_t c, uint32_t) { RowKernels::plain::fill(r, n, c); });
        if (kernels.half)
            compareOnRandomRuns([&](uint16_t* r, size_t n, uint16_t c, uint32_t) { kernels.half(r, n, c); },
                                [](uint16_t* r, size_t n, uint16_t c, uint32_t) { RowKernels::plain::half(r, n, c); });
        if (kernels.blend)
            compareOnRandomRuns(kernels.blend, RowKernels::plain::blend);
    }
}

TEST(VectorKernels, SwitchSelectsThePlainPath)
{
    setVectorKernelsEnabled(false);
    EXPECT_EQ(nullptr, vectorKernels().fill);
    EXPECT_EQ(nullptr, vectorKernels().blend);
    setVectorKernelsEnabled(true);
    EXPECT_EQ(processorKernels().fill, vectorKernels().fill);
}
