#include "database/search/SearchDatabaseRecords.h"

#include "app/core/ErrorReport.h"
#include "app/core/ProgressDialog.h"
#include "classlib/Exceptions.h"
#include "database/db/DBRecord.h"
#include "database/db/DBRecordSet.h"
#include "database/search/ISearchDatabase.h"
#include "database/search/SearchNode.h"
#include "database/search/SearchParser.h"

#include <memory>

namespace {

const UINT IDS_SEARCHING_DATABASE = 5250;

// Reads every record of result that is not sure to match and clears those
// the tree rejects.
void TestCandidates(SearchNode& root, ISearchDatabase& database, const DBRecordSet& sure, DBRecordSet& result)
{
    DBRecordSet unsure(result);
    DBRecordSet known(sure);
    known &= result;
    unsure.flagWord = known.flagWord = 0;
    unsure ^= known;
    if (unsure.GetCount() == 0)
        return;
    ProgressDialog progress(0, unsure.GetCount(), IDS_SEARCHING_DATABASE);
    // Only the fields the tree looks at are decoded.
    FieldSet tested;
    root.AddTestedFields(tested);
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    int n = 0;
    for (int number = unsure.FindNext(-1); number >= 0; number = unsure.FindNext(number)) {
        if (!progress.SetPos(++n))
            break;
        database.ReadRecordFields(record, number, tested);
        if (!root.Test(record))
            result.Clear(number);
    }
}

} // namespace

BOOL SearchDatabaseRecords(const char* text, ISearchDatabase& database, const DBRecordSet& restrictTo,
                           DBRecordSet& result)
{
    std::unique_ptr<SearchNode> root(ParseSearchExpression(text, database));
    if (!root)
        return FALSE;
    try {
        BOOL needsTest = FALSE;
        DBRecordSet sure;
        DBRecordSet candidates = root->EvaluateSure(database, needsTest, sure);
        candidates &= restrictTo;
        result = candidates;
        if (needsTest && result.GetCount() > 0)
            TestCandidates(*root, database, sure, result);
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
        return FALSE;
    }
    return TRUE;
}
