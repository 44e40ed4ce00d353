// Errors of the table-driven parser runtime.
//
// Every error has a fixed code and message ("TPYacc0107e: Invalid goto on
// %ld"); the message is formatted with the error's parameters (%s a text, %ld
// a number, in order) and cut to kMaxMessage characters.  Errors are thrown as
// heap TPException objects, caught as CException* like every other failure of
// the class library; handlers show GetMessage().  Running out of memory throws
// the one preallocated TPExceptionOutOfStorage (code -1), which needs no memory
// to report and which Delete() leaves alone.
#pragma once

#include "classlib/Exceptions.h"

enum TPErrorCode
{
    tpLexOpenFile = 1,
    tpLexFileRead = 2,
    tpLexLexemeTooLong = 3,
    tpLexInvalidTable = 4,
    tpLexInvalidToken = 5,
    tpLexInvalidListIndex = 6,
    tpLexMissingParts = 7,
    tpLifoFull = 8,
    tpLifoNoTop = 9,
    tpLifoPopEmpty = 10,
    tpLifoInvalidIndex = 11,
    tpYaccOpenFile = 12,
    tpYaccInvalidTable = 13,
    tpYaccReadPastEof = 14,
    tpYaccNoValidToken = 16,
    tpYaccErrorAtEof = 17,
    tpYaccInvalidGoto = 18,
    tpYaccInvalidIndex = 19,
    tpYaccMissingTable = 20,
    tpYaccMissingLex = 21,
    tpYaccReadTable = 22,
    tpSetFull = 23,
    tpYaccTableTooBig = 26,
    tpRefNegative = 28,
    tpYaccInvalidState = 35,
    tpLexResourceNotFound = 36,
    tpYaccResourceNotFound = 37,
    tpOutOfStorage = -1
};

// One parameter of an error: a number or a text.
struct TPErrorParam
{
    TPErrorParam(LONG number) : isText(FALSE), number(number) {}
    TPErrorParam(LPCTSTR text) : isText(TRUE), number(0), text(text) {}
    TPErrorParam(const CString& text) : isText(TRUE), number(0), text(text) {}

    BOOL isText;
    LONG number;
    CString text;
};

class TPException : public CException
{
    DECLARE_DYNAMIC(TPException)
public:
    static const int kMaxMessage = 127;
    static const int kMaxParams = 8;

    TPException(int code, LPCTSTR message, BOOL bAutoDelete = TRUE);

    int GetCode() const { return m_code; }
    LPCTSTR GetMessage() const { return m_message; }
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    // The message format of a code ("" for an unknown code).
    static LPCTSTR FormatOf(int code);
    // The format of code with the parameters put in, cut to kMaxMessage.
    static CString FormatMessage(int code, const TPErrorParam* params, int count);

private:
    int m_code;
    char m_message[kMaxMessage + 1];
};

class TPExceptionOutOfStorage : public TPException
{
    DECLARE_DYNAMIC(TPExceptionOutOfStorage)
public:
    explicit TPExceptionOutOfStorage(BOOL bAutoDelete = TRUE);
};

// Throws error code with its parameters (a new TPException).
[[noreturn]] void TPRaise(int code);
[[noreturn]] void TPRaise(int code, const TPErrorParam& p1);
[[noreturn]] void TPRaise(int code, const TPErrorParam& p1, const TPErrorParam& p2);
[[noreturn]] void TPRaise(int code, const TPErrorParam& p1, const TPErrorParam& p2, const TPErrorParam& p3);
// Throws the preallocated out-of-storage exception.
[[noreturn]] void TPRaiseOutOfStorage();

// Memory of the runtime: NULL never comes back, a failure throws
// TPExceptionOutOfStorage.  Freed with TPFree.
void* TPAlloc(size_t size);
void TPFree(void* p);
