#ifndef PARVOLIN_INPUT_SCHEDULE_H
#define PARVOLIN_INPUT_SCHEDULE_H

#include "platform/base/InputCommand.h"
#include "platform/input/InputRecorder.h"

#include <cstdint>
#include <string>
#include <vector>

// The device's frame ticks and the input given at each.
//
// A frame tick is one pass of the program's loop that finds no message: its non-blocking
// peek comes back empty and it runs a frame (or, while minimised, waits). The ticks are
// counted from 0, and the input for tick N is delivered at the first moment before it
// that the thread's queue is empty: PeekMessageW, finding nothing, first posts it all at
// once, in this order: the script's commands for frame N (PARVOLIN_SCRIPT), the close
// command of the frame limit (PARVOLIN_FRAMES=N), what a person did since (the host), and
// requests of other programs to come forward; the peek then returns the first of those
// messages. A peek that still finds nothing starts tick N. A "shot" before tick N thus
// shows the glass after tick N-1's frame. Every input delivered is recorded with its tick
// (PARVOLIN_RECORD), so that a recording replays exactly.
class InputSchedule {
public:
    static InputSchedule& current();

    // Takes PARVOLIN_SCRIPT, PARVOLIN_FRAMES and PARVOLIN_RECORD from the environment;
    // false with `why` when one of them cannot be used (the program must not start).
    bool configureFromEnvironment(std::string& why);

    // No script, no frame limit, no recording, tick 0 next (tests; a new session).
    void reset();
    void setScript(const std::vector<InputCommand>& commands);
    void setFrameLimit(uint64_t ticks);
    bool startRecording(const std::string& path, std::string& why);
    void stopRecording();

    // The queue is empty: posts the coming tick's input, the first time only.
    void deliverForComingTick();
    // The peek found nothing after that: the coming tick starts.
    void startTick();
    // The number of the tick that comes next (the number of ticks started so far).
    uint64_t comingTick() const { return nextTick; }
    // The script or the frame limit still has input for a later tick.
    bool hasScheduledInput() const;

    // Input from a host or the script: posted to the program's window and recorded.
    void deliver(const InputCommand& command);

private:
    InputSchedule() = default;
    void takeShot(const InputCommand& command);

    std::vector<InputCommand> script;
    size_t scriptPosition = 0;
    bool limited = false;
    uint64_t frameLimit = 0;
    uint64_t nextTick = 0;
    bool delivered = false;  // the coming tick's input has been posted
    InputRecorder recorder;
};

#endif
