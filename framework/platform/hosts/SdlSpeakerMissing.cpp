#include "platform/hosts/SdlSpeaker.h"

// This build has no SDL2: the device's speaker is silent under every host.
SdlSpeaker::~SdlSpeaker() {}

uint32_t SdlSpeaker::queuedFrames() const { return 0; }

void SdlSpeaker::play(const int16_t*, size_t) {}
