#include "FileDocTestSupport.h"

namespace filetest
{
IMPLEMENT_DYNCREATE(TermDoc, CPDocument)
int TermDoc::s_destroyed = 0;
IMPLEMENT_DYNCREATE(PagedDoc, CPDocument)
int PagedDoc::s_failOpensOfNext = 0;
int PagedDoc::s_destroyed = 0;
} // namespace filetest
