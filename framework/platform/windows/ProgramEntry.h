#ifndef PARVOLIN_PROGRAM_ENTRY_H
#define PARVOLIN_PROGRAM_ENTRY_H

/// \file
/// WinMain, the game's entry function, and the process entry that calls it.
/// \ingroup platform_windows

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

/// \addtogroup platform_windows
/// @{

/// A game's entry function, as on the handheld: the program's module instance, always
/// null for the previous instance, the command line without the program's name, and how
/// the window is to be shown. The game defines it; the library ParvolinMain provides the
/// process's real entry point, which calls it (link the game with Parvolin and
/// ParvolinMain). What it returns is the process's exit status.
int WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show);

/// The type of WinMain.
typedef int (*WinMainFunction)(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show);

/// The process entry that ParvolinMain's main uses.
namespace ProgramEntry {

/// Turns the process into the handheld's: sets up the host (a bad input script ends the
/// process here with status 2), calls `winMain` with the program's instance and command
/// line, shuts the host down and returns what `winMain` returned. A program that writes
/// its own main calls this with its WinMain.
PARVOLIN_API int run(int argc, char** argv, WinMainFunction winMain);

} // namespace ProgramEntry

/// @}

#endif
