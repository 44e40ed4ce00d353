#include "database/parser/TPException.h"

#include <new>
#include <string.h>

IMPLEMENT_DYNAMIC(TPException, CException)
IMPLEMENT_DYNAMIC(TPExceptionOutOfStorage, TPException)

namespace {

const struct
{
    int code;
    LPCTSTR format;
} kMessages[] = {
    {tpLexOpenFile, "TPLex0101e: Error opening file, %s, %ld"},
    {tpLexFileRead, "TPLex0102e: Invalid file length or read error, %s, %ld"},
    {tpLexLexemeTooLong, "TPLex0103e: Lexeme too long, %ld"},
    {tpLexInvalidTable, "TPLex0104e: Invalid table, %s"},
    {tpLexInvalidToken, "TPLex0105e: Invalid token, Line %ld, Offset %ld, %s"},
    {tpLexInvalidListIndex, "TPLex0106e: Invalid expression list index, %ld"},
    {tpLexMissingParts, "TPLex0107e: Table or consumer missing, required"},
    {tpLifoFull, "TPLifo0001e: Stack full"},
    {tpLifoNoTop, "TPLifo0002e: No top, stack empty"},
    {tpLifoPopEmpty, "TPLifo0004e: Cannot pop empty stack"},
    {tpLifoInvalidIndex, "TPLifo0003e: Invalid index"},
    {tpYaccOpenFile, "TPYacc0101e: Open file failed, %s"},
    {tpYaccInvalidTable, "TPYacc0102e: Parse failed, invalid table"},
    {tpYaccReadPastEof, "TPYacc0103e: Attempted read past eof"},
    {tpYaccNoValidToken, "TPYacc0105e: Error token failed, no valid token"},
    {tpYaccErrorAtEof, "TPYacc0106e: Error token failed, eof"},
    {tpYaccInvalidGoto, "TPYacc0107e: Invalid goto on %ld"},
    {tpYaccInvalidIndex, "TPYacc0108e: Invalid index on elementFromProduction, %ld"},
    {tpYaccMissingTable, "TPYacc0109e: setTable missing, required"},
    {tpYaccMissingLex, "TPYacc0110e: setLex missing, required"},
    {tpYaccReadTable, "TPYacc0111e: Error reading table, %s"},
    {tpSetFull, "TPSetArray0001e: Set full"},
    {tpYaccTableTooBig, "TPYacc0112e: Table too big"},
    {tpRefNegative, "TPRef0001e: Reference count less than zero"},
    {tpYaccInvalidState, "TPYacc0114e: Invalid state specified, %ld"},
    {tpLexResourceNotFound, "TPLex0108e: Resource not found, %s"},
    {tpYaccResourceNotFound, "TPYacc0114e: Resource not found, %s"},
    {tpOutOfStorage, "TPException0001e: Out of storage"},
};

// Made before it is needed: reporting a lack of memory must not need any.
TPExceptionOutOfStorage g_outOfStorage(FALSE);

[[noreturn]] void Throw(int code, const TPErrorParam* params, int count)
{
    const CString message = TPException::FormatMessage(code, params, count);
    TPException* e = new (std::nothrow) TPException(code, message);
    if (e == nullptr)
        TPRaiseOutOfStorage();
    throw e;
}

} // namespace

TPException::TPException(int code, LPCTSTR message, BOOL bAutoDelete) : CException(bAutoDelete), m_code(code)
{
    const size_t n = message ? strnlen(message, kMaxMessage) : 0;
    memcpy(m_message, message ? message : "", n);
    m_message[n] = '\0';
}

BOOL TPException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (lpszError && nMaxError > 0)
    {
        size_t n = strlen(m_message);
        if (n > nMaxError - 1)
            n = nMaxError - 1;
        memcpy(lpszError, m_message, n);
        lpszError[n] = '\0';
    }
    return m_message[0] != '\0';
}

LPCTSTR TPException::FormatOf(int code)
{
    for (const auto& m : kMessages)
        if (m.code == code)
            return m.format;
    return "";
}

CString TPException::FormatMessage(int code, const TPErrorParam* params, int count)
{
    CString text;
    int next = 0;
    for (const char* p = FormatOf(code); *p; ++p)
    {
        const bool isText = p[0] == '%' && p[1] == 's';
        const bool isNumber = p[0] == '%' && p[1] == 'l' && p[2] == 'd';
        if (!isText && !isNumber)
        {
            text += *p;
            continue;
        }
        if (next < count && next < kMaxParams)
        {
            const TPErrorParam& param = params[next];
            if (param.isText)
                text += param.text;
            else
                text.AppendFormat("%ld", (long)param.number);
        }
        ++next;
        p += isText ? 1 : 2;
    }
    if (text.GetLength() > kMaxMessage)
        text = text.Left(kMaxMessage);
    return text;
}

TPExceptionOutOfStorage::TPExceptionOutOfStorage(BOOL bAutoDelete)
    : TPException(tpOutOfStorage, "TPException0001e: Out of storage", bAutoDelete)
{
}

void TPRaise(int code)
{
    Throw(code, nullptr, 0);
}

void TPRaise(int code, const TPErrorParam& p1)
{
    Throw(code, &p1, 1);
}

void TPRaise(int code, const TPErrorParam& p1, const TPErrorParam& p2)
{
    const TPErrorParam params[] = {p1, p2};
    Throw(code, params, 2);
}

void TPRaise(int code, const TPErrorParam& p1, const TPErrorParam& p2, const TPErrorParam& p3)
{
    const TPErrorParam params[] = {p1, p2, p3};
    Throw(code, params, 3);
}

void TPRaiseOutOfStorage()
{
    throw static_cast<TPException*>(&g_outOfStorage);
}

void* TPAlloc(size_t size)
{
    void* p = ::operator new(size ? size : 1, std::nothrow);
    if (p == nullptr)
        TPRaiseOutOfStorage();
    return p;
}

void TPFree(void* p)
{
    ::operator delete(p);
}
