// DatabaseDriver: scripts a database from the command line, for tests and
// benchmarks (not part of the program). See kHelp for the command language.
#include "app/core/ErrorReport.h"
#include "app/core/NativePath.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"
#include "classlib/MessageBox.h"
#include "classlib/Profile.h"
#include "classlib/WinApp.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "database/search/SearchDatabaseRecords.h"
#include "database/sort/DBSortCursor.h"
#include "database/sort/DBSortUpdater.h"
#include "database/text/StyledStringArchive.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kHelp[] =
    "usage: DatabaseDriver [SCRIPT]   (commands from SCRIPT, else from standard input)\n"
    "       DatabaseDriver --help\n"
    "\n"
    "One command a line; blank lines and lines starting with # are skipped.\n"
    "  profile FILE          (native build) keep the settings in FILE; the Windows build\n"
    "                        uses the registry under \"Lorvane 5 Driver\"\n"
    "  setting SECTION KEY N set an integer setting (\"Database Settings\" \"Starting Record ID\" 100);\n"
    "                        SECTION and KEY in double quotes when they hold blanks\n"
    "  answer ok|cancel|yes|no   queue the answer to the next prompt; unanswered prompts\n"
    "                        take their default button; every prompt prints \"prompt ID\"\n"
    "  create PATH           make a new database and open it\n"
    "  open PATH [readonly]  open a database (read-write exclusive unless readonly)\n"
    "  close                 write everything and close\n"
    "  add                   a new record from the field lines that follow, up to \"end\";\n"
    "                        prints \"added NUMBER ID\"\n"
    "  update NUMBER         replace the fields given on the lines that follow, up to \"end\"\n"
    "  delete NUMBER\n"
    "     field line: FIELD TEXT   (FIELD 0 is the record ID, 1-45 the fields; TEXT may hold\n"
    "                        {BITS:text}, text in the style bits BITS, hexadecimal: 1 bold,\n"
    "                        2 italic, 4 underline, 100 superscript, 200 subscript)\n"
    "  list SLOT [desc]      \"NUMBER ID\" per record in the sort slot's order (0 record ID,\n"
    "                        1-7 the record-list sorts, 8 workform, 9-53 fields 1-45); the\n"
    "                        slot's index is built first when it is not\n"
    "  count                 \"records N\"\n"
    "  terms authors|titles|journals|keywords   \"TERM: NUMBERS\" per term, in key order\n"
    "  dump record NUMBER    the record stream, as hexadecimal\n"
    "  dump field NUMBER FIELD   the field's styled-string archive form, as hexadecimal\n"
    "  dump sort SLOT        the slot's 26-byte sort definition, as hexadecimal\n"
    "  dump keys SLOT        each key of the slot's index, as hexadecimal\n"
    "  rebuild               rebuild the key file from the records\n"
    "  search EXPRESSION     run a search; prints \"found N: numbers...\" or \"search failed\"\n"
    "  verify [N]            check the whole database (every index key's set made again from\n"
    "                        every record, or every k-th one above N records); prints\n"
    "                        \"verified\" or \"verify failed: \" and the first disagreement\n"
    "  expect LINE           some line printed since the last expect equals LINE, else the\n"
    "                        run fails (exit status 1)\n"
    "Errors print \"error: ...\" and make the exit status 1.\n";

std::deque<std::string> g_pending;
bool g_failed = false;

void Out(const std::string& line)
{
    std::cout << line << '\n';
    g_pending.push_back(line);
}

std::string Hex(const BYTE* bytes, size_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < n; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

template <class F> std::string HexOfArchive(F serialize)
{
    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store);
        serialize(ar);
    }
    const DWORD length = (DWORD)memory.GetLength();
    std::vector<BYTE> bytes(length);
    memory.SeekToBegin();
    if (length)
        memory.Read(bytes.data(), length);
    return Hex(bytes.data(), bytes.size());
}

// Words of a command line; "quoted words" may hold blanks.
std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        if (i >= line.size())
            break;
        std::string word;
        if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            word = line.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
            i = end == std::string::npos ? line.size() : end + 1;
        } else {
            const size_t end = line.find(' ', i);
            word = line.substr(i, end == std::string::npos ? std::string::npos : end - i);
            i = end == std::string::npos ? line.size() : end;
        }
        words.push_back(word);
    }
    return words;
}

// TEXT with {BITS:text} parts.
StyledString ParseStyled(const std::string& text)
{
    StyledString value;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t colon = text[i] == '{' ? text.find(':', i) : std::string::npos;
        const size_t close = colon != std::string::npos ? text.find('}', colon) : std::string::npos;
        if (close == std::string::npos) {
            value.AppendCharWithStyle(text[i], 0);
            continue;
        }
        const WORD bits = (WORD)std::strtoul(text.substr(i + 1, colon - i - 1).c_str(), nullptr, 16);
        for (size_t k = colon + 1; k < close; ++k)
            value.AppendCharWithStyle(text[k], bits);
        i = close;
    }
    return value;
}

