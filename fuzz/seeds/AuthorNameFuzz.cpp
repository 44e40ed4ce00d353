// Seeds: author fields of each form, plain and formatted.
#include "FuzzSeeds.h"

#include <string.h>

#include <string>

void WriteSeeds(FuzzSeeds& seeds)
{
    const char* fields[] = {"Smith, John A.",
                            "Smith, J.-P.; Jones, K.////",
                            "Smith, John=Jr.\r\n=World Health Organization",
                            "Smith/Jones, K.//Doe, Anne-Marie Rose- Lee-.",
                            "M\xFC" "ller, J\xFCrgen; O'Hara, \xA9 T."};
    int n = 0;
    for (const char* field : fields)
    {
        for (unsigned char format : {0, 3})
        {
            std::vector<unsigned char> bytes(1, format);
            bytes.insert(bytes.end(), field, field + strlen(field));
            seeds.Add("authors" + std::to_string(n++), bytes);
        }
    }
}
