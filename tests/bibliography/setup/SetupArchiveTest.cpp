#include "bibliography/setup/BibliographySetup.h"
#include "bibliography/setup/CopyFormattedSetup.h"
#include "bibliography/setup/SubjectBibliographySetup.h"
#include "classlib/Exceptions.h"
#include "database/text/ArchiveBytes.h"

#include <gtest/gtest.h>

namespace {
void Put32(Bytes& b, int v)
{
    Put16(b, static_cast<unsigned>(v) & 0xFFFF);
    Put16(b, (static_cast<unsigned>(v) >> 16) & 0xFFFF);
}

// A styled string of one plain run (or none when empty), in its stored form.
void PutPlain(Bytes& b, const char* text)
{
    const size_t n = strlen(text);
    b.push_back(static_cast<unsigned char>(n));
    for (size_t i = 0; i < n; ++i)
        b.push_back(static_cast<unsigned char>(text[i]));
    if (n == 0) {
        PutBytes(b, {1});
        Put16(b, 0);
    } else {
        PutBytes(b, {0});
        Put16(b, static_cast<unsigned>(n));
    }
}

Bytes DefaultHeadingBytes(bool withVersion1)
{
    Bytes b;
    Put16(b, 0);
    Put16(b, withVersion1 ? 1 : 0);
    PutPlain(b, "Reference List");
    for (int v : {0, 1, 1, 1})
        Put32(b, v);
    PutPlain(b, "");
    PutPlain(b, ". ");
    for (int v : {1, 0, 0, 0, 1})
        Put32(b, v);
    if (withVersion1) {
        Put16(b, 1); // run length
        Put16(b, 0); // style word
        Put16(b, 0); // point size
        PutFontName(b, "");
    }
    return b;
}

template <class T> Bytes Store(T& object)
{
    return StoreToBytes([&](CArchive& ar) { object.Serialize(ar); });
}

template <class T> int Load(const Bytes& bytes, T& object)
{
    return LoadFromBytes(bytes, [&](CArchive& ar) { object.Serialize(ar); });
}
} // namespace

TEST(BibliographyHeading, StoredFormIsByteExactAndVersionZeroKeepsTheLabelDefault)
{
    BibliographyHeading heading;
    EXPECT_EQ(DefaultHeadingBytes(true), Store(heading));

    BibliographyHeading old;
    old.numberLabelFormat.style = kStyleBold;
    old.title.SetPlainText("x");
    EXPECT_EQ(0, Load(DefaultHeadingBytes(false), old));
    EXPECT_EQ("Reference List", std::string(old.title.text));
    EXPECT_EQ(kStyleBold, old.numberLabelFormat.style); // not in a version-0 form
}

TEST(BibliographyPageLayout, VersionZeroReadsMarginsOnly)
{
    Bytes b;
    Put16(b, 0);
    Put16(b, 0);
    for (int v : {100, 200, 300, 400})
        Put32(b, v);
    BibliographyPageLayout layout;
    EXPECT_EQ(0, Load(b, layout));
    EXPECT_EQ(100, layout.leftMargin);
    EXPECT_EQ(400, layout.bottomMargin);
    EXPECT_EQ(1, layout.numberPages);
    EXPECT_EQ(1, layout.firstPageNumber);
    EXPECT_EQ(1, layout.suppressFirstNumber);
    EXPECT_EQ(1, layout.numberLocation);
    EXPECT_EQ(1, layout.numberAlignment);
}

