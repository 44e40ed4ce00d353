// CChooseWorkformDlg: "Choose Workform" (dialog 3078), which workform a
// user-defined workform letter stands for; the list holds every workform of
// the table in table order, the first selected. CDialogWorkformLetterChooser
// asks an import's question through it.
#pragma once

#include "classlib/win/ComboBox.h"
#include "classlib/win/Dialog.h"
#include "exchange/delimited/WorkformLetterChooser.h"

class CChooseWorkformDlg : public CDialog
{
public:
    enum : UINT
    {
        IDD = 3078,
        IDC_QUESTION = 2361,
        IDC_WORKFORMS = 2362,
    };

    CChooseWorkformDlg(char letter, CWnd* pParent = nullptr);

    // After OK: the chosen workform's ID.
    int16_t m_chosenId;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    char m_letter;
    int m_index;
};

class CDialogWorkformLetterChooser : public IWorkformLetterChooser
{
public:
    BOOL ChooseWorkform(char letter, int16_t& id) override;
};

// Installs the importer of database documents and this chooser for imports
// (at start-up of the program).
void InstallDelimitedExchangeWindows();
