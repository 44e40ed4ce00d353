#include "bibliography/setup/BibliographyFieldSelection.h"

#include "bibliography/setup/SetupArchive.h"

#include <initializer_list>
#include "classlib/Exceptions.h"

namespace {
const int kReprintStatusField = 12;
}

BibliographyFieldSelection::BibliographyFieldSelection()
    : showRecordIds(0), showNotes(1), showAbstract(0), showCallNumber(0), showKeywords(0), useShortForm(0),
      alternateText(0)
{
}

BibliographyFieldSelection::BibliographyFieldSelection(const BibliographyFieldSelection& other) : CObject()
{
    *this = other;
}

BibliographyFieldSelection& BibliographyFieldSelection::operator=(const BibliographyFieldSelection& other)
{
    if (this == &other)
        return *this;
    showRecordIds = other.showRecordIds;
    showNotes = other.showNotes;
    showAbstract = other.showAbstract;
    showCallNumber = other.showCallNumber;
    showKeywords = other.showKeywords;
    useShortForm = other.useShortForm;
    shortFormFields = other.shortFormFields;
    alternateText = other.alternateText;
    reservedText = other.reservedText;
    return *this;
}

FieldSet BibliographyFieldSelection::GetFieldMask() const
{
    FieldSet mask(FieldSet::kAllFields);
    const struct
    {
        int field;
        bool shown;
    } optional[] = {
        {0, showRecordIds != 0}, {42, showNotes != 0},
        {43, showAbstract != 0}, {44, showCallNumber != 0},
        {45, showKeywords != 0}, {kReprintStatusField, shortFormFields.Contains(kReprintStatusField)}};
    for (const auto& o : optional) {
        if (!o.shown)
            mask.Remove(o.field);
    }
    return useShortForm ? (mask & shortFormFields) : mask;
}

void BibliographyFieldSelection::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteSetupHeader(ar, 0);
        for (int v : {showRecordIds, showNotes, showAbstract, showCallNumber, showKeywords, useShortForm})
            WriteSetupInt(ar, v);
        BYTE bits[FieldSet::kBytes];
        for (int i = 0; i < FieldSet::kBytes; ++i)
            bits[i] = shortFormFields.GetByte(i);
        ar.Write(bits, sizeof bits);
        WriteSetupInt(ar, alternateText);
        ar << reservedText;
        return;
    }
    ReadSetupHeader(ar);
    for (int* v : {&showRecordIds, &showNotes, &showAbstract, &showCallNumber, &showKeywords, &useShortForm})
        *v = ReadSetupInt(ar);
    BYTE bits[FieldSet::kBytes];
    if (ar.Read(bits, sizeof bits) < sizeof bits)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    for (int i = 0; i < FieldSet::kBytes; ++i)
        shortFormFields.SetByte(i, bits[i]);
    alternateText = ReadSetupInt(ar);
    ar >> reservedText;
}
