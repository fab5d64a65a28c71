#include "audio/MixingRule.h"

namespace MixingRule {

// Plain loops over restrict pointers: the compiler vectorises them.
void add(int32_t* __restrict sums, const int16_t* __restrict samples, size_t frames, unsigned channels, int32_t left,
         int32_t right)
{
    if (channels == 1) {
        for (size_t i = 0; i < frames; ++i) {
            const int32_t s = samples[i];
            sums[2 * i] += (s * left) >> 8;
            sums[2 * i + 1] += (s * right) >> 8;
        }
        return;
    }
    for (size_t i = 0; i < frames; ++i) {
        sums[2 * i] += (samples[2 * i] * left) >> 8;
        sums[2 * i + 1] += (samples[2 * i + 1] * right) >> 8;
    }
}

void finish(const int32_t* __restrict sums, int16_t* __restrict output, size_t frames, int32_t master)
{
    for (size_t i = 0; i < 2 * frames; ++i) {
        int32_t value = (sums[i] * master) >> 8;
        value = value < -32768 ? -32768 : value > 32767 ? 32767 : value;
        output[i] = static_cast<int16_t>(value);
    }
}

} // namespace MixingRule
