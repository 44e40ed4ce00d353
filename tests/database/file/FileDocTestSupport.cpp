#include "FileDocTestSupport.h"

namespace filetest
{
IMPLEMENT_DYNCREATE(TermDoc, CPDocument)
int TermDoc::s_destroyed = 0;
} // namespace filetest
