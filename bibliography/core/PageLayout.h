// PageLayout: margins, page numbering and the default formats of a whole
// document. The default character format is the font of runs that carry no
// font or size of their own, and of page numbers. A plain value.
#pragma once

#include "bibliography/core/CharFormat.h"
#include "bibliography/core/ParagraphFormat.h"

struct PageLayout
{
    int leftMargin = 1800; // twips from the paper edge
    int topMargin = 1440;
    int rightMargin = 1800;
    int bottomMargin = 1440;
    int pageNumbersOn = 0;
    int firstPageNumber = 1;
    int titlePage = 0;       // no page number on page 1
    int numberPosition = 0;  // 0 header, 1 footer
    int numberAlignment = 1; // 0 left, 1 centre, 2 right
    CharFormat defaultCharFormat;
    ParagraphFormat defaultParagraphFormat;
};
