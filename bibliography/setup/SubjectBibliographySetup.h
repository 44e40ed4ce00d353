// SubjectBibliographySetup: a bibliography setup and the subject layout.
//
// Stored form: u16 schema 0, u16 version 0; the bibliography setup; the
// subject layout setup.
#pragma once

#include "bibliography/setup/BibliographySetup.h"
#include "bibliography/setup/SubjectLayoutSetup.h"

class SubjectBibliographySetup : public BibliographySetup
{
public:
    SubjectBibliographySetup();
    SubjectBibliographySetup(const SubjectBibliographySetup& other);
    SubjectBibliographySetup& operator=(const SubjectBibliographySetup& other);

    void Serialize(CArchive& ar) override;

    SubjectLayoutSetup layout;
};
