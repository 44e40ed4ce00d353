// AuthorListElement: an author field of a reference-list entry, written by
// one author format of the style.
//
// The field is parsed into an AuthorList; each name is formatted by the first
// author's or the other authors' settings (order, initials, upper-casing),
// the names are joined by the separators, and a list of abbreviateThreshold
// or more authors shows only the first max(abbreviateCount, minAuthors)
// followed by abbreviationText. The separator follows the field's author
// count, not the number shown. An empty field can give its corresponding
// title or a fixed text. An entry whose leading author list equals the one of
// the most recent entry that began with its authors can replace or suppress
// it; the context keeps that list (previousAuthors).
#pragma once

#include "formatting/format/FormatElement.h"

class AuthorList;
class AuthorName;
class CAuthorFormatSheet;

class AuthorListElement : public FieldElement
{
public:
    explicit AuthorListElement(BYTE field);

    BYTE GetKind() const override { return kAuthorList; }
    void Write(FormatContext& context, const DBRecord& record) override;
    BOOL IsEmpty(const DBRecord& record, const FormatContext& context) const override;

    virtual void SetAuthorFormat(const CAuthorFormatSheet& format);
    // Appends the first maxCount names of the list (all when listAll) to out,
    // joined by separator; etAlText ends a list that was cut and stands for
    // the et-al marker.
    virtual void FormatAuthorList(StyledString& out, const AuthorList& list, BOOL listAll, int maxCount,
                                  const StyledString& separator, const StyledString& etAlText) const;

    DWORD listAll;
    DWORD abbreviateThreshold;
    DWORD abbreviateCount;
    StyledString abbreviationText;
    StyledString singleAuthorPreceding;
    StyledString singleAuthorFollowing;
    StyledString multipleAuthorPreceding;
    StyledString multipleAuthorFollowing;
    StyledString twoAuthorSeparator;
    StyledString authorSeparator;
    StyledString lastAuthorSeparator;
    DWORD firstNameOrder, firstInitials, firstUppercasing;
    DWORD otherNameOrder, otherInitials, otherUppercasing;
    DWORD repeatedAuthorAction;
    StyledString repeatedAuthorText;
    DWORD emptyAuthorAction;
    StyledString emptyAuthorText;

protected:
    // The settings shared by both author formats (all but the repeated-author ones).
    template <class Sheet> void CopyCommonSettings(const Sheet& format);
    // The field text, or for an empty field its substitute (title or fixed
    // text), after alternate text; empty when nothing is to be written.
    StyledString GetAuthorText(FormatContext& context, const DBRecord& record, bool& substituted) const;
    // Writes a substitute in the author position: prefix, the title (in the
    // moved title element's case and style) or the fixed text, suffix.
    void WriteSubstitute(FormatContext& context, const StyledString& text);
    // Writes prefix, the texts around the list, the names and suffix.
    void WriteNames(FormatContext& context, const AuthorList& list, int authorCount, bool abbreviated,
                    int shownCount);
    bool IsEmptyField(const DBRecord& record) const;

private:
    StyledString FormatName(const AuthorName& author, bool first, const StyledString& etAlText) const;
};

// The title field whose text takes an author field's place: 4 for 1, 9 for
// 7, 11 for 16, 32 for 30; 0 for any other field.
BYTE GetCorrespondingTitleField(BYTE authorField);
// The record's text of that title field (empty when there is none).
const StyledString& GetCorrespondingTitle(const DBRecord& record, BYTE authorField);

template <class Sheet> void AuthorListElement::CopyCommonSettings(const Sheet& format)
{
    listAll = format.listPage.abbreviateList ? 0 : 1;
    abbreviateThreshold = format.listPage.abbreviateThreshold;
    abbreviateCount = format.listPage.abbreviateCount;
    abbreviationText = format.listPage.abbreviationText;
    singleAuthorPreceding = format.textPage.singleAuthorPreceding;
    singleAuthorFollowing = format.textPage.singleAuthorFollowing;
    multipleAuthorPreceding = format.textPage.multipleAuthorPreceding;
    multipleAuthorFollowing = format.textPage.multipleAuthorFollowing;
    twoAuthorSeparator = format.separatorsPage.twoAuthorSeparator;
    authorSeparator = format.separatorsPage.authorSeparator;
    lastAuthorSeparator = format.separatorsPage.lastAuthorSeparator;
    firstNameOrder = format.namesPage.firstNameOrder;
    firstInitials = format.namesPage.firstInitials;
    firstUppercasing = format.namesPage.firstUppercasing;
    otherNameOrder = format.namesPage.otherNameOrder;
    otherInitials = format.namesPage.otherInitials;
    otherUppercasing = format.namesPage.otherUppercasing;
    emptyAuthorAction = format.listPage.emptyAuthorAction;
    emptyAuthorText = format.listPage.emptyAuthorText;
}
