#include "formatting/style/StyleFormatVersion.h"

#include "classlib/Archive.h"
#include "database/file/FileBasedDocument.h"

WORD GetStyleVersion(const CArchive& ar)
{
    CDocument* doc = ar.m_pDocument;
    if (doc == nullptr || !doc->IsKindOf(RUNTIME_CLASS(CFileBasedDocument)))
        return kStyleVersionCurrent;
    const WORD version = static_cast<CFileBasedDocument*>(doc)->GetHeaderVersion();
    return version != 0 ? version : static_cast<WORD>(kStyleVersionCurrent);
}
