// Named styles and definitions: numbering, names cut to 63 characters, deletion renumbering the
// references, a changed definition reaching the text made from it (except what that text set
// itself), and the style-sheet partner following.
#include "TxDocTestSupport.h"

#include "richtext/engine/TxNamedStyles.h"

namespace {
TxStyleInfo StyleWith(TxRef d, int attribute, int16_t value)
{
    TxStyleInfo s;
    {
        TxDocLock doc(d);
        TxGetStyle(*doc, 0, s);
    }
    s.attributes[attribute] = value;
    return s;
}

std::string NameOf(TxRef d, int32_t number)
{
    TxNamedStyle entry;
    if (!TxGetNamedStyle(d, number, &entry))
        return "(none)";
    return entry.name;
}

TxFontInfo Font(const char* name)
{
    TxFontInfo f{};
    TxSetFontName(f, name);
    return f;
}

std::string FaceAt(TxRef d, int32_t offset)
{
    TxDocLock doc(d);
    TxStyleInfo s;
    TxGetStyle(*doc, TxStyleIndexAt(*doc, offset), s);
    TxFontInfo f;
    TxGetFont(*doc, s.fontIndex, f);
    const uint8_t* chars;
    int32_t n = TxFontName(f, false, chars);
    return std::string(reinterpret_cast<const char*>(chars), size_t(n));
}
} // namespace

TEST_F(TxDocTest, DefinitionsAreNumberedAfterTheLargest)
{
    TxRef d = NewDoc();
    TxStyleInfo plain = StyleWith(d, kTxAttrBold, 0);
    EXPECT_EQ(1, TxNewStyleDefinition(d, plain, nullptr));
    TxStyleInfo fourth = StyleWith(d, kTxAttrItalic, 1);
    fourth.styleSheet = 4;
    fourth.flagWord = kTxDefinitionFlag;
    {
        TxDocLock doc(d);
        TxFindOrAddStyle(*doc, fourth);
    }
    EXPECT_EQ(5, TxNewStyleDefinition(d, StyleWith(d, kTxAttrUnderline, 1), nullptr));
    TxParInfo par;
    {
        TxDocLock doc(d);
        TxGetRecord(doc->pars, 0, &par);
    }
    EXPECT_EQ(1, TxNewParDefinition(d, par));
    par.justification = 1;
    EXPECT_EQ(2, TxNewParDefinition(d, par));
}

TEST_F(TxDocTest, NamesAreExactAndCutTo63Characters)
{
    TxRef d = NewDoc();
    const std::string longName(70, 'n');
    int32_t a = TxAddNamedStyle(d, longName.c_str(), nullptr, nullptr, nullptr);
    EXPECT_EQ(std::string(63, 'n'), NameOf(d, a));
    EXPECT_EQ(a, TxFindNamedStyle(d, longName.c_str())); // the same name, cut the same way
    int32_t b = TxAddNamedStyle(d, "Heading", nullptr, nullptr, nullptr);
    EXPECT_EQ(2, b);
    EXPECT_EQ(b, TxFindNamedStyle(d, "Heading"));
    EXPECT_EQ(0, TxFindNamedStyle(d, "heading"));
    EXPECT_EQ(0, TxFindNamedStyle(d, "Body"));
    EXPECT_EQ(b, TxDefineNamedStyle(d, "Heading", 0, 0)); // an existing name keeps its entry
    EXPECT_EQ(2, TxNamedStyleCount(d));
    TxRenameNamedStyle(d, b, longName.c_str());
    EXPECT_EQ(std::string(63, 'n'), NameOf(d, b));
    EXPECT_FALSE(TxGetNamedStyle(d, 0, nullptr));
    EXPECT_FALSE(TxGetNamedStyle(d, 3, nullptr));
}

TEST_F(TxDocTest, DeletingAnEntryRenumbersTheReferencesToLaterOnes)
{
    TxRef d = NewDoc();
    SetText(d, "abcdefghij");
    const char* names[] = {"One", "Two", "Three"};
    int32_t definitions[3];
    for (int i = 0; i < 3; ++i) {
        TxStyleInfo s = StyleWith(d, kTxAttrBold + i, 1);
        TxAddNamedStyle(d, names[i], &s, nullptr, nullptr);
        TxNamedStyle entry;
        TxGetNamedStyle(d, i + 1, &entry);
        definitions[i] = entry.styleDefinition;
    }
    TxRange second{0, 3}, third{5, 8};
    TxApplyNamedStyle(d, &second, 2, 0);
    TxApplyNamedStyle(d, &third, 3, 0);
    TxDeleteNamedStyle(d, 2);
    EXPECT_EQ("One", NameOf(d, 1));
    EXPECT_EQ("Three", NameOf(d, 2));
    EXPECT_EQ(2, TxNamedStyleCount(d));
    struct Case
    {
        int32_t offset, named;
    };
    const Case cases[] = {{1, 0}, {6, 2}, {9, 0}};
    TxDocLock doc(d);
    for (const Case& c : cases) {
        TxStyleInfo s;
        TxGetStyle(*doc, TxStyleIndexAt(*doc, c.offset), s);
        EXPECT_EQ(c.named, s.namedStyle) << c.offset;
    }
    for (int32_t i = 0; i < TxRecordCount(doc->styles); ++i) {
        TxStyleInfo s;
        TxGetStyle(*doc, i, s);
        const int32_t expected[] = {1, 0, 2}; // the definitions' entries after the deletion
        for (int k = 0; k < 3; ++k) {
            if (s.styleSheet == definitions[k]) {
                EXPECT_EQ(expected[k], s.namedStyle) << k;
            }
        }
    }
}

