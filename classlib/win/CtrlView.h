// CCtrlView: a view that is a control of a given window class (an edit, a list, a tree...).
//
// The control paints itself and keeps its own state; the view adds what views have (its document,
// command routing, initial update, activation in the frame).
#pragma once

#include "classlib/win/View.h"

class CCtrlView : public CView
{
    DECLARE_DYNAMIC(CCtrlView)

public:
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);
    void OnDraw(CDC*) override {}

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CString m_strClass;
    DWORD m_dwDefaultStyle;
};
