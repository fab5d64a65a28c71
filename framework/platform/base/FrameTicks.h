#ifndef PARVOLIN_FRAME_TICKS_H
#define PARVOLIN_FRAME_TICKS_H

// The device's frame ticks as the message calls meet them. The input schedule keeps the
// ticks and serves these (see input/InputSchedule.h for what a tick is); the calls are
// declared down here so that the message loop reaches them without knowing the schedule.
namespace FrameTicks {

// The thread's queue is empty: the coming tick's input is posted, the first time only.
void deliverForComingTick();
// A peek found nothing after that: the coming tick starts.
void startTick();
// A script or a frame limit still has input for a later tick (its clock runs in ticks).
bool hasScheduledInput();

} // namespace FrameTicks

#endif
