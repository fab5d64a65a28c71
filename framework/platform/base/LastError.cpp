#include "platform/base/LastError.h"

namespace {
// Per thread, as on the device: one thread's failure never overwrites another's.
thread_local DWORD lastError = NO_ERROR;
} // namespace

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD error) { lastError = error; }
