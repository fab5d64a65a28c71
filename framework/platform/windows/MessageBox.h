#ifndef PARVOLIN_MESSAGE_BOX_H
#define PARVOLIN_MESSAGE_BOX_H

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

// The system's message box, for what a program must tell the person before it gives up.
// It waits until the box is dismissed and answers IDOK. A host that cannot show a box (no
// window, headless) shows its caption and text on stderr; stderr always has them, as one
// line, so that a run leaves a record.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONWARNING = 0x00000030;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr int IDOK = 1;

// A null text shows an empty box; a null caption is "Error", as on the device.
PARVOLIN_API int MessageBoxW(HWND window, LPCWSTR text, LPCWSTR caption, UINT type);

#endif
