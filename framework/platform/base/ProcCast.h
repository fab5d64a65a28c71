#ifndef PARVOLIN_PROC_CAST_H
#define PARVOLIN_PROC_CAST_H

#include "platform/base/PlatformTypes.h"

// Functions of run-time libraries travel as FARPROC, the platform's generic entry point:
// a library exports them so and GetProcAddressW hands them out so; the caller turns them
// back into what they are. The way through void (*)() is the one the compiler accepts as
// a cast between any two function types.
template <class Function> FARPROC toFarProc(Function function)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

template <class Function> Function fromFarProc(FARPROC proc)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

#endif
