#include "formatting/format/AuthorListElement.h"

#include "database/db/DBRecord.h"
#include "database/sort/CharacterClasses.h"
#include "database/text/AuthorList.h"
#include "database/text/AuthorName.h"
#include "database/text/StyledTextSink.h"
#include "formatting/format/ApplyTitleCase.h"
#include "formatting/format/FormatContext.h"
#include "formatting/format/MakeInitials.h"
#include "formatting/format/TitleElement.h"
#include "formatting/style/AuthorFormatSheet.h"

namespace {
const StyledString kNoText;

void UpperCaseText(StyledString& s)
{
    CString upper;
    for (int i = 0; i < s.GetLength(); ++i)
        upper += ToUpperChar(s.text[i]);
    s.text = upper; // same length: the runs still fit
}

// What follows an initial in each initials mode.
const char* InitialTail(DWORD mode)
{
    switch (mode) {
    case kInitialsFirstFull:
    case kInitialsDottedSpaced:
        return ". ";
    case kInitialsDotted:
        return ".";
    case kInitialsSpaced:
        return " ";
    default:
        return "";
    }
}

StyledString GivenNamePart(const AuthorName& author, DWORD mode)
{
    StyledString g;
    if (mode >= kInitialsDottedSpaced && mode <= kInitialsPlain) {
        const StyledString v = MakeInitials(author.firstName, mode <= kInitialsDotted);
        if (v.IsEmpty()) {
            g = author.firstName;
        } else {
            g = v;
            g.AppendText(InitialTail(mode));
        }
    } else {
        g = author.firstName;
        if (!g.IsEmpty())
            g.AppendText(" ");
    }
    for (INT_PTR i = 0; i < author.otherNames.GetSize(); ++i) {
        const StyledString& other = author.otherNames[i];
        if (mode == kInitialsFullNames) {
            g += other;
            g.AppendText(" ");
        } else {
            g += MakeInitials(other, mode <= kInitialsDotted);
            g.AppendText(InitialTail(mode));
        }
    }
    return g;
}

StyledString Joined(const StyledString& a, const char* between, const StyledString& b, const StyledString& c)
{
    StyledString result = ConcatStyledText(a, between);
    result += b;
    result += c;
    return result;
}
} // namespace

BYTE GetCorrespondingTitleField(BYTE authorField)
{
    switch (authorField) {
    case 1:
        return 4;
    case 7:
        return 9;
    case 16:
        return 11;
    case 30:
        return 32;
    default:
        return 0;
    }
}

const StyledString& GetCorrespondingTitle(const DBRecord& record, BYTE authorField)
{
    const BYTE title = GetCorrespondingTitleField(authorField);
    return title == 0 ? kNoText : record.GetField(title);
}

AuthorListElement::AuthorListElement(BYTE field_)
    : FieldElement(field_), listAll(1), abbreviateThreshold(4), abbreviateCount(1),
      abbreviationText(" and others"), twoAuthorSeparator(" and "), authorSeparator(", "),
      lastAuthorSeparator(", and "), firstNameOrder(kNameLastCommaFirst), firstInitials(kInitialsFullNames),
      firstUppercasing(kUppercaseNone), otherNameOrder(kNameLastCommaFirst),
      otherInitials(kInitialsFullNames), otherUppercasing(kUppercaseNone),
      repeatedAuthorAction(kRepeatedAuthorPrintList), repeatedAuthorText("-----"),
      emptyAuthorAction(kEmptyAuthorNoSubstitution), emptyAuthorText("Anon.")
{
}

void AuthorListElement::SetAuthorFormat(const CAuthorFormatSheet& format)
{
    CopyCommonSettings(format);
    repeatedAuthorAction = format.listPage.repeatedAuthorAction;
    repeatedAuthorText = format.listPage.repeatedAuthorText;
}

bool AuthorListElement::IsEmptyField(const DBRecord& record) const
{
    switch (emptyAuthorAction) {
    case kEmptyAuthorPrintText:
        return false;
    case kEmptyAuthorMoveTitle:
        return GetCorrespondingTitle(record, field).IsEmpty();
    default:
        return true;
    }
}

BOOL AuthorListElement::IsEmpty(const DBRecord& record, const FormatContext& context) const
{
    const StyledString& text = record.GetField(field);
    if (text.IsEmpty())
        return IsEmptyField(record) ? TRUE : FALSE;
    // Only a suppressed repeat makes a filled list empty: the parse is needed for nothing else.
    if (context.previousAuthors == nullptr || repeatedAuthorAction != kRepeatedAuthorSuppress)
        return FALSE;
    AuthorList authors;
    authors.Parse(text);
    return authors.IsEqual(*context.previousAuthors) ? TRUE : FALSE;
}

StyledString AuthorListElement::GetAuthorText(FormatContext& context, const DBRecord& record,
                                              bool& substituted) const
{
    StyledString text = record.GetField(field);
    substituted = false;
    if (text.IsEmpty()) {
        if (emptyAuthorAction == kEmptyAuthorMoveTitle) {
            text = GetCorrespondingTitle(record, field);
        } else if (emptyAuthorAction == kEmptyAuthorPrintText) {
            context.skipTitleField = -1; // a title moved by the record stays where it is
            text = emptyAuthorText;
        } else {
            return StyledString();
        }
        substituted = true;
    }
    return context.SubstituteAlternate(text);
}

