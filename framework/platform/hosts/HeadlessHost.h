#ifndef PARVOLIN_HEADLESS_HOST_H
#define PARVOLIN_HEADLESS_HOST_H

#include "platform/base/Host.h"

// No window: nothing is shown. It counts the frames presented, so that a run without a
// screen can still tell that frames were finished. With no person to keep time for, it
// lets the device run in device time.
class HeadlessHost : public Host {
public:
    static std::unique_ptr<Host> create();

    void present(const EmulatedScreen& screen) override;
    bool canRunInDeviceTime() const override { return true; }
    unsigned long framesPresented() const { return frames; }

private:
    unsigned long frames = 0;
};

#endif
