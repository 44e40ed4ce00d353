// Search texts of arbitrary bytes: parsing shows a message or builds a tree,
// never crashes; a tree keeps its evaluation contract over a small database.
#include "FuzzSearchDatabase.h"

#include "database/search/SearchParser.h"

#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size < 4096 ? size : 4096);
    std::unique_ptr<SearchNode> root;
    FuzzStep([&] { root.reset(ParseSearchExpression(text.c_str(), FuzzSearchDatabase())); });
    if (root)
        CheckSearchContract(*root);
    return 0;
}
