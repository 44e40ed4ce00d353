// A small document class, an application object with a scriptable file-name prompt and scratch paths,
// for the document tests.
#pragma once

#include "classlib/Document.h"
#include "classlib/WinApp.h"

class CNoteDoc : public CDocument
{
    DECLARE_DYNCREATE(CNoteDoc)

public:
    ~CNoteDoc() override { ++s_destroyed; }
    void Serialize(CArchive& ar) override;
    void DeleteContents() override;

    CString m_text; // stored as one archive string
    int m_deleteContentsCalls = 0;
    static int s_destroyed;
};

class TestApp : public CWinApp
{
public:
    TestApp() : CWinApp("DocTests") {}
    BOOL DoPromptFileName(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*) override
    {
        m_lastPromptStart = fileName;
        if (m_promptAnswer.IsEmpty())
            return FALSE;
        fileName = m_promptAnswer;
        return TRUE;
    }
    CString m_promptAnswer; // empty: the user cancels
    CString m_lastPromptStart;
};

// A unique path in the temporary folder (a Windows path in both builds).
CString ScratchPath(const char* tag);
void RemoveQuietly(const char* path);
