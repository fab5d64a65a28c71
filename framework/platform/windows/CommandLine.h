#ifndef PARVOLIN_COMMAND_LINE_H
#define PARVOLIN_COMMAND_LINE_H

#include <string>

namespace ProgramEntry {

// The command line the handheld would give: the arguments after the program's name,
// separated by spaces; one that is empty or holds a space, a tab or a quote goes in double
// quotes, each quote in it written \".
std::wstring commandLine(int argc, char** argv);

} // namespace ProgramEntry

#endif
