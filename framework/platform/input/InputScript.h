#ifndef PARVOLIN_INPUT_SCRIPT_H
#define PARVOLIN_INPUT_SCRIPT_H

#include "platform/base/InputCommand.h"

#include <string>
#include <vector>

// Input scripts: text, one command a line, "FRAME COMMAND ARGS", FRAME being the frame
// tick (the first is 0) before which the command takes effect; blank lines and lines
// whose first character that is not blank is '#' are skipped. Commands:
//   down X Y, move X Y, up X Y, dblclk X Y   the stylus on the glass
//   keydown KEY, keyup KEY                    KEY: up, down, left, right, start, a, b, c,
//                                             or a virtual-key code (decimal or 0x hex)
//   deactivate, activate, close
//   shot FILE                                 the glass as a PNG file (the rest of the line)
// Frames never go back from one line to the next. The same text is what a recording
// writes, so a recorded session is a script.
namespace InputScript {

// Longest line and largest script accepted.
constexpr size_t maxLineLength = 4096;
constexpr size_t maxScriptBytes = 16u << 20;

// False with `error` naming the line ("line 3: unknown command \"jump\"").
bool parse(const std::string& text, std::vector<InputCommand>& commands, std::string& error);
// Reads and parses a file at a host path.
bool load(const std::string& path, std::vector<InputCommand>& commands, std::string& error);

// The command as a script line, without the line end.
std::string format(const InputCommand& command);

// The name of a named key ("start"), null for any other number.
const char* keyNameText(int keyName);

} // namespace InputScript

#endif
