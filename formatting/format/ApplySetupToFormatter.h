// Copying a bibliography setup into a formatting context: the setup itself,
// the fields it prints and the reference-number label of its heading.
#pragma once

class BibliographySetup;
class FormatContext;

void ApplySetupToFormatter(FormatContext& context, const BibliographySetup& setup);
