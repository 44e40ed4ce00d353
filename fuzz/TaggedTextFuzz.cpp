// Tagged text through each shipped configuration: the first byte chooses the
// configuration, the rest is the file.
#include "TaggedFuzzSupport.h"

namespace {

const TaggedImportConfig& Config(size_t index)
{
    static TaggedImportConfig configs[3];
    static bool loaded = [] {
        for (size_t i = 0; i < 3; ++i) {
            if (!configs[i].Load(ShippedTaggedConfigPath(kShippedTaggedConfigs[i]).c_str()))
                FuzzFinding("a shipped configuration does not load");
        }
        return true;
    }();
    (void)loaded;
    return configs[index % 3];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const TaggedImportConfig& config = Config(data[0]);
    FuzzStep([&] { CheckTaggedParse(config, data + 1, size - 1); });
    return 0;
}
