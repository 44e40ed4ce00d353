// Citation texts of arbitrary bytes through both citation languages: a search
// tree or the runtime's error, display options or the runtime's error; the
// tree keeps its evaluation contract over a small database.
#include "FuzzSearchDatabase.h"

#include "database/search/CitationParser.h"
#include "database/search/CitationSearchParser.h"

#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size < 4096 ? size : 4096);
    std::unique_ptr<SearchNode> root;
    FuzzStep([&] {
        CitationSearchParser parser(text.c_str(), FuzzSearchDatabase());
        parser.Parse();
        root.reset(parser.TakeResult());
    });
    if (root)
        CheckSearchContract(*root);
    FuzzStep([&] {
        CitationDisplayOptions options;
        CitationParser parser(text.c_str(), options);
        parser.Parse();
    });
    return 0;
}
