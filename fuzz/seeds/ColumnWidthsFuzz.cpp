// Seeds: widths as the grid writes them, and the values a hand-edited profile may hold.
#include "FuzzSeeds.h"

#include "grid/listbox/ColumnWidthsSetting.h"

#include <string>

void WriteSeeds(FuzzSeeds& seeds)
{
    const std::string written = static_cast<const char*>(FormatColumnWidths(375, 174));
    seeds.Add("written", std::vector<unsigned char>(written.begin(), written.end()));
    const char* const values[] = {"12", "a,b", " 300, 90", "300 ,90", "-5,+7,9", "2147483647,-2147483648"};
    int i = 0;
    for (const char* value : values) {
        const std::string s(value);
        seeds.Add("value" + std::to_string(i++), std::vector<unsigned char>(s.begin(), s.end()));
    }
}
