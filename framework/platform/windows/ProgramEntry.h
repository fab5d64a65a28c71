#ifndef PARVOLIN_PROGRAM_ENTRY_H
#define PARVOLIN_PROGRAM_ENTRY_H

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

// A game's entry function, as on the handheld: the program's module instance, always
// null for the previous instance, the command line without the program's name, and how
// the window is to be shown. The game defines it; the library ParvolinMain provides the
// process's real entry point, which calls it (link the game with Parvolin and
// ParvolinMain).
int WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show);

typedef int (*WinMainFunction)(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show);

namespace ProgramEntry {

// Turns the process into the handheld's: sets up the host (a bad input script ends the
// process here with status 2), calls `winMain` with the program's instance and command
// line, shuts the host down and returns what `winMain` returned.
PARVOLIN_API int run(int argc, char** argv, WinMainFunction winMain);

} // namespace ProgramEntry

#endif
