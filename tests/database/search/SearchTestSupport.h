// Shared pieces of the search tests: a fixture with a fresh search database,
// the standard workforms, folding, and a readable form of a search tree.
#pragma once

#include "SearchTestDatabase.h"

#include "app/core/ProgressDialog.h"
#include "classlib/MessageBox.h"
#include "database/search/GroupLeaf.h"
#include "database/search/RecordIdLeaf.h"
#include "database/search/SearchLeafNode.h"
#include "database/search/WorkformLeaf.h"
#include "database/sort/AccentFold.h"
#include "support/WorkformFixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class SearchFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        BuildAccentFoldTable();
        GetWorkformTable().RemoveAll();
        Workforms().reset(new WorkformFixtureFiles); // enters the standard workforms
    }
    static void TearDownTestSuite()
    {
        Workforms().reset();
        GetWorkformTable().RemoveAll();
    }
    static std::unique_ptr<WorkformFixtureFiles>& Workforms()
    {
        static std::unique_ptr<WorkformFixtureFiles> files;
        return files;
    }
    SearchFixture()
        : db(std::string("search_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
             ".tmp")
    {
    }
    ~SearchFixture() override { ScriptedProgressDisplay::StopAtCall(0); }

    SearchTestDatabase db;
};

// "and(...)", "or(...)", "not(...)", "word[AUTH SMITH*]" and so on: what a
// tree searches, with each field leaf's fields as a list of numbers.
inline std::string FieldList(const FieldSet& fields)
{
    if (fields == FieldSet::AllFields())
        return "all";
    std::string list;
    for (int n = 0; n < FieldSet::kFields; ++n) {
        if (fields.Contains(n))
            list += (list.empty() ? "" : ",") + std::to_string(n);
    }
    return list;
}

inline std::string Describe(const SearchNode* node)
{
    if (auto* n = dynamic_cast<const SearchAndNode*>(node))
        return "and(" + Describe(n->left) + " " + Describe(n->right) + ")";
    if (auto* n = dynamic_cast<const SearchOrNode*>(node))
        return "or(" + Describe(n->left) + " " + Describe(n->right) + ")";
    if (auto* n = dynamic_cast<const SearchNotNode*>(node))
        return "not(" + Describe(n->operand) + ")";
    if (dynamic_cast<const SearchNothingNode*>(node))
        return "nothing";
    if (auto* n = dynamic_cast<const SearchWordLeaf*>(node))
        return std::string("word[") + FieldList(n->fields) + " " + (n->leadingStar ? "*" : "") + n->term +
               (n->trailingStar ? "*" : "") + "]";
    if (auto* n = dynamic_cast<const SearchLeafNode*>(node)) {
        const char* kind = dynamic_cast<const SearchLessLeaf*>(node)           ? "lt"
                           : dynamic_cast<const SearchLessEqualLeaf*>(node)    ? "le"
                           : dynamic_cast<const SearchGreaterLeaf*>(node)      ? "gt"
                           : dynamic_cast<const SearchGreaterEqualLeaf*>(node) ? "ge"
                           : dynamic_cast<const SearchBeginsWithLeaf*>(node)   ? "bw"
                           : dynamic_cast<const SearchEndsWithLeaf*>(node)     ? "ew"
                           : dynamic_cast<const SearchExactlyLeaf*>(node)      ? "exactly"
                           : dynamic_cast<const SearchContainsLeaf*>(node)     ? "contains"
                           : dynamic_cast<const SearchEmptyLeaf*>(node)        ? "empty"
                                                                               : "nempty";
        return std::string(kind) + "[" + FieldList(n->fields) + " " + n->term + "]";
    }
    if (auto* n = dynamic_cast<const WorkformWordLeaf*>(node))
        return std::string("form[") + (n->leadingStar ? "*" : "") + n->term + (n->trailingStar ? "*" : "") +
               "]";
    if (auto* n = dynamic_cast<const WorkformLeaf*>(node))
        return "form-op[" + n->term + "]";
    if (auto* n = dynamic_cast<const RecordIdLeaf*>(node)) {
        const char* kind = dynamic_cast<const RecordIdLessLeaf*>(node)           ? "id<"
                           : dynamic_cast<const RecordIdLessEqualLeaf*>(node)    ? "id<="
                           : dynamic_cast<const RecordIdGreaterLeaf*>(node)      ? "id>"
                           : dynamic_cast<const RecordIdGreaterEqualLeaf*>(node) ? "id>="
                                                                                 : "id=";
        return std::string(kind) + n->term;
    }
    if (auto* n = dynamic_cast<const GroupLeaf*>(node))
        return "group[" + n->name + "]";
    return "?";
}
