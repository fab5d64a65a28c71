#ifndef PARVOLIN_PLATFORM_TYPES_H
#define PARVOLIN_PLATFORM_TYPES_H

#include <cstdint>

// The handheld platform's basic types, as the public interface uses them. Rectangle and
// point fields are signed 32-bit, as they were on the 32-bit device.

struct tagRECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
typedef tagRECT RECT;

struct tagPOINT {
    int32_t x;
    int32_t y;
};
typedef tagPOINT POINT;

// Handles are opaque pointers to distinct incomplete types, so that a window cannot be
// passed where a device context is expected.
struct HWND__;
struct HINSTANCE__;
struct HDC__;
struct HBITMAP__;
typedef HWND__* HWND;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef HDC__* HDC;
typedef HBITMAP__* HBITMAP;
typedef void* HANDLE;
typedef void* HGDIOBJ;

typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef int BOOL;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef uint32_t COLORREF;
typedef int32_t LONG;
typedef int64_t LONGLONG;
typedef wchar_t WCHAR;
typedef const wchar_t* LPCWSTR;
typedef wchar_t* LPWSTR;

// Resource handles and the generic entry point that function look-ups return.
struct HRSRC__;
typedef HRSRC__* HRSRC;
typedef void* HGLOBAL;
typedef intptr_t (*FARPROC)();

// A 64-bit value with the platform's two 32-bit halves beside it.
union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};

// Colours are COLORREF values 0x00BBGGRR: red in the low byte. RGB builds one from its
// three channels (each cut to a byte, as the handheld system's macro does); the Get*Value
// macros take one apart.
#define RGB(r, g, b) \
    (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                           (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(rgb) (static_cast<BYTE>(rgb))
#define GetGValue(rgb) (static_cast<BYTE>(static_cast<WORD>(rgb) >> 8))
#define GetBValue(rgb) (static_cast<BYTE>((rgb) >> 16))

#define TRUE 1
#define FALSE 0
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

// Characters in a path buffer, terminator included.
constexpr unsigned MAX_PATH = 260;

#endif
