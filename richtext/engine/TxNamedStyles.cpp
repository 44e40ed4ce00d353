#include "richtext/engine/TxNamedStyles.h"

#include <algorithm>
#include <cstring>

namespace {
const uint32_t kNamedStylesInUse = 0x100;
const size_t kNameLength = sizeof(TxNamedStyle::name) - 1;

void CopyName(char (&to)[64], const char* name)
{
    std::memset(to, 0, sizeof to);
    std::strncpy(to, name, kNameLength);
}

TxNamedStyle* Entries(TxDocument& doc)
{
    return static_cast<TxNamedStyle*>(TxRecordPtr(doc.namedStyles, 0, false));
}

int32_t FindName(TxDocument& doc, const char* name)
{
    char wanted[64];
    CopyName(wanted, name);
    for (int32_t i = 0; i < TxRecordCount(doc.namedStyles); ++i)
        if (std::strcmp(Entries(doc)[i].name, wanted) == 0)
            return i + 1;
    return 0;
}

// The index of the style (or paragraph format) that is definition n, -1 when none.
int32_t StyleDefinitionIndex(TxDocument& doc, int32_t number)
{
    if (number <= 0)
        return -1;
    TxLock lock(doc.styles);
    for (int32_t i = 0; i < TxRecordCount(doc.styles); ++i) {
        const TxStyleInfo& s = lock.Records<TxStyleInfo>()[i];
        if ((s.flagWord & kTxDefinitionFlag) && s.styleSheet == number)
            return i;
    }
    return -1;
}

int32_t ParDefinitionIndex(TxDocument& doc, int32_t number)
{
    if (number <= 0)
        return -1;
    TxLock lock(doc.pars);
    for (int32_t i = 0; i < TxRecordCount(doc.pars); ++i) {
        const TxParInfo& p = lock.Records<TxParInfo>()[i];
        if ((p.flagWord & kTxDefinitionFlag) && p.styleSheet == number)
            return i;
    }
    return -1;
}

template <class Record> int32_t NextNumber(TxRef list)
{
    int32_t largest = 0;
    TxLock lock(list);
    for (int32_t i = 0; i < TxRecordCount(list); ++i)
        largest = std::max(largest, lock.Records<Record>()[i].styleSheet);
    return largest + 1;
}

// Every style and paragraph format's named-style number after entry `number` was removed.
void RenumberNamedStyles(TxDocument& doc, int32_t number)
{
    auto renumber = [number](int32_t& named) {
        if (named == number)
            named = 0;
        else if (named > number)
            --named;
    };
    {
        TxLock lock(doc.styles);
        for (int32_t i = 0; i < TxRecordCount(doc.styles); ++i)
            renumber(lock.Records<TxStyleInfo>()[i].namedStyle);
    }
    TxLock lock(doc.pars);
    for (int32_t i = 0; i < TxRecordCount(doc.pars); ++i)
        renumber(lock.Records<TxParInfo>()[i].namedStyle);
}

// A copy of the definition's record as text made from it takes it.
TxStyleInfo MadeFromStyleDefinition(TxDocument& doc, int32_t index)
{
    TxStyleInfo s;
    TxGetStyle(doc, index, s);
    s.styleSheet = -s.styleSheet;
    s.flagWord = 0;
    return s;
}

// The units of `changed` where the style made from a definition differs from the definition.
void CarryDefinitionChange(TxStyleInfo& made, const TxStyleInfo& oldDefinition, const TxStyleInfo& definition)
{
    auto* m = reinterpret_cast<uint8_t*>(&made);
    auto* o = reinterpret_cast<const uint8_t*>(&oldDefinition);
    auto* n = reinterpret_cast<const uint8_t*>(&definition);
    for (int32_t i = 0; i + 1 < kTxStyleMaskBytes; i += 2) {
        bool ownValue = m[i] != o[i] || m[i + 1] != o[i + 1];
        if (!ownValue) {
            m[i] = n[i];
            m[i + 1] = n[i + 1];
        }
    }
}

void ChangeDefinition(TxDocument& doc, int32_t number, const TxStyleInfo& style, const TxFontInfo* font)
{
    int32_t index = StyleDefinitionIndex(doc, number);
    if (index < 0)
        return;
    TxStyleInfo old, definition;
    TxGetStyle(doc, index, old);
    definition = style;
    definition.styleSheet = number;
    definition.flagWord = old.flagWord;
    definition.useCount = old.useCount;
    definition.namedStyle = old.namedStyle;
    if (font)
        definition.fontIndex = int16_t(std::max(0, TxFindOrAddFont(doc, *font)));
    for (int i = 0; i < kTxStyleHookCount; ++i)
        if (!definition.procs[i])
            definition.procs[i] = old.procs[i];
    definition.procs[kTxStyleMetricsProc](doc.self, 0, &definition);
    *static_cast<TxStyleInfo*>(TxRecordPtr(doc.styles, index, false)) = definition;
    for (int32_t i = 0; i < TxRecordCount(doc.styles); ++i) {
        auto* made = static_cast<TxStyleInfo*>(TxRecordPtr(doc.styles, i, false));
        if (made->styleSheet != -number || (made->classFlags & kTxObjectStyle))
            continue;
        CarryDefinitionChange(*made, old, definition);
        made->styleSheet = -number;
        made->procs[kTxStyleMetricsProc](doc.self, 0, made);
    }
    TxRange range;
    if (TxDefinitionRange(doc.self, false, number, range))
        TxInvalidateRange(doc, range.begin, range.end);
    ++doc.changeCount;
}

template <class F> void InPartner(TxRef document, F f)
{
    TxRef partner = TxDocLock(document)->styleSheetPartner;
    if (partner && partner != document)
        f(partner);
}
} // namespace

