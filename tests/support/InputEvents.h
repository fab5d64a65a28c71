#ifndef PARVOLIN_TEST_INPUT_EVENTS_H
#define PARVOLIN_TEST_INPUT_EVENTS_H

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>

// Linux input event records (struct input_event), as an input device or a file standing in
// for one gives them to the frame-buffer host.
struct EventRecord {
    unsigned type;
    unsigned code;
    int32_t value;
};

// The records as bytes, one after another.
std::string eventBytes(std::initializer_list<EventRecord> records);

// A touch screen whose values are screen pixels: one unit each.
std::string touchDown(int32_t x, int32_t y);
std::string touchMove(int32_t x, int32_t y);
std::string touchUp();
// A key or button pressed (1), repeated (2) or let go (0), as one unit.
std::string keyEvent(unsigned code, int32_t value);

// Appends bytes to a file (or writes them to a FIFO); false when it cannot.
bool appendBytes(const std::string& path, const std::string& bytes);

// Sets variables for the life of the object (an empty value unsets one), then puts back
// what was there.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const std::map<std::string, std::string>& variables);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::map<std::string, std::string> saved;
    std::map<std::string, bool> wasSet;
};

#endif
