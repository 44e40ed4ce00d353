#include "formatting/style/StyleFormatVersion.h"

#include "classlib/Archive.h"
#include "database/file/FileBasedDocument.h"

WORD GetStyleVersion(const CArchive& ar)
{
    CDocument* doc = ar.m_pDocument;
    if (doc == nullptr || !doc->IsKindOf(RUNTIME_CLASS(CFileBasedDocument)))
        return kStyleVersionCurrent;
    // Type and version stay 0 until a header is read or written; a header read
    // may well hold version 0.
    const CFileBasedDocument* style = static_cast<CFileBasedDocument*>(doc);
    return style->GetHeaderType() != 0 ? style->GetHeaderVersion() : static_cast<WORD>(kStyleVersionCurrent);
}
