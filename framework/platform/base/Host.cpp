#include "platform/base/Host.h"

#include "platform/base/Clock.h"

Host::~Host() {}

bool Host::waitForInput(DWORD milliseconds)
{
    Clock::current().sleep(milliseconds);
    return false;
}

void Host::playSound(const int16_t*, size_t) {}
