// Import configurations over hostile text: the text up to the first NUL byte
// is the configuration; when it loads, the rest is read as a tagged file
// through it.
#include "TaggedFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* end = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t configSize = end != nullptr ? (size_t)(end - data) : size;
    TaggedImportConfig config;
    const bool loaded = config.Parse(std::string((const char*)data, configSize), "fuzz.cfg") != FALSE;
    if (!loaded && config.GetError().IsEmpty())
        FuzzFinding("a refused configuration without its reason");
    if (loaded && end != nullptr)
        FuzzStep([&] { CheckTaggedParse(config, end + 1, size - configSize - 1); });
    return 0;
}
