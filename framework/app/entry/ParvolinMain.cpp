// The process's real entry point for a game: the game writes WinMain, as on the handheld,
// and links this library beside Parvolin.

#include <Parvolin/platform/windows/ProgramEntry.h>

int main(int argc, char** argv) { return ProgramEntry::run(argc, argv, WinMain); }
