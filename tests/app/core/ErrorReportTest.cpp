// Error reports: which prompt each failure shows, through the scripted message box.
#include "app/core/ErrorReport.h"
#include "classlib/ClassLibIds.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <memory>

namespace {

const UINT kDefaultPrompt = AFX_IDP_FAILED_IO_ERROR_READ; // 61733

struct PromptCase
{
    const char* what;
    CException* (*make)();
    BOOL saving;
    UINT prompt; // 0: nothing shown
};

template <int Cause> CException* FileError()
{
    return new CFileException(Cause);
}

template <int Cause> CException* ArchiveError()
{
    return new CArchiveException(Cause);
}

CException* UserError()
{
    return new CUserException;
}

CException* MemoryError()
{
    return new CNotSupportedException;
}

TEST(ReportFileException, EveryKindAndCauseShowsItsPrompt)
{
    const PromptCase cases[] = {
        {"user", UserError, FALSE, 0},
        {"user, saving", UserError, TRUE, 0},
        {"archive none", ArchiveError<CArchiveException::none>, FALSE, kDefaultPrompt},
        {"archive generic", ArchiveError<CArchiveException::generic>, FALSE, kDefaultPrompt},
        {"archive readOnly", ArchiveError<CArchiveException::readOnly>, FALSE, kDefaultPrompt},
        {"archive endOfFile", ArchiveError<CArchiveException::endOfFile>, FALSE, 61728},
        {"archive writeOnly", ArchiveError<CArchiveException::writeOnly>, FALSE, kDefaultPrompt},
        {"archive badIndex", ArchiveError<CArchiveException::badIndex>, FALSE, 61728},
        {"archive badClass", ArchiveError<CArchiveException::badClass>, TRUE, 61728},
        {"archive badSchema", ArchiveError<CArchiveException::badSchema>, FALSE, 61728},
        {"file none", FileError<CFileException::none>, FALSE, kDefaultPrompt},
        {"file generic", FileError<CFileException::generic>, FALSE, kDefaultPrompt},
        {"file fileNotFound", FileError<CFileException::fileNotFound>, FALSE, 61729},
        {"file badPath", FileError<CFileException::badPath>, TRUE, 61729},
        {"file tooManyOpenFiles", FileError<CFileException::tooManyOpenFiles>, FALSE, kDefaultPrompt},
        {"file accessDenied, loading", FileError<CFileException::accessDenied>, FALSE, 61731},
        {"file accessDenied, saving", FileError<CFileException::accessDenied>, TRUE, 61732},
        {"file invalidFile", FileError<CFileException::invalidFile>, FALSE, kDefaultPrompt},
        {"file removeCurrentDir", FileError<CFileException::removeCurrentDir>, FALSE, kDefaultPrompt},
        {"file directoryFull", FileError<CFileException::directoryFull>, FALSE, kDefaultPrompt},
        {"file badSeek", FileError<CFileException::badSeek>, FALSE, kDefaultPrompt},
        {"file hardIO", FileError<CFileException::hardIO>, FALSE, kDefaultPrompt},
        {"file sharingViolation", FileError<CFileException::sharingViolation>, FALSE, kDefaultPrompt},
        {"file lockViolation", FileError<CFileException::lockViolation>, FALSE, kDefaultPrompt},
        {"file diskFull", FileError<CFileException::diskFull>, TRUE, 61730},
        {"file endOfFile", FileError<CFileException::endOfFile>, FALSE, kDefaultPrompt},
        {"other exception", MemoryError, FALSE, kDefaultPrompt},
    };
    for (const PromptCase& c : cases) {
        SCOPED_TRACE(c.what);
        CMessageBoxScript script;
        CException* e = c.make();
        ReportFileException("C:\\Data\\refs.ldt", e, c.saving, kDefaultPrompt);
        e->Delete();
        if (c.prompt == 0) {
            EXPECT_EQ(0, script.CallCount());
            continue;
        }
        ASSERT_EQ(1, script.CallCount());
        EXPECT_EQ(c.prompt, script.LastCall().helpId);
        EXPECT_EQ(UINT(MB_ICONEXCLAMATION), script.LastCall().type & MB_ICONMASK);
    }
}

TEST(ReportFileException, PromptNamesTheFileAndFileExceptionsLearnTheirPath)
{
    CMessageBoxScript script;
    CFileException* e = new CFileException(CFileException::accessDenied);
    ReportFileException("C:\\Data\\refs.ldt", e, TRUE, kDefaultPrompt);
    EXPECT_STREQ("C:\\Data\\refs.ldt", e->m_strFileName);
    e->Delete();
    ASSERT_EQ(1, script.CallCount());
    EXPECT_STREQ("Unable to write to refs.ldt, it is read-only or opened by someone else.",
                 script.LastCall().text);

    CFileException* named = new CFileException(CFileException::fileNotFound, -1, "C:\\Other\\x.ldt");
    ReportFileException("C:\\Data\\refs.ldt", named, FALSE, kDefaultPrompt);
    EXPECT_STREQ("C:\\Other\\x.ldt", named->m_strFileName); // an own name is kept
    named->Delete();
}

TEST(ShowErrorAndAbort, ShowsTheFormattedTextWithOkAndAbortsQuietly)
{
    CMessageBoxScript script;
    bool aborted = false;
    try {
        ShowErrorAndAbort(4111, "C:\\a.ldt", "b.ldt");
    } catch (CException* e) {
        aborted = e->IsKindOf(RUNTIME_CLASS(CUserException));
        ReportException(e); // the abort is already reported: nothing more is shown
        e->Delete();
    }
    EXPECT_TRUE(aborted);
    ASSERT_EQ(1, script.CallCount());
    EXPECT_STREQ("Cannot rename C:\\a.ldt to b.ldt: A file with the name you specified already exists. "
                 "Specify a different filename.",
                 script.LastCall().text);
    EXPECT_EQ(UINT(MB_OK), script.LastCall().type & MB_TYPEMASK);
}

TEST(ReportException, SkipsUserAndUndescribedAutomationErrorsAndShowsTheRest)
{
    InstallExceptionReporter();
    CMessageBoxScript script;
    std::unique_ptr<CException> user(new CUserException);
    ReportException(user.get());
    COleDispatchException silent("", 0, 0);
    ReportException(&silent);
    EXPECT_EQ(0, script.CallCount());

    COleDispatchException described("The server is busy.", 0, 0);
    ReportException(&described);
    CFileException file(CFileException::fileNotFound, -1, "C:\\x.ldt");
    ReportException(&file);
    ASSERT_EQ(2, script.CallCount());
    EXPECT_STREQ("The server is busy.", script.Calls()[0].text);
    EXPECT_EQ(UINT(MB_OK), script.Calls()[1].type & MB_TYPEMASK);
    EXPECT_NE(nullptr, std::strstr(script.Calls()[1].text, "x.ldt"));
}

} // namespace
