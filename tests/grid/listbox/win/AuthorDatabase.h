// A database for the term grids: each author of the list given to records in turn, so that the author
// index holds every name with a known record count.
#pragma once

#include "database/db/DatabaseTestSupport.h"

#include <map>
#include <string>
#include <vector>

// Adds `records` records, record i by authors[i % authors.size()]; returns each name's record count.
inline std::map<std::string, int> AddAuthorRecords(DBDatabase& db, const std::vector<std::string>& authors,
                                                   int records)
{
    std::map<std::string, int> counts;
    for (int i = 0; i < records; ++i) {
        const std::string& name = authors[i % authors.size()];
        const std::string title = "Study " + std::to_string(i);
        AddNewRecord(db, {name.c_str(), title.c_str(), "1999", "Journal", "term"});
        ++counts[name];
    }
    db.CommitDatabase();
    return counts;
}

// Surnames with initials, in no particular order.
inline std::vector<std::string> SampleAuthors()
{
    return {"Okafor, N.",   "Lindqvist, B.", "Abelson, R.", "Moreau, C.",    "Tanaka, H.",   "Baptiste, M.",
            "Schulz, P.",   "Chen, L.",      "Dubois, A.",  "Eriksen, T.",   "Fontaine, C.", "Garcia, P.",
            "Hoffmann, K.", "Ivanova, S.",   "Jensen, O.",  "Kowalski, J.",  "Nakamura, Y.", "Petrov, D.",
            "Quinn, F.",    "Rossi, G.",     "Sato, M.",    "Underwood, E.", "Vargas, I.",   "Weber, U."};
}
