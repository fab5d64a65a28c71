#ifndef PARVOLIN_FPS_H
#define PARVOLIN_FPS_H

/// \file
/// Fps, the frame pacer.
/// \ingroup app

#include <Parvolin/Export.h>

struct FpsTimer;

/// \addtogroup app
/// @{

/// Holds each frame to a fixed period. wait() returns when the period is over by the
/// performance counter (or, on a device without one, the millisecond tick count): it
/// sleeps through the period but for a last stretch, measured from how late the system's
/// sleep wakes, which it spins so that the boundary is hit as closely as the clock allows.
/// A late frame shortens the next period, but by at most one whole period. The
/// application runs one at Config::fps; headless, in device time, the wait moves the
/// device's clock instead of sleeping.
class PARVOLIN_API Fps {
public:
    /// Not started.
    Fps();
    /// Releases the timer.
    virtual ~Fps();

    /// Starts pacing at `fps` frames per second; 0 runs unpaced. ResultCode::OutOfMemory
    /// when out of memory.
    long start(unsigned long fps);
    /// Starts again at the same rate, forgetting any lateness; ResultCode::FpsNotStarted
    /// before start.
    long restart();
    /// Waits out the current period; ResultCode::FpsNotStarted before start.
    long wait();
    /// Length of the last period in microseconds; 0 before start.
    unsigned long getLastWait();

private:
    FpsTimer* timer;
};

/// @}

#endif