class Driver
{
public:
    explicit Driver(std::istream& in) : m_in(in) {}
    ~Driver()
    {
        if (m_db && m_db->IsOpen())
            m_db->Abort();
    }

    void Run()
    {
        std::string line;
        while (std::getline(m_in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty() || line[0] == '#')
                continue;
            try {
                Command(line);
            } catch (CException* e) {
                char text[512] = "";
                e->GetErrorMessage(text, sizeof text);
                const bool quiet = e->IsKindOf(RUNTIME_CLASS(CUserException));
                e->Delete();
                Fail(std::string(quiet ? "abandoned: " : "") + line +
                     (quiet ? "" : std::string(": ") + text));
            }
            Prompts();
        }
    }

private:
    void Fail(const std::string& what)
    {
        std::cout << "error: " << what << '\n';
        g_failed = true;
    }
    void Prompts()
    {
        for (; m_shown < m_script.CallCount(); ++m_shown)
            Out("prompt " + std::to_string(m_script.Calls()[(size_t)m_shown].helpId));
    }
    DBDatabase& Db()
    {
        if (!m_db || !m_db->IsOpen())
            AfxThrowNotSupportedException();
        return *m_db;
    }
    void Open(const std::string& path, UINT mode, bool create)
    {
        m_db.reset(new DBDatabase);
        m_db->SetPathName(path.c_str());
        if (create)
            m_db->CreateNew();
        CFileException error;
        if (!m_db->OpenDatabase(mode, &error))
            AfxThrowFileException(error.m_cause, error.m_lOsError, path.c_str());
    }
    // Field lines up to "end" into the record.
    void ReadFields(DBRecord& record)
    {
        std::string line;
        while (std::getline(m_in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line == "end")
                return;
            const size_t blank = line.find(' ');
            const int field = std::atoi(line.substr(0, blank).c_str());
            const std::string text = blank == std::string::npos ? "" : line.substr(blank + 1);
            if (field == 0)
                record.SetRecordIdText(text.c_str());
            else
                record.SetField(ParseStyled(text), (BYTE)field);
        }
    }
    void List(int slot, BOOL forward)
    {
        DBDatabase& db = Db();
        if (!db.GetSortSpec(slot).indexBuilt && !BuildSortSlotIndex(db, slot, db.GetAllRecords()))
            AfxThrowUserException();
        DBSortCursor cursor(&db.GetSortSlotTree(slot));
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        for (LONG n = cursor.SeekFirst(0, db.GetAllRecords(), forward); n != -1;
             n = cursor.Step(db.GetAllRecords(), forward)) {
            db.ReadRecord(record, n);
            Out(std::to_string(n) + " " + std::string(record.GetRecordIdText()));
        }
    }
    // Prints the matching record numbers in ascending order, or "search failed"
    // when the text does not parse (its message is shown like any other).
    void Search(const std::string& text)
    {
        DBDatabase& db = Db();
        DBRecordSet found;
        if (!SearchDatabaseRecords(text.c_str(), db, db.GetAllRecords(), found)) {
            Out("search failed");
            return;
        }
        std::string numbers = "found " + std::to_string(found.GetCount()) + ":";
        for (int n = found.FindNext(-1); n != -1; n = found.FindNext(n))
            numbers += " " + std::to_string(n);
        Out(numbers);
    }
    void Terms(const std::string& kind)
    {
        DBDatabase& db = Db();
        DBTermIndex& index = kind == "authors"    ? db.GetAuthorIndex()
                             : kind == "titles"   ? db.GetTitleIndex()
                             : kind == "journals" ? db.GetJournalIndex()
                                                  : db.GetKeywordIndex();
        BTreeCursor cursor(&index.GetTree());
        for (BOOL on = cursor.MoveFirst(); on; on = cursor.NextKey()) {
            DBRecordSet set;
            cursor.ReadObject(set);
            std::string line = std::string(set.name.text) + ":";
            for (int n = set.FindNext(-1); n >= 0; n = set.FindNext(n))
                line += " " + std::to_string(n);
            Out(line);
        }
    }
    void Dump(const std::vector<std::string>& w)
    {
        DBDatabase& db = Db();
        const std::string what = w.size() > 1 ? w[1] : "";
        const int a = w.size() > 2 ? std::atoi(w[2].c_str()) : 0;
        if (what == "record" || what == "field") {
            DBRecord record;
            record.m_bAutoDelete = FALSE;
            db.ReadRecord(record, a);
            if (what == "record") {
                Out(HexOfArchive([&](CArchive& ar) { record.Serialize(ar); }));
            } else {
                const int field = w.size() > 3 ? std::atoi(w[3].c_str()) : 0;
                StyledString value = record.GetField((BYTE)field);
                Out(HexOfArchive([&](CArchive& ar) { WriteStyledString(ar, value); }));
            }
        } else if (what == "sort") {
            DBSortSpec spec = db.GetSortSpec(a);
            Out(HexOfArchive([&](CArchive& ar) { spec.Serialize(ar); }));
        } else if (what == "keys") {
            BTreeCursor cursor(&db.GetSortSlotTree(a));
            BYTE key[DBSortKeyBuilder::kMaxKeySize];
            for (BOOL on = cursor.MoveFirst(); on; on = cursor.Next()) {
                const int length = cursor.CopyKey(key);
                Out(Hex(key, (size_t)length));
            }
        } else {
            Fail("dump what?");
        }
    }
    void Expect(const std::string& line)
    {
        const std::string wanted = line.substr(std::string("expect ").size());
        while (!g_pending.empty()) {
            const std::string got = g_pending.front();
            g_pending.pop_front();
            if (got == wanted)
                return;
        }
        Fail("expected \"" + wanted + "\"");
    }
    void Command(const std::string& line)
    {
        const std::vector<std::string> w = Split(line);
        const std::string& c = w[0];
        const int a = w.size() > 1 ? std::atoi(w[1].c_str()) : 0;
        if (c == "expect") {
            Expect(line);
        } else if (c == "profile") {
#ifndef _WIN32
            CProfile::SetStoreFile(AfxNativePath(w.at(1).c_str()));
#endif
        } else if (c == "setting") {
            AfxGetApp()->WriteProfileInt(w.at(1).c_str(), w.at(2).c_str(), std::atoi(w.at(3).c_str()));
        } else if (c == "answer") {
            const std::string& b = w.at(1);
            m_script.PushAnswer(b == "ok" ? IDOK : b == "cancel" ? IDCANCEL : b == "yes" ? IDYES : IDNO);
        } else if (c == "create" || c == "open") {
            const bool readOnly = w.size() > 2 && w[2] == "readonly";
            Open(w.at(1),
                 readOnly ? CFile::modeRead | CFile::shareDenyWrite
                          : CFile::modeReadWrite | CFile::shareExclusive,
                 c == "create");
            Out((c == "create" ? "created " : "opened ") + w[1]);
        } else if (c == "close") {
            Db().Close();
            m_db.reset();
        } else if (c == "add" || c == "update") {
            DBRecord record;
            record.m_bAutoDelete = FALSE;
            if (c == "update")
                Db().ReadRecord(record, a);
            ReadFields(record);
            if (c == "update") {
                Db().UpdateRecord(record);
            } else {
                if (record.GetRecordIdText().IsEmpty())
                    record.SetRecordIdText(Db().GetNextRecordId());
                Db().AddRecord(record, Db().GetNextFreeRecordNumber());
                Out("added " + std::to_string(record.GetRecordNumber()) + " " +
                    std::string(record.GetRecordIdText()));
            }
        } else if (c == "delete") {
            Db().DeleteRecord(a);
        } else if (c == "list") {
            List(a, !(w.size() > 2 && w[2] == "desc"));
        } else if (c == "count") {
            Out("records " + std::to_string(Db().GetAllRecords().GetCount()));
        } else if (c == "terms") {
            Terms(w.at(1));
        } else if (c == "dump") {
            Dump(w);
        } else if (c == "rebuild") {
            Db().RebuildKeyFile(DBDatabase::IDS_REBUILDING_KEY_FILE);
        } else if (c == "verify") {
            const CString problem = Db().Verify(w.size() > 1 ? a : 0);
            Out(problem.IsEmpty() ? std::string("verified") : "verify failed: " + std::string(problem));
        } else if (c == "search") {
            Search(line.substr(line.find("search") + std::string("search").size()));
        } else {
            Fail("unknown command: " + c);
        }
    }

    std::istream& m_in;
    std::unique_ptr<DBDatabase> m_db;
    CMessageBoxScript m_script;
    int m_shown = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--help") {
        std::cout << kHelp;
        return 0;
    }
    CWinApp app("Lorvane5 Driver");
    app.SetRegistryKey("Quenmark");
    app.SetProfileName("Lorvane 5 Driver");
    std::ifstream file;
    if (argc > 1) {
        file.open(argv[1]);
        if (!file) {
            std::cerr << "cannot read " << argv[1] << '\n';
            return 2;
        }
    }
    {
        Driver driver(argc > 1 ? static_cast<std::istream&>(file) : std::cin);
        driver.Run();
    }
    return g_failed ? 1 : 0;
}
