// CopyFormattedSetup: the setup of Copy Special: a bibliography setup whose
// reference list order starts at Author/Date/Title, and the in-text citation
// punctuation.
//
// Stored form: u16 schema 0, u16 version 0; the bibliography setup; the
// in-text citation setup.
#pragma once

#include "bibliography/setup/BibliographySetup.h"
#include "bibliography/setup/InTextCitationSetup.h"

class CopyFormattedSetup : public BibliographySetup
{
public:
    CopyFormattedSetup();
    CopyFormattedSetup(const CopyFormattedSetup& other);
    CopyFormattedSetup& operator=(const CopyFormattedSetup& other);

    void Serialize(CArchive& ar) override;

    InTextCitationSetup citations;
};