int32_t TxNewStyleDefinition(TxRef document, const TxStyleInfo& style, const TxFontInfo* font)
{
    TxDocLock doc(document);
    TxStyleInfo s = style;
    s.styleSheet = NextNumber<TxStyleInfo>(doc->styles);
    s.flagWord |= kTxDefinitionFlag;
    if (font)
        s.fontIndex = int16_t(std::max(0, TxFindOrAddFont(*doc, *font)));
    TxFindOrAddStyle(*doc, s);
    doc->flags2 |= kNamedStylesInUse;
    ++doc->changeCount;
    return s.styleSheet;
}

int32_t TxNewParDefinition(TxRef document, const TxParInfo& par)
{
    TxDocLock doc(document);
    TxParInfo p = par;
    p.styleSheet = NextNumber<TxParInfo>(doc->pars);
    p.flagWord |= kTxDefinitionFlag;
    TxFindOrAddParInfo(*doc, p);
    ++doc->changeCount;
    return p.styleSheet;
}

int32_t TxDefineNamedStyle(TxRef document, const char* name, int32_t styleDefinition, int32_t parDefinition)
{
    TxDocLock doc(document);
    int32_t number = FindName(*doc, name);
    if (!number) {
        TxDocMemoryScope scope(*doc);
        auto* entry = static_cast<TxNamedStyle*>(TxAppendRecords(doc->namedStyles, 1, true));
        CopyName(entry->name, name);
        TxUnlockRef(doc->namedStyles);
        number = TxRecordCount(doc->namedStyles);
    } else {
        TxNamedStyle& entry = Entries(*doc)[number - 1];
        TxAddStyleUse(*doc, StyleDefinitionIndex(*doc, entry.styleDefinition), -1);
        TxAddParUse(*doc, ParDefinitionIndex(*doc, entry.parDefinition), -1);
    }
    TxNamedStyle& entry = Entries(*doc)[number - 1];
    if (int32_t s = StyleDefinitionIndex(*doc, styleDefinition); s >= 0) {
        entry.styleDefinition = uint16_t(styleDefinition);
        TxAddStyleUse(*doc, s, +1);
        static_cast<TxStyleInfo*>(TxRecordPtr(doc->styles, s, false))->namedStyle = number;
    }
    if (int32_t p = ParDefinitionIndex(*doc, parDefinition); p >= 0) {
        entry.parDefinition = uint16_t(parDefinition);
        TxAddParUse(*doc, p, +1);
        static_cast<TxParInfo*>(TxRecordPtr(doc->pars, p, false))->namedStyle = number;
    }
    doc->flags2 |= kNamedStylesInUse;
    ++doc->changeCount;
    return number;
}

