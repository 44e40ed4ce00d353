#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

#include <string.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A fresh folder holding one sub-folder "sub" and one file "file.txt".
class OsFailureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
#ifdef _WIN32
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
        m_root.Format("%slv_h1_%lu_%lu", temp, GetCurrentProcessId(), GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(m_root, nullptr));
        ASSERT_TRUE(CreateDirectoryA(Path("sub"), nullptr));
        HANDLE h = CreateFileA(Path("file.txt"), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        CloseHandle(h);
#else
        char templ[] = "/tmp/lv_h1_XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(templ));
        m_root = templ;
        ASSERT_EQ(0, mkdir(Path("sub"), 0700));
        const int fd = open(Path("file.txt"), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        close(fd);
#endif
    }

    void TearDown() override
    {
#ifdef _WIN32
        DeleteFileA(Path("file.txt"));
        RemoveDirectoryA(Path("sub"));
        RemoveDirectoryA(m_root);
#else
        unlink(Path("file.txt"));
        rmdir(Path("sub"));
        rmdir(m_root);
#endif
    }

    CString Path(LPCTSTR lpszName) const
    {
#ifdef _WIN32
        return m_root + "\\" + lpszName;
#else
        return m_root + "/" + lpszName;
#endif
    }

    // Opens the path as a file for reading and writing; returns the cause of the failure.
    static int OpenFailureCause(const CString& path, LONG& lOsError)
    {
#ifdef _WIN32
        HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return -1;
        }
        lOsError = (LONG)GetLastError();
        return CFileException::OsErrorToException(lOsError);
#else
        const int fd = open(path, O_RDWR);
        if (fd >= 0) {
            close(fd);
            return -1;
        }
        lOsError = errno;
        return CFileException::ErrnoToException(errno, path);
#endif
    }

    CString m_root;
};

TEST_F(OsFailureTest, FailingOpensMapToTheirCauses)
{
    struct
    {
        const char* name;
        int cause;
    } const cases[] = {
        {"missing.txt", CFileException::fileNotFound},
#ifdef _WIN32
        {"nofolder\\missing.txt", CFileException::badPath},
        {"file.txt\\inner.txt", CFileException::badPath},
#else
        {"nofolder/missing.txt", CFileException::badPath},
        {"file.txt/inner.txt", CFileException::badPath},
#endif
        {"sub", CFileException::accessDenied},
    };
    for (const auto& c : cases) {
        LONG lOsError = 0;
        EXPECT_EQ(c.cause, OpenFailureCause(Path(c.name), lOsError)) << c.name << ", OS error " << lOsError;
    }
}

TEST_F(OsFailureTest, ThrownFileExceptionCarriesCauseErrorAndName)
{
    const CString path = Path("missing.txt");
    LONG lOsError = 0;
    ASSERT_EQ(CFileException::fileNotFound, OpenFailureCause(path, lOsError));
    try {
#ifdef _WIN32
        CFileException::ThrowOsError(lOsError, path);
#else
        CFileException::ThrowErrno((int)lOsError, path);
#endif
        FAIL() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        EXPECT_EQ(lOsError, e->m_lOsError);
        EXPECT_EQ(path, e->m_strFileName);
        EXPECT_NE(-1, e->GetErrorText().Find(path));
        e->Delete();
    }
}

TEST(ExceptionsTest, ThrownAsDerivedPointersAndCaughtByBase)
{
    try {
        AfxThrowArchiveException(CArchiveException::badSchema, "x.dat");
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::badSchema, e->m_cause);
        EXPECT_EQ(CString("x.dat"), e->m_strFileName);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        EXPECT_FALSE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        e->Delete();
    }
    int caught = 0;
    void (*throwers[])() = {[] { AfxThrowUserException(); }, [] { AfxThrowNotSupportedException(); },
                            [] { AfxThrowMemoryException(); },
                            [] { AfxThrowFileException(CFileException::diskFull); },
                            [] { AfxThrowOleDispatchException(0, "no such record"); }};
    for (auto pfn : throwers) {
        try {
            pfn();
        } catch (CException* e) {
            ++caught;
            e->Delete(); // the static memory exception survives this
        }
    }
    EXPECT_EQ(5, caught);
    // The memory exception is one preallocated object.
    CException* p1 = nullptr;
    CException* p2 = nullptr;
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* e) {
        p1 = e;
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        p2 = e;
        e->Delete();
    }
    EXPECT_EQ(p1, p2);
}

TEST(ExceptionsTest, ErrorMessages)
{
    CFileException fe(CFileException::accessDenied, 5, "C:\\data\\refs.ldb");
    char buf[16];
    UINT nHelp = 99;
    EXPECT_TRUE(fe.GetErrorMessage(buf, sizeof(buf), &nHelp));
    EXPECT_EQ(15u, strlen(buf)); // cut to the buffer
    EXPECT_EQ((UINT)CFileException::accessDenied, nHelp);
    EXPECT_NE(-1, fe.GetErrorText().Find("C:\\data\\refs.ldb"));

    // Texts come from the string table, one per cause.
    EXPECT_EQ(CString("C:\\x.ldb was not found."),
              CFileException(CFileException::fileNotFound, 2, "C:\\x.ldb").GetErrorText());
    EXPECT_EQ(CString("refs.ldb contains an incorrect schema."),
              CArchiveException(CArchiveException::badSchema, "refs.ldb").GetErrorText());
    EXPECT_NE(-1, CArchiveException(CArchiveException::endOfFile).GetErrorText().Find("an unnamed file"));
    EXPECT_FALSE(CFileException(99).GetErrorText().IsEmpty()); // an unknown cause still reads

    // The automation exception's text is its description; without one there is none.
    COleDispatchException withText("Record not found", 0, 0);
    EXPECT_EQ(CString("Record not found"), withText.GetErrorText());
    COleDispatchException without(nullptr, 0, 0);
    EXPECT_FALSE(without.GetErrorMessage(buf, sizeof(buf)));
    EXPECT_FALSE(CUserException().GetErrorMessage(buf, sizeof(buf)));
    EXPECT_EQ('\0', buf[0]);
}

TEST(ExceptionsTest, OsErrorTable)
{
    struct
    {
        LONG err;
        int cause;
    } const cases[] = {
        {2, CFileException::fileNotFound},     {3, CFileException::badPath},
        {4, CFileException::tooManyOpenFiles}, {5, CFileException::accessDenied},
        {6, CFileException::invalidFile},      {32, CFileException::sharingViolation},
        {33, CFileException::lockViolation},   {38, CFileException::endOfFile},
        {112, CFileException::diskFull},       {131, CFileException::badSeek},
        {30, CFileException::hardIO},          {123, CFileException::badPath},
        {9999, CFileException::generic},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.cause, CFileException::OsErrorToException(c.err)) << c.err;
}

} // namespace
