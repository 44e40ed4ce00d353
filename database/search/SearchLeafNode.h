// Field leaves of the search tree: one operator and one term over a set of
// record fields (1 to 45).
//
// The term is kept folded. When the fields share one with the date fields
// (12, 20, 21) the term as typed is also read as a date; a valid date (a
// year) makes "=" and the comparisons compare the dates of those fields
// instead of their texts. A leaf holds as soon as one of its fields
// satisfies it, fields taken in ascending order.
//
// Every field leaf sets needsTest: the indexes give candidates only. A date
// that names a year alone (no letter, month or day) is compared by its year,
// which the date index's keys hold: "=" and the comparisons over all the date
// fields take the records under the keys of accepted years as sure.
#pragma once

#include "database/db/FieldSet.h"
#include "database/search/SearchNode.h"
#include "database/text/DateValue.h"

#include <string>

class SearchLeafNode : public SearchNode
{
public:
    BOOL Test(const DBRecord& record) override;
    void AddTestedFields(FieldSet& tested) const override { tested |= fields; }

    FieldSet fields;
    std::string term;
    DateValue date;

protected:
    SearchLeafNode(const FieldSet& searched, const char* typed);
    // Whether field n, whose folded text is given, satisfies the leaf.
    virtual BOOL TestField(int n, const DBRecord& record, const std::string& folded) = 0;
    // TRUE when field n is a date field and the term is a valid date.
    BOOL ComparesDatesIn(int n) const;
    // TRUE when the fields hold every date field and the term is a valid date.
    BOOL SearchesEveryDateField() const;

private:
    std::string m_folded; // the field being tested, its buffer kept between tests
};

// "=": the word rule, with "*" at either end of the term.
class SearchWordLeaf : public SearchLeafNode
{
public:
    SearchWordLeaf(const FieldSet& searched, const char* typed);
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;
    DBRecordSet EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure) override;

    BOOL leadingStar;
    BOOL trailingStar;

protected:
    BOOL TestField(int n, const DBRecord& record, const std::string& folded) override;
};

// "<", "<=", ">", ">=": dates, call-number keys (field 44) or folded texts.
class SearchCompareLeaf : public SearchLeafNode
{
public:
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;
    DBRecordSet EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure) override;

    // The call-number key of the term as typed when field 44 is searched.
    std::string callNumberKey;

protected:
    SearchCompareLeaf(const FieldSet& searched, const char* typed);
    BOOL TestField(int n, const DBRecord& record, const std::string& folded) override;
    // Whether the comparison of the record's value with the term's (negative,
    // 0, positive) satisfies the operator.
    virtual BOOL Accepts(int comparison) const = 0;
    virtual BOOL AcceptsDate(const DateValue& value) const = 0;
    virtual BOOL LooksBefore() const = 0;
};

class SearchLessLeaf : public SearchCompareLeaf
{
public:
    SearchLessLeaf(const FieldSet& searched, const char* typed) : SearchCompareLeaf(searched, typed) {}

protected:
    BOOL Accepts(int comparison) const override { return comparison < 0; }
    BOOL AcceptsDate(const DateValue& value) const override { return value.IsBefore(date); }
    BOOL LooksBefore() const override { return TRUE; }
};

class SearchLessEqualLeaf : public SearchCompareLeaf
{
public:
    SearchLessEqualLeaf(const FieldSet& searched, const char* typed) : SearchCompareLeaf(searched, typed) {}

protected:
    BOOL Accepts(int comparison) const override { return comparison <= 0; }
    BOOL AcceptsDate(const DateValue& value) const override { return value.IsBeforeOrEqual(date); }
    BOOL LooksBefore() const override { return TRUE; }
};

class SearchGreaterLeaf : public SearchCompareLeaf
{
public:
    SearchGreaterLeaf(const FieldSet& searched, const char* typed) : SearchCompareLeaf(searched, typed) {}

protected:
    BOOL Accepts(int comparison) const override { return comparison > 0; }
    BOOL AcceptsDate(const DateValue& value) const override { return value.IsAfter(date); }
    BOOL LooksBefore() const override { return FALSE; }
};

class SearchGreaterEqualLeaf : public SearchCompareLeaf
{
public:
    SearchGreaterEqualLeaf(const FieldSet& searched, const char* typed) : SearchCompareLeaf(searched, typed)
    {
    }

protected:
    BOOL Accepts(int comparison) const override { return comparison >= 0; }
    BOOL AcceptsDate(const DateValue& value) const override { return value.IsAfterOrEqual(date); }
    BOOL LooksBefore() const override { return FALSE; }
};

// "begins with", "ends with", "exactly": author items in author fields,
// slash items in author and keyword fields, or the whole text.
class SearchItemLeaf : public SearchLeafNode
{
public:
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;

protected:
    SearchItemLeaf(const FieldSet& searched, const char* typed, int how);
    BOOL TestField(int n, const DBRecord& record, const std::string& folded) override;

    int m_how;
};

// Also answers from the word index: an item that begins with the text holds
// its words, the last one perhaps longer.
class SearchBeginsWithLeaf : public SearchItemLeaf
{
public:
    SearchBeginsWithLeaf(const FieldSet& searched, const char* typed);
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;
};

class SearchEndsWithLeaf : public SearchItemLeaf
{
public:
    SearchEndsWithLeaf(const FieldSet& searched, const char* typed);
};

// Also answers from the word index.
class SearchExactlyLeaf : public SearchItemLeaf
{
public:
    SearchExactlyLeaf(const FieldSet& searched, const char* typed);
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;
};

class SearchContainsLeaf : public SearchLeafNode
{
public:
    SearchContainsLeaf(const FieldSet& searched, const char* typed) : SearchLeafNode(searched, typed) {}
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;

protected:
    BOOL TestField(int n, const DBRecord& record, const std::string& folded) override;
};

// "= empty": a field that the record's workform uses and that is empty.
class SearchEmptyLeaf : public SearchLeafNode
{
public:
    explicit SearchEmptyLeaf(const FieldSet& searched) : SearchLeafNode(searched, "") {}
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;

protected:
    BOOL TestField(int n, const DBRecord& record, const std::string& folded) override;
};

// "= not empty".
class SearchNotEmptyLeaf : public SearchLeafNode
{
public:
    explicit SearchNotEmptyLeaf(const FieldSet& searched) : SearchLeafNode(searched, "") {}
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;

protected:
    BOOL TestField(int n, const DBRecord& record, const std::string& folded) override;
};

// Which indexes can answer for a field set (fields 1 to 45 only).
BOOL IsOutsideIndexes(const FieldSet& fields);
BOOL IsOutsideWordIndex(const FieldSet& fields);
BOOL SharesField(const FieldSet& a, const FieldSet& b);
