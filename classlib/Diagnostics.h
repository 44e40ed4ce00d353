// Debug checks.  ASSERT and TRACE are active when _DEBUG is defined (the native
// sanitizer build defines it); VERIFY always evaluates its expression and checks
// it only in debug builds.  A failed assertion prints where it failed and aborts.
#pragma once

#include "classlib/Types.h"

[[noreturn]] void AfxAssertFailedLine(const char* lpszFile, int nLine, const char* lpszExpr);
void AfxTrace(const char* lpszFormat, ...) AFX_PRINTF_FORMAT(1, 2);

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__, #f))
#define VERIFY(f) ASSERT(f)
#define TRACE(...) AfxTrace(__VA_ARGS__)
#define DEBUG_ONLY(f) (f)
#define ASSERT_VALID(p) ((p)->AssertValid())
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
#define ASSERT_VALID(p) ((void)0)
#endif
