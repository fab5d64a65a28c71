#ifndef PARVOLIN_AUDIO_STREAMS_H
#define PARVOLIN_AUDIO_STREAMS_H

#include <cstdint>

class Audio;
class SoundStream;

// A sound track played through the mixer beside the game's sounds (a video's): a channel
// that pulls from a SoundStream at full volume and pan 0, and the clock that its playing
// gives.
namespace AudioStreams {

// The stream is borrowed until stop. Audio::play's codes.
long play(Audio* audio, SoundStream* stream, long* channel);
long stop(Audio* audio, long channel);
// The stream's frames the device has played, from its first on: the sound's clock. The
// frames the stream could not give in time do not count; after its end the device's
// frames count on, so the clock never stands still while the device plays. 0 for a
// channel that plays no stream.
uint64_t played(Audio* audio, long channel);

} // namespace AudioStreams

#endif
