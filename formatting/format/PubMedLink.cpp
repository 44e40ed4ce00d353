#include "formatting/format/PubMedLink.h"

#include <ctype.h>

namespace {
const char kEntrezBase[] = "https://www.ncbi.nlm.nih.gov";
const char kCitationQuery[] = "/entrez/query.fcgi?db=PubMed&cmd=Retrieve&list_uids=%s&dopt=Citation";
} // namespace

CString PubMedIdToUrl(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        if (!isdigit(static_cast<unsigned char>(text[i])))
            return text;
    }
    CString query;
    query.Format(kCitationQuery, text.GetString());
    return CString(kEntrezBase) + query;
}
