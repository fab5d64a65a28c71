#ifndef PARVOLIN_PLATFORM_TYPES_H
#define PARVOLIN_PLATFORM_TYPES_H

/// \file
/// The handheld system's basic types, handles and colour macros.
///
/// Rectangle and point fields are signed 32-bit, as they were on the 32-bit device.
/// \ingroup platform_base

#include <cstdint>

/// \addtogroup platform_base
/// @{

/// A rectangle, right- and bottom-exclusive: it covers the columns left to right - 1 and
/// the rows top to bottom - 1, so `{0, 0, 16, 8}` is 16 pixels wide and 8 high.
/// Utility::Rect adds constructors and arithmetic.
struct tagRECT {
    int32_t left;    ///< The first column inside.
    int32_t top;     ///< The first row inside.
    int32_t right;   ///< The first column past the right edge.
    int32_t bottom;  ///< The first row past the bottom edge.
};
/// The system's name for tagRECT.
typedef tagRECT RECT;

/// A point; Utility::Point adds constructors and arithmetic.
struct tagPOINT {
    int32_t x;  ///< Column, growing to the right.
    int32_t y;  ///< Row, growing downwards.
};
/// The system's name for tagPOINT.
typedef tagPOINT POINT;

// Handles are opaque pointers to distinct incomplete types, so that a window cannot be
// passed where a device context is expected.
struct HWND__;
struct HINSTANCE__;
struct HDC__;
struct HBITMAP__;
/// A window.
typedef HWND__* HWND;
/// A module: the program (WinMain's instance) or a loaded library; null often means the program.
typedef HINSTANCE__* HINSTANCE;
/// The same as HINSTANCE.
typedef HINSTANCE HMODULE;
/// A device context (Surface::getDC).
typedef HDC__* HDC;
/// A bitmap.
typedef HBITMAP__* HBITMAP;
/// Any of the system's handles.
typedef void* HANDLE;
/// A drawing object of a device context.
typedef void* HGDIOBJ;

typedef unsigned int UINT;      ///< The system's unsigned integer.
typedef uint32_t DWORD;         ///< 32 bits, unsigned.
typedef uint16_t WORD;          ///< 16 bits, unsigned.
typedef uint8_t BYTE;           ///< 8 bits, unsigned.
typedef int BOOL;               ///< TRUE or FALSE.
typedef uintptr_t WPARAM;       ///< The first parameter of a window message.
typedef intptr_t LPARAM;        ///< The second parameter of a window message.
typedef intptr_t LRESULT;       ///< A window procedure's answer.
typedef uint32_t COLORREF;      ///< A colour 0x00BBGGRR: red in the low byte (see RGB).
typedef int32_t LONG;           ///< 32 bits, signed.
typedef int64_t LONGLONG;       ///< 64 bits, signed.
typedef wchar_t WCHAR;          ///< A wide character.
typedef const wchar_t* LPCWSTR; ///< A wide text the callee only reads.
typedef wchar_t* LPWSTR;        ///< A wide text.

// Resource handles and the generic entry point that function look-ups return.
struct HRSRC__;
/// A resource found in a module.
typedef HRSRC__* HRSRC;
/// A loaded resource's memory.
typedef void* HGLOBAL;
/// A function found in a module, to be cast to its real type.
typedef intptr_t (*FARPROC)();

/// A 64-bit value with the platform's two 32-bit halves beside it.
union LARGE_INTEGER {
    /// The two halves.
    struct {
        DWORD LowPart;   ///< The low 32 bits.
        LONG HighPart;   ///< The high 32 bits, signed.
    } u;
    LONGLONG QuadPart;   ///< The whole value.
};

// Colours are COLORREF values 0x00BBGGRR: red in the low byte. RGB builds one from its
// three channels (each cut to a byte, as the handheld system's macro does); the Get*Value
// macros take one apart.

/// The COLORREF 0x00BBGGRR of red `r`, green `g` and blue `b` (each 0..255, cut to a byte
/// as the handheld system's macro does). Surfaces keep the top 5, 6 and 5 bits.
#define RGB(r, g, b) \
    (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                           (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
/// The red channel of a COLORREF.
#define GetRValue(rgb) (static_cast<BYTE>(rgb))
/// The green channel of a COLORREF.
#define GetGValue(rgb) (static_cast<BYTE>(static_cast<WORD>(rgb) >> 8))
/// The blue channel of a COLORREF.
#define GetBValue(rgb) (static_cast<BYTE>((rgb) >> 16))

/// The system's true.
#define TRUE 1
/// The system's false.
#define FALSE 0
/// The handle the system's file calls answer on failure.
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

/// Characters in a path buffer, terminator included.
constexpr unsigned MAX_PATH = 260;

/// @}

#endif
