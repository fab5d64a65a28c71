#ifndef PARVOLIN_MESSAGE_BOX_H
#define PARVOLIN_MESSAGE_BOX_H

/// \file
/// The system's message box.
/// \ingroup platform_windows

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

/// \addtogroup platform_windows
/// @{

/// \name Message box styles and answers
/// For MessageBoxW.
/// @{
constexpr UINT MB_OK = 0x00000000;               ///< One OK button.
constexpr UINT MB_ICONERROR = 0x00000010;        ///< The error icon.
constexpr UINT MB_ICONWARNING = 0x00000030;      ///< The warning icon.
constexpr UINT MB_ICONINFORMATION = 0x00000040;  ///< The information icon.
constexpr int IDOK = 1;                          ///< The answer: OK was pressed.
/// @}

/// The system's message box, for what a program must tell the person before it gives up.
/// It waits until the box is dismissed and answers IDOK. A host that cannot show a box (no
/// window, headless) shows its caption and text on stderr; stderr always has them, as one
/// line, so that a run leaves a record. A null text shows an empty box; a null caption is
/// "Error", as on the device. `window` is the owner (may be null), `type` MB_OK with an
/// optional icon.
PARVOLIN_API int MessageBoxW(HWND window, LPCWSTR text, LPCWSTR caption, UINT type);

/// @}

#endif
