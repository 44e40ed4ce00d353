#include "database/text/RunFontQueries.h"

namespace
{
RunFontQueries g_queries = {nullptr, nullptr};
}

RunFontQueries SetRunFontQueries(const RunFontQueries& queries)
{
    const RunFontQueries previous = g_queries;
    g_queries = queries;
    return previous;
}

const RunFontQueries& GetRunFontQueries()
{
    return g_queries;
}
