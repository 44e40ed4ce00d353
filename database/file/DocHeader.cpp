#include "database/file/DocHeader.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"

void DocHeaderStart::Store(CArchive& ar) const
{
    ar << (DWORD)magic1 << (DWORD)magic2 << codeA << codeB << type << version;
}

BOOL DocHeaderStart::Load(CArchive& ar)
{
    DWORD m1 = 0, m2 = 0;
    ar >> m1 >> m2;
    if (m1 != magic1 || m2 != magic2)
        return FALSE;
    ar >> codeA >> codeB >> type >> version;
    return TRUE;
}

void StoreDocumentHeader(CArchive& ar, WORD codeA, WORD codeB, WORD type, WORD version, const CString& title,
                         const CString& comments)
{
    DocHeaderStart start;
    start.codeA = codeA;
    start.codeB = codeB;
    start.type = type;
    start.version = version;
    start.Store(ar);
    ar << title << comments;
}

void LoadDocumentHeader(CArchive& ar, WORD codeA, WORD codeB, WORD type, WORD maxVersion, WORD& headerType,
                        WORD& headerVersion, CString& title, CString& comments)
{
    DocHeaderStart found;
    if (!found.Load(ar) || found.codeA != codeA || found.codeB != codeB)
        AfxThrowArchiveException(CArchiveException::badSchema);
    headerType = found.type;
    headerVersion = found.version;
    if (found.type != type || found.version > maxVersion)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    ar >> title >> comments;
}

BOOL CheckDocumentHeader(CArchive& ar, WORD type, WORD maxVersion)
{
    DocHeaderStart found;
    try
    {
        if (!found.Load(ar))
            return FALSE;
    }
    catch (CArchiveException* e)
    {
        if (e->m_cause != CArchiveException::endOfFile)
            throw;
        e->Delete();
        return FALSE;
    }
    return found.type == type && found.version <= maxVersion;
}
