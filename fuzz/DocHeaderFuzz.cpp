// Document headers: the template's check and a document's full read, for the
// database kind (codes 0, 0) and a kind with codes.
#include "FuzzSupport.h"

#include "database/file/DocHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzLoad(data, size, [](CArchive& ar) { CheckDocumentHeader(ar, docTypeDatabase, docVersionDatabase); });
    FuzzLoad(data, size, [](CArchive& ar) {
        WORD type = 0, version = 0;
        CString title, comments;
        LoadDocumentHeader(ar, 0, 0, docTypeDatabase, docVersionDatabase, type, version, title, comments);
        // What follows the header: the kind's own reads start with strings.
        CString more;
        ar >> more;
    });
    FuzzLoad(data, size, [](CArchive& ar) {
        WORD type = 0, version = 0;
        CString title, comments;
        LoadDocumentHeader(ar, 0x1234, 0x5678, docTypeOutputStyle, docVersionOutputStyle, type, version, title,
                           comments);
    });
    return 0;
}