TEST(BibliographySetup, StoredFormIsByteExact)
{
    BibliographySetup setup;
    Bytes expected;
    Put16(expected, 0);
    Put16(expected, 0);
    PutBytes(expected, {0});
    PutBytes(expected, {15});
    for (char c : std::string("Times New Roman"))
        expected.push_back(static_cast<unsigned char>(c));
    Put32(expected, 10);
    const Bytes heading = DefaultHeadingBytes(true);
    expected.insert(expected.end(), heading.begin(), heading.end());
    Put16(expected, 0);
    Put16(expected, 0);
    for (int v : {0, 1, 0, 0, 0, 0})
        Put32(expected, v);
    PutBytes(expected, {0, 0, 0, 0, 0, 0});
    Put32(expected, 0);
    PutBytes(expected, {0});
    Put16(expected, 0);
    Put16(expected, 1);
    for (int v : {1440, 1440, 1440, 1440, 1, 1, 1, 1, 1})
        Put32(expected, v);
    EXPECT_EQ(expected, Store(setup));
}

TEST(BibliographySetup, CompositeSetupsRoundTrip)
{
    CopyFormattedSetup copy;
    EXPECT_EQ(2, copy.heading.order);
    copy.stylePath = "C:\\Styles\\Harvard.los";
    copy.fontSize = 11;
    copy.heading.numberingPrefix.SetPlainText("[");
    copy.heading.numberLabelFormat.style = kStyleItalic;
    copy.fields.shortFormFields.Add(12);
    copy.fields.reservedText = "kept";
    copy.citations.sortedBy = 3;
    copy.citations.rangeSeparator.SetPlainText("--");
    const Bytes stored = Store(copy);
    CopyFormattedSetup loaded;
    EXPECT_EQ(0, Load(stored, loaded));
    EXPECT_EQ(stored, Store(loaded));
    EXPECT_EQ(kStyleItalic, loaded.heading.numberLabelFormat.style);
    EXPECT_EQ(3, loaded.citations.sortedBy);

    SubjectBibliographySetup subject;
    subject.layout.repeatingTerms = 1;
    subject.layout.termStyle = 6;
    subject.layout.textBefore.SetPlainText("Term: ");
    subject.pageLayout.leftMargin = 720;
    const Bytes subjectBytes = Store(subject);
    SubjectBibliographySetup subjectLoaded;
    EXPECT_EQ(0, Load(subjectBytes, subjectLoaded));
    EXPECT_EQ(subjectBytes, Store(subjectLoaded));
    EXPECT_EQ(6, subjectLoaded.layout.termStyle);
    EXPECT_EQ("\r\r", std::string(subjectLoaded.layout.textAfter.text));

    subjectLoaded = subjectLoaded; // copying onto itself changes nothing
    EXPECT_EQ(subjectBytes, Store(subjectLoaded));
}

TEST(BibliographySetup, BadSchemaAndShortFieldSetAreArchiveErrors)
{
    Bytes bad;
    Put16(bad, 1);
    Put16(bad, 0);
    InTextCitationSetup citations;
    int cause = -1;
    try {
        Load(bad, citations);
    } catch (CArchiveException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CArchiveException::badSchema, cause);

    BibliographyFieldSelection fields;
    Bytes shortSet = Store(fields);
    shortSet.resize(4 + 6 * 4 + 3);
    cause = -1;
    try {
        Load(shortSet, fields);
    } catch (CArchiveException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CArchiveException::endOfFile, cause);
}

TEST(BibliographyFieldSelection, FieldMask)
{
    BibliographyFieldSelection none;
    none.showNotes = 0;
    const FieldSet mask = none.GetFieldMask();
    for (int f = 0; f < FieldSet::kFields; ++f) {
        const bool hidden = f == 0 || f == 12 || (f >= 42 && f <= 45);
        EXPECT_EQ(!hidden, mask.Contains(f)) << f;
    }

    BibliographyFieldSelection shortForm;
    shortForm.useShortForm = 1;
    for (int f : {1, 4, 20})
        shortForm.shortFormFields.Add(f);
    FieldSet expected;
    for (int f : {1, 4, 20})
        expected.Add(f);
    EXPECT_TRUE(expected == shortForm.GetFieldMask());

    BibliographyFieldSelection reprint;
    reprint.shortFormFields.Add(12);
    EXPECT_TRUE(reprint.GetFieldMask().Contains(12));
}