TEST_F(TxDocTest, AChangedDefinitionsFontReachesTextMadeFromItButNotTextWithItsOwnFont)
{
    // With named styles in use, text given its own format is expanded and leaves the definition;
    // without, it keeps the reference and takes every change but the fields it set itself.
    for (bool namedStylesInUse : {true, false}) {
        TxRef d = NewDoc();
        SetText(d, "made from it | own font");
        TxFontInfo courier = Font("Courier");
        TxStyleInfo s = StyleWith(d, kTxAttrItalic, 1);
        int32_t entry = TxAddNamedStyle(d, "Quote", &s, &courier, nullptr);
        if (!namedStylesInUse)
            TxDocLock(d)->flags2 &= ~0x100u;
        TxRange all{0, 23}, own{15, 23};
        TxApplyNamedStyle(d, &all, entry, 0);
        TxFontInfo mask{};
        std::memset(mask.name, 0xFF, sizeof mask.name);
        TxSetFontInfo(d, &own, Font("Garamond"), mask, 0);
        EXPECT_EQ("Courier", FaceAt(d, 2));
        EXPECT_EQ("Garamond", FaceAt(d, 17));

        TxNamedStyle e;
        TxGetNamedStyle(d, entry, &e);
        TxStyleInfo changed = StyleWith(d, kTxAttrItalic, 1);
        changed.attributes[kTxAttrUnderline] = 1;
        TxFontInfo times = Font("Times");
        const int32_t count = TxGetChangeCount(d);
        TxChangeStyleDefinition(d, e.styleDefinition, changed, &times, 0);
        EXPECT_LT(count, TxGetChangeCount(d));
        EXPECT_EQ("Times", FaceAt(d, 2)) << namedStylesInUse;
        EXPECT_EQ("Garamond", FaceAt(d, 17)) << namedStylesInUse;
        TxDocLock doc(d);
        TxStyleInfo a, b;
        TxGetStyle(*doc, TxStyleIndexAt(*doc, 2), a);
        TxGetStyle(*doc, TxStyleIndexAt(*doc, 17), b);
        EXPECT_EQ(1, a.attributes[kTxAttrUnderline]);
        EXPECT_EQ(-e.styleDefinition, a.styleSheet);
        EXPECT_EQ(namedStylesInUse ? 0 : 1, b.attributes[kTxAttrUnderline]);
        EXPECT_EQ(namedStylesInUse ? 0 : -e.styleDefinition, b.styleSheet);
        EXPECT_EQ(1, b.attributes[kTxAttrItalic]);
    }
}

TEST_F(TxDocTest, TheStyleSheetPartnerFollows)
{
    TxRef d = NewDoc();
    TxRef partner = NewDoc();
    TxDocLock(d)->styleSheetPartner = partner;
    TxStyleInfo s = StyleWith(d, kTxAttrBold, 1);
    TxAddNamedStyleEverywhere(d, "Strong", &s, nullptr, nullptr);
    TxAddNamedStyleEverywhere(d, "Plain", nullptr, nullptr, nullptr);
    EXPECT_EQ(1, TxFindNamedStyle(partner, "Strong"));
    TxStyleInfo there;
    TxGetNamedStyleFormats(partner, 1, &there, nullptr, nullptr);
    EXPECT_EQ(1, there.attributes[kTxAttrBold]);

    TxRenameNamedStyleEverywhere(d, 1, "Emphasis");
    EXPECT_EQ(1, TxFindNamedStyle(partner, "Emphasis"));
    EXPECT_EQ(0, TxFindNamedStyle(partner, "Strong"));
    TxDeleteNamedStyleEverywhere(d, 1);
    EXPECT_EQ(0, TxFindNamedStyle(partner, "Emphasis"));
    EXPECT_EQ(1, TxFindNamedStyle(partner, "Plain"));
    EXPECT_EQ(1, TxNamedStyleCount(d));
}

TEST_F(TxDocTest, FormatsOfAnEntryWithoutDefinitionsAreTheDefaults)
{
    TxRef d = NewDoc();
    int32_t n = TxAddNamedStyle(d, "Empty", nullptr, nullptr, nullptr);
    for (int32_t number : {n, 0, 9}) {
        TxStyleInfo s;
        TxFontInfo f;
        TxParInfo p;
        TxGetNamedStyleFormats(d, number, &s, &f, &p);
        EXPECT_EQ(12 << 16, s.pointSize) << number;
        EXPECT_EQ(0, TxCompareFont(f, globals.defaultFont, false)) << number;
        EXPECT_EQ(0, p.justification) << number;
    }
}
