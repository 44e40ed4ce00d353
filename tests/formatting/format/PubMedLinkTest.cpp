#include "formatting/format/PubMedLink.h"

#include <gtest/gtest.h>

#include <string>

TEST(PubMedIdToUrl, DigitsBecomeTheCitationPageOtherTextStays)
{
    const std::string prefix =
        "https://www.ncbi.nlm.nih.gov/entrez/query.fcgi?db=PubMed&cmd=Retrieve&list_uids=";
    EXPECT_EQ(prefix + "12345678&dopt=Citation", std::string(PubMedIdToUrl("12345678")));
    EXPECT_EQ(prefix + "&dopt=Citation", std::string(PubMedIdToUrl("")));
    // A percent sign in the text never reaches the format.
    for (const char* unchanged :
         {" 12345678", "PMID12345678", "http://www.example.org/a", "123 456", "12%s"}) {
        EXPECT_EQ(std::string(unchanged), std::string(PubMedIdToUrl(unchanged))) << unchanged;
    }
}