void AuthorListElement::WriteSubstitute(FormatContext& context, const StyledString& text)
{
    StyledTextSink& sink = *context.sink;
    context.WritePendingGroupTexts();
    sink.Append(prefix);
    const TitleElement* title = static_cast<const TitleElement*>(context.movedTitleElement);
    if (emptyAuthorAction == kEmptyAuthorMoveTitle && title != nullptr)
        ApplyTitleCase(context, text, title->titleCase, title->style);
    else
        sink.Append(text);
    sink.Append(suffix);
}

void AuthorListElement::WriteNames(FormatContext& context, const AuthorList& list, int authorCount,
                                   bool abbreviated, int shownCount)
{
    StyledTextSink& sink = *context.sink;
    const bool single = authorCount == 1;
    context.WritePendingGroupTexts();
    sink.Append(prefix);
    sink.Append(single ? singleAuthorPreceding : multipleAuthorPreceding);
    StyledString out;
    FormatAuthorList(out, list, abbreviated ? FALSE : TRUE, shownCount,
                     authorCount <= 2 ? twoAuthorSeparator : authorSeparator, abbreviationText);
    sink.Write(out, &style);
    sink.Append(single ? singleAuthorFollowing : multipleAuthorFollowing);
    sink.Append(suffix);
}

void AuthorListElement::Write(FormatContext& context, const DBRecord& record)
{
    if (context.sink == nullptr)
        return;
    bool substituted = false;
    const StyledString text = GetAuthorText(context, record, substituted);
    if (text.IsEmpty())
        return;
    if (substituted) {
        WriteSubstitute(context, text);
        context.atEntryStart = FALSE;
        return;
    }
    AuthorList* list = new AuthorList;
    try {
        list->Parse(text);
        const int count = list->GetAuthorCount();
        if (count == 0) {
            delete list;
            return;
        }
        const int shown =
            static_cast<int>(context.minAuthors > abbreviateCount ? context.minAuthors : abbreviateCount);
        const bool abbreviated = !listAll && count >= static_cast<int>(abbreviateThreshold) && shown < count;
        const bool repeated = context.atEntryStart && context.previousAuthors != nullptr &&
                              list->IsEqual(*context.previousAuthors) &&
                              repeatedAuthorAction != kRepeatedAuthorPrintList;
        if (abbreviated && shown == 0) {
            // An abbreviation to no authors shows nothing.
        } else if (repeated) {
            if (repeatedAuthorAction == kRepeatedAuthorReplace) {
                context.WritePendingGroupTexts();
                context.sink->Append(prefix);
                context.sink->Write(repeatedAuthorText, &style);
                context.sink->Append(suffix);
            }
        } else {
            WriteNames(context, *list, count, abbreviated, shown);
            if (context.atEntryStart) {
                delete context.previousAuthors;
                context.previousAuthors = list;
                list = nullptr;
            }
        }
    } catch (...) {
        delete list;
        throw;
    }
    delete list;
    context.atEntryStart = FALSE;
}

StyledString AuthorListElement::FormatName(const AuthorName& author, bool first,
                                           const StyledString& etAlText) const
{
    if (author.literal)
        return author.etAl ? etAlText : author.lastName;
    if (author.etAl)
        return etAlText;
    const DWORD order = first ? firstNameOrder : otherNameOrder;
    const DWORD initials = first ? firstInitials : otherInitials;
    const DWORD uppercasing = first ? firstUppercasing : otherUppercasing;
    StyledString g = GivenNamePart(author, initials);
    StyledString name = author.lastName;
    if (uppercasing == kUppercaseLastName)
        UpperCaseText(name);
    if (g.IsEmpty()) {
        name += author.suffix;
    } else {
        g.TrimRight(" ");
        switch (order) {
        case kNameFirstMiddleLast:
            name = Joined(g, " ", name, author.suffix);
            break;
        case kNameLastCommaFirst:
            name = Joined(name, ", ", g, author.suffix);
            break;
        case kNameLastFirst:
            name = Joined(name, " ", g, author.suffix);
            break;
        default:
            break;
        }
    }
    if (uppercasing == kUppercaseWholeName)
        UpperCaseText(name);
    return name;
}

void AuthorListElement::FormatAuthorList(StyledString& out, const AuthorList& list, BOOL all, int maxCount,
                                         const StyledString& separator, const StyledString& etAlText) const
{
    const int entries = static_cast<int>(list.GetSize());
    const int shown = all || maxCount > entries ? entries : (maxCount < 0 ? 0 : maxCount);
    for (int i = 0; i < shown; ++i) {
        const AuthorName& author = *list.GetAuthor(i);
        out += FormatName(author, i == 0, etAlText);
        const int remaining = shown - i - 1;
        if (remaining == 0) {
            if (!author.etAl && !all)
                out += etAlText;
        } else if (remaining == 1) {
            if (list.GetAuthor(i + 1)->etAl)
                continue;
            out += all && shown > 2 ? lastAuthorSeparator : separator;
        } else {
            out += separator;
        }
    }
}
