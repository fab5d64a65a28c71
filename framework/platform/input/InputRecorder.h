#ifndef PARVOLIN_INPUT_RECORDER_H
#define PARVOLIN_INPUT_RECORDER_H

#include "platform/base/InputCommand.h"

#include <cstdio>
#include <string>

// Writes the input the device receives as an input script (see InputScript.h), one line a
// command, each line flushed at once so that a session that crashes still leaves its
// recording.
class InputRecorder {
public:
    InputRecorder() = default;
    ~InputRecorder();
    InputRecorder(const InputRecorder&) = delete;
    InputRecorder& operator=(const InputRecorder&) = delete;

    // Starts a new recording at a host path, beginning with a comment naming the device;
    // false with `error` when the file cannot be written.
    bool open(const std::string& path, const char* deviceName, std::string& error);
    // `command` delivered before frame tick `tick`.
    void write(uint64_t tick, const InputCommand& command);
    void close();
    bool isOpen() const { return file != nullptr; }

private:
    std::FILE* file = nullptr;
};

#endif
