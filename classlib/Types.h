// Basic Windows types for every file of the program.
//
// The Windows build takes them from <windows.h>.  The native build (an LP64
// host, LORVANE_NATIVE) declares the same names with the same widths as x64
// Windows: DWORD, LONG and ULONG are 32 bits, so there they are unsigned int,
// int and unsigned int, while plain `long` is 64 bits.  Hence two rules for
// portable code:
//  - never put plain `long` / `unsigned long` in a stored form (use DWORD,
//    LONG or the <stdint.h> types);
//  - an overload on DWORD (LONG) beside one on UINT (int) is the same function
//    natively: write the DWORD / LONG one inside `#if !LV_DWORD_IS_UINT`.
// The program is 8-bit ANSI: TCHAR is char and UNICODE is never defined.
#pragma once

#ifdef _WIN32

#ifdef UNICODE
#error "Lorvane is an 8-bit ANSI program: do not define UNICODE"
#endif
#include <windows.h>
// DWORD is unsigned long and LONG is long: distinct from UINT and int.
#define LV_DWORD_IS_UINT 0

#else // native build

// DWORD is unsigned int and LONG is int: the same types as UINT and int.
#define LV_DWORD_IS_UINT 1

#include <stddef.h>
#include <stdint.h>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned char BOOLEAN;
typedef unsigned short WORD;
typedef unsigned int DWORD;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef short SHORT;
typedef unsigned short USHORT;
typedef int INT;
typedef unsigned int UINT;
typedef int LONG;
typedef unsigned int ULONG;
typedef long long LONGLONG;
typedef unsigned long long ULONGLONG;
typedef uint64_t DWORD64;
typedef float FLOAT;
typedef uint16_t WCHAR;

typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef long LONG_PTR;
typedef unsigned long ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef ULONG_PTR SIZE_T;
typedef LONG_PTR SSIZE_T;

typedef char TCHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;

typedef void VOID;
typedef void* PVOID;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* PBYTE;
typedef BYTE* LPBYTE;
typedef WORD* PWORD;
typedef WORD* LPWORD;
typedef DWORD* PDWORD;
typedef DWORD* LPDWORD;
typedef LONG* PLONG;
typedef LONG* LPLONG;
typedef int* PINT;
typedef int* LPINT;
typedef UINT* PUINT;
typedef BOOL* PBOOL;
typedef BOOL* LPBOOL;

typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef LONG HRESULT;
typedef DWORD COLORREF;
typedef DWORD LCID;
typedef WORD ATOM;

typedef void* HANDLE;
typedef HANDLE HWND;
typedef HANDLE HINSTANCE;
typedef HANDLE HMODULE;
typedef HANDLE HMENU;
typedef HANDLE HDC;
typedef HANDLE HFONT;
typedef HANDLE HBRUSH;
typedef HANDLE HPEN;
typedef HANDLE HBITMAP;
typedef HANDLE HICON;
typedef HANDLE HCURSOR;
typedef HANDLE HGDIOBJ;
typedef HANDLE HGLOBAL;
typedef HANDLE HRSRC;
typedef HANDLE HKEY;
typedef HANDLE HACCEL;
typedef HANDLE HRGN;
typedef HANDLE HPALETTE;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef NULL
#define NULL 0
#endif

#define WINAPI
#define CALLBACK
#define APIENTRY
#define PASCAL
#define CONST const

#define MAX_PATH 260
#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

#define TEXT(s) s
#define _T(s) s
#define _TEXT(s) s

#define MAKEWORD(lo, hi)                                                                                     \
    ((WORD)(((BYTE)((DWORD_PTR)(lo)&0xff)) | ((WORD)((BYTE)((DWORD_PTR)(hi)&0xff))) << 8))
#define MAKELONG(lo, hi)                                                                                     \
    ((LONG)(((WORD)((DWORD_PTR)(lo)&0xffff)) | ((DWORD)((WORD)((DWORD_PTR)(hi)&0xffff))) << 16))
#define LOWORD(l) ((WORD)((DWORD_PTR)(l)&0xffff))
#define HIWORD(l) ((WORD)(((DWORD_PTR)(l) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)((DWORD_PTR)(w)&0xff))
#define HIBYTE(w) ((BYTE)(((DWORD_PTR)(w) >> 8) & 0xff))
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

#define S_OK ((HRESULT)0L)
#define S_FALSE ((HRESULT)1L)
#define E_FAIL ((HRESULT)0x80004005L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

// Message box styles and results, for code that reports errors.
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

typedef struct tagRECT
{
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagPOINT
{
    LONG x;
    LONG y;
} POINT, *PPOINT, *LPPOINT;

typedef struct tagSIZE
{
    LONG cx;
    LONG cy;
} SIZE, *PSIZE, *LPSIZE;

typedef struct _FILETIME
{
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _SYSTEMTIME
{
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

#endif // _WIN32

// Pointer-sized slots must hold a pointer in both builds; the fixed-width
// names must keep the widths that stored formats rely on.
static_assert(sizeof(BYTE) == 1 && sizeof(WORD) == 2 && sizeof(DWORD) == 4 && sizeof(LONG) == 4,
              "Win32 fixed widths");
static_assert(sizeof(BOOL) == 4 && sizeof(UINT) == 4 && sizeof(ULONG) == 4, "Win32 fixed widths");
static_assert(sizeof(INT_PTR) == sizeof(void*) && sizeof(DWORD_PTR) == sizeof(void*) &&
                  sizeof(LPARAM) == sizeof(void*),
              "pointer-sized integers");
static_assert(sizeof(RECT) == 16 && sizeof(POINT) == 8 && sizeof(SIZE) == 8, "Win32 structure sizes");

#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif

// printf-style checking of our own formatting functions.  They format through
// the C99 formatter in both builds (on Windows the mingw one, not msvcrt's), so
// the same format strings work in both.
#ifdef __MINGW32__
#define AFX_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define AFX_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#endif

// Iteration handle of the lists and maps (and of the document core's lists of
// views and documents): an opaque pointer, NULL at the end.
#ifndef AFX_POSITION_DEFINED
#define AFX_POSITION_DEFINED
struct AfxPositionTag;
typedef AfxPositionTag* POSITION;
#endif
#define BEFORE_START_POSITION ((POSITION)-1L)
