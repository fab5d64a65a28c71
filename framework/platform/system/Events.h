#ifndef PARVOLIN_EVENTS_H
#define PARVOLIN_EVENTS_H

#include "platform/base/LastError.h"
#include "platform/base/PlatformTypes.h"

// The system's event objects, as far as the device uses them: the wave output sets one
// for each of its notifications (CALLBACK_EVENT). CloseHandle closes them.

constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_TIMEOUT = 0x00000102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD INFINITE = 0xFFFFFFFF;

// Unnamed events only (a name: null with ERROR_INVALID_PARAMETER); the attributes are
// ignored.
HANDLE CreateEventW(void* attributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
// Waits for the event, letting the clock (and with it the sound output) run. An auto-reset
// event is cleared by the wait that sees it. Waiting without end for an event that nothing
// on the device could still set would never return: that is WAIT_FAILED with
// ERROR_INVALID_PARAMETER instead.
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);

namespace Events {
// Whether `object` is an event (CloseHandle's question).
bool isEvent(const void* handle);
} // namespace Events

#endif