int32_t TxAddNamedStyle(TxRef document, const char* name, const TxStyleInfo* style, const TxFontInfo* font,
                        const TxParInfo* par)
{
    int32_t s = style ? TxNewStyleDefinition(document, *style, font) : 0;
    int32_t p = par ? TxNewParDefinition(document, *par) : 0;
    return TxDefineNamedStyle(document, name, s, p);
}

int32_t TxAddNamedStyleEverywhere(TxRef document, const char* name, const TxStyleInfo* style,
                                  const TxFontInfo* font, const TxParInfo* par)
{
    InPartner(document, [&](TxRef partner) { TxAddNamedStyle(partner, name, style, font, par); });
    return TxAddNamedStyle(document, name, style, font, par);
}

int32_t TxFindNamedStyle(TxRef document, const char* name)
{
    if (name)
        return FindName(*TxDocLock(document), name);
    TxStyleInfo value, mask;
    TxGetStyleInfo(document, nullptr, 0, value, mask);
    if (mask.namedStyle == -1 && value.namedStyle)
        return value.namedStyle;
    TxDocLock doc(document);
    TxParInfo par;
    TxGetRecord(doc->pars, TxCheckedIndex(doc->pars, TxRunAt(doc->parRuns,
                                                             TxFindRun(doc->parRuns, TxCaretOffset(*doc))).index),
                &par);
    return par.namedStyle;
}

int32_t TxNamedStyleCount(TxRef document)
{
    return TxRecordCount(TxDocLock(document)->namedStyles);
}

bool TxGetNamedStyle(TxRef document, int32_t number, TxNamedStyle* out)
{
    TxDocLock doc(document);
    if (number < 1 || number > TxRecordCount(doc->namedStyles))
        return false;
    if (out)
        *out = Entries(*doc)[number - 1];
    return true;
}

void TxGetNamedStyleFormats(TxRef document, int32_t number, TxStyleInfo* style, TxFontInfo* font, TxParInfo* par)
{
    TxNamedStyle entry{};
    bool valid = TxGetNamedStyle(document, number, &entry);
    TxDocLock doc(document);
    int32_t s = valid ? StyleDefinitionIndex(*doc, entry.styleDefinition) : -1;
    int32_t p = valid ? ParDefinitionIndex(*doc, entry.parDefinition) : -1;
    TxStyleInfo found = doc->globals->defaultStyle;
    if (s >= 0)
        TxGetStyle(*doc, s, found);
    if (style)
        *style = found;
    if (font)
        TxGetFont(*doc, s >= 0 ? found.fontIndex : 0, *font);
    if (par) {
        if (p >= 0)
            TxGetRecord(doc->pars, p, par);
        else
            *par = doc->globals->defaultPar;
    }
}

void TxRenameNamedStyle(TxRef document, int32_t number, const char* name)
{
    TxDocLock doc(document);
    if (number < 1 || number > TxRecordCount(doc->namedStyles))
        return;
    CopyName(Entries(*doc)[number - 1].name, name);
    ++doc->changeCount;
}

void TxRenameNamedStyleEverywhere(TxRef document, int32_t number, const char* name)
{
    TxNamedStyle entry;
    if (!TxGetNamedStyle(document, number, &entry))
        return;
    InPartner(document, [&](TxRef partner) {
        if (int32_t there = TxFindNamedStyle(partner, entry.name))
            TxRenameNamedStyle(partner, there, name);
    });
    TxRenameNamedStyle(document, number, name);
}

void TxDeleteNamedStyle(TxRef document, int32_t number)
{
    TxDocLock doc(document);
    if (number < 1 || number > TxRecordCount(doc->namedStyles))
        return;
    TxDeleteRecords(doc->namedStyles, number - 1, 1);
    RenumberNamedStyles(*doc, number);
    if (doc->currentNamedStyle >= number)
        --doc->currentNamedStyle;
    ++doc->changeCount;
}

void TxDeleteNamedStyleEverywhere(TxRef document, int32_t number)
{
    TxNamedStyle entry;
    if (!TxGetNamedStyle(document, number, &entry))
        return;
    InPartner(document, [&](TxRef partner) {
        if (int32_t there = TxFindNamedStyle(partner, entry.name))
            TxDeleteNamedStyle(partner, there);
    });
    TxDeleteNamedStyle(document, number);
}

