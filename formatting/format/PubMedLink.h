// PubMedIdToUrl: a record's link text made fit for the browser. A text of
// decimal digits only is a PubMed identifier and becomes the address of its
// citation page; any other text is returned unchanged. An empty text counts
// as all digits (its callers refuse an empty field before asking).
#pragma once

#include "classlib/CString.h"

CString PubMedIdToUrl(const CString& text);
