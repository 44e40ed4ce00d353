#include "app/core/IntSetting.h"
#include "app/core/TempFile.h"
#include "bibliography/core/HtmlWriter.h"
#include "bibliography/core/TextWriter.h"
#include "bibliography/output/RtfWriter.h"
#include "bibliography/output/WordProcessorWriter.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/Profile.h"
#include "classlib/WinApp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {
// A dialog that records what it was shown and answers as scripted.
class ScriptedDialog : public WordProcessorSaveDialog
{
public:
    BOOL Show(const char* filter, int& type, CString& path) override
    {
        shownFilter = filter;
        shownType = type;
        if (!ok)
            return FALSE;
        type = answerType;
        path = answerPath;
        return TRUE;
    }

    bool ok = true;
    int answerType = 1;
    CString answerPath;
    std::string shownFilter;
    int shownType = 0;
};

// A profile of the test process's own, so the remembered type starts unset.
class WordProcessorChoice : public ::testing::Test
{
protected:
    void SetUp() override
    {
#ifndef _WIN32
        m_store = MakeTempFileName();
        CProfile::SetStoreFile(AfxNativePath(m_store));
#endif
        m_app = std::make_unique<CWinApp>("Lorvane5 Tests");
        m_app->SetRegistryKey("Quenmark");
        char name[64];
#ifdef _WIN32
        std::snprintf(name, sizeof name, "Lorvane 5 Tests\\%lu", ::GetCurrentProcessId());
#else
        std::snprintf(name, sizeof name, "Lorvane 5 Tests\\%ld", static_cast<long>(::getpid()));
#endif
        m_app->SetProfileName(name);
        m_app->DeleteProfileTree();
        m_path = MakeTempFileName();
    }

    void TearDown() override
    {
        m_app->DeleteProfileTree();
        m_app.reset();
#ifndef _WIN32
        CProfile::SetStoreFile(nullptr);
        RemoveQuietly(m_store);
#endif
        RemoveQuietly(m_path);
    }

    static void RemoveQuietly(const CString& path)
    {
        try {
            CFile::Remove(path);
        } catch (CException* e) {
            e->Delete();
        }
    }

    std::unique_ptr<CWinApp> m_app;
    CString m_store;
    CString m_path;
};
} // namespace

TEST_F(WordProcessorChoice, RemembersTheTypeAndMakesItsWriter)
{
    IntSetting lastType("Settings", "Word Processor Format", 0);
    ScriptedDialog dialog;
    dialog.answerPath = m_path;
    dialog.answerType = 3;
    std::unique_ptr<StyledFileWriter> writer(ChooseWordProcessorWriter(dialog, lastType));
    EXPECT_EQ(kWordProcessorFilter, dialog.shownFilter);
    EXPECT_EQ(1, dialog.shownType);
    ASSERT_NE(nullptr, dynamic_cast<RtfWriter*>(writer.get()));
    EXPECT_EQ(2, static_cast<int>(m_app->GetProfileInt("Settings", "Word Processor Format", -1)));

    // The file is the writer's own: writing and ending the document closes it.
    writer->WriteHeader();
    writer->WriteTrailer();
    writer.reset();
    CFile written(m_path, CFile::modeRead);
    EXPECT_GT(written.GetLength(), 0u);
    written.Close();

    dialog.answerType = 4;
    writer.reset(ChooseWordProcessorWriter(dialog, lastType));
    EXPECT_EQ(3, dialog.shownType); // last time's choice is preselected
    EXPECT_NE(nullptr, dynamic_cast<HtmlWriter*>(writer.get()));
    writer.reset();

    dialog.ok = false;
    EXPECT_EQ(nullptr, ChooseWordProcessorWriter(dialog, lastType));
    EXPECT_EQ(3, lastType.Get());
}

TEST_F(WordProcessorChoice, TypesExtensionsAndFailures)
{
    struct Case
    {
        int type;
        const char* extension; // of type - 1
    } cases[] = {{1, "rtf"}, {2, "rtf"}, {3, "rtf"}, {4, "htm"}, {5, "txt"}};
    for (const Case& c : cases) {
        std::unique_ptr<StyledFileWriter> writer(MakeWordProcessorWriter(c.type));
        EXPECT_NE(nullptr, writer.get());
        EXPECT_STREQ(c.extension, WordProcessorExtension(c.type - 1));
    }
    EXPECT_NE(nullptr,
              dynamic_cast<TextWriter*>(std::unique_ptr<StyledFileWriter>(MakeWordProcessorWriter(5)).get()));
    EXPECT_STREQ("rtf", WordProcessorExtension(9)); // a damaged setting

    IntSetting lastType("Settings", "Word Processor Format", 0);
    ScriptedDialog dialog;
    dialog.answerPath = m_path;
    dialog.answerType = 6;
    try {
        ChooseWordProcessorWriter(dialog, lastType);
        ADD_FAILURE() << "type 6 was accepted";
    } catch (CNotSupportedException* e) {
        e->Delete();
    }

    dialog.answerType = 5;
    dialog.answerPath = m_path + "-missing-folder\\inner\\out.txt";
    try {
        ChooseWordProcessorWriter(dialog, lastType);
        ADD_FAILURE() << "an uncreatable file was accepted";
    } catch (CFileException* e) {
        EXPECT_NE(CString(), e->m_strFileName);
        e->Delete();
    }
}
