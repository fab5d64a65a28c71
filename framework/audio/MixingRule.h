#ifndef PARVOLIN_MIXING_RULE_H
#define PARVOLIN_MIXING_RULE_H

#include <cstddef>
#include <cstdint>

// How the mixer adds channels together, exactly: for a channel with volume v (0..256) and
// pan p (-256..256) the left gain is (v x (p > 0 ? 256 - p : 256)) >> 8 and the right gain
// (v x (p < 0 ? 256 + p : 256)) >> 8; a mono sample s adds (s x gl) >> 8 to the left and
// (s x gr) >> 8 to the right; a stereo sample adds its left and its right that way. The
// sum is multiplied by the master volume, shifted right by 8 and saturated to 16 bits.
// Shifts are arithmetic. The sums stay in 32 bits: 33 channels at full volume reach
// 33 x 32,768 x 256 at most.
namespace MixingRule {

inline int32_t leftGain(int32_t volume, int32_t pan) { return (volume * (pan > 0 ? 256 - pan : 256)) >> 8; }
inline int32_t rightGain(int32_t volume, int32_t pan) { return (volume * (pan < 0 ? 256 + pan : 256)) >> 8; }

// Adds `frames` frames of `channels` (1 or 2) interleaved samples to the stereo sums.
void add(int32_t* sums, const int16_t* samples, size_t frames, unsigned channels, int32_t left, int32_t right);
// The sums, times the master volume, shifted and saturated, into stereo output.
void finish(const int32_t* sums, int16_t* output, size_t frames, int32_t master);

} // namespace MixingRule

#endif