void TxApplyStyleDefinition(TxRef document, const TxRange* range, int32_t number, int32_t drawMode)
{
    TxStyleInfo value, mask;
    {
        TxDocLock doc(document);
        int32_t index = StyleDefinitionIndex(*doc, number);
        if (index < 0)
            return;
        value = MadeFromStyleDefinition(*doc, index);
    }
    TxFillStyle(mask, 0xFF);
    TxSetStyleInfo(document, range, value, mask, drawMode);
}

void TxApplyParDefinition(TxRef document, const TxRange* range, int32_t number, int32_t drawMode)
{
    TxParInfo value, mask;
    {
        TxDocLock doc(document);
        int32_t index = ParDefinitionIndex(*doc, number);
        if (index < 0)
            return;
        TxGetRecord(doc->pars, index, &value);
    }
    value.styleSheet = -value.styleSheet;
    value.flagWord = 0;
    std::memset(&mask, 0xFF, sizeof mask);
    TxSetParInfo(document, range, value, mask, drawMode);
}

void TxApplyNamedStyle(TxRef document, const TxRange* range, int32_t number, int32_t drawMode)
{
    TxNamedStyle entry;
    if (!TxGetNamedStyle(document, number, &entry))
        return;
    if (entry.styleDefinition)
        TxApplyStyleDefinition(document, range, entry.styleDefinition, entry.parDefinition ? 0 : drawMode);
    if (entry.parDefinition)
        TxApplyParDefinition(document, range, entry.parDefinition, drawMode);
}

void TxChangeStyleDefinition(TxRef document, int32_t number, const TxStyleInfo& style, const TxFontInfo* font,
                             int32_t)
{
    TxDocLock doc(document);
    ChangeDefinition(*doc, number, style, font);
}

int32_t TxFindStyleDefinition(TxRef document, const TxStyleInfo& style, const TxStyleInfo* mask)
{
    TxDocLock doc(document);
    TxStyleInfo selector;
    if (mask)
        selector = *mask;
    else
        TxFillStyle(selector, 0xFF);
    // Never compared: the style sheet number and the fields the engine keeps itself.
    selector.styleSheet = selector.namedStyle = selector.derivedIndex = 0;
    selector.fontObject = selector.fontCacheIndex = 0;
    std::memset(selector.procs, 0, sizeof selector.procs);
    TxLock lock(doc->styles);
    for (int32_t i = 0; i < TxRecordCount(doc->styles); ++i) {
        const TxStyleInfo& s = lock.Records<TxStyleInfo>()[i];
        if (!(s.flagWord & kTxDefinitionFlag))
            continue;
        TxStyleInfo probe = style;
        TxStyleInfo m = selector;
        TxClearMaskWhereDifferent(&probe, &s, &m, kTxStyleMaskBytes);
        if (std::memcmp(&m, &selector, size_t(kTxStyleMaskBytes)) == 0)
            return s.styleSheet;
    }
    return 0;
}

bool TxDefinitionRange(TxRef document, bool paragraphs, int32_t number, TxRange& out)
{
    TxDocLock doc(document);
    TxRef runs = paragraphs ? doc->parRuns : doc->styleRuns;
    TxRef list = paragraphs ? doc->pars : doc->styles;
    bool found = false;
    for (int32_t i = 0; i + 1 < TxRecordCount(runs); ++i) {
        TxRun r = TxRunAt(runs, i);
        int32_t sheet = 0;
        int32_t index = TxCheckedIndex(list, r.index);
        if (paragraphs)
            sheet = static_cast<TxParInfo*>(TxRecordPtr(list, index, false))->styleSheet;
        else
            sheet = static_cast<TxStyleInfo*>(TxRecordPtr(list, index, false))->styleSheet;
        if (std::abs(sheet) != number || number == 0)
            continue;
        int32_t end = std::min(TxRunAt(runs, i + 1).offset, doc->textSize);
        out = found ? TxRange{std::min(out.begin, r.offset), std::max(out.end, end)} : TxRange{r.offset, end};
        found = true;
    }
    return found;
}
