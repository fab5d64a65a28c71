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

#endif
