// CControlBarInfo and CDockState: the profile and archive forms of a frame's bar layout.
#include "classlib/win/DockState.h"

#include "classlib/Exceptions.h"
#include "classlib/Profile.h"
#include "classlib/win/ControlBar.h"

#include <algorithm>
#include <cstdio>

IMPLEMENT_SERIAL(CDockState, CObject, 0)

namespace {

CString Format(LPCTSTR lpszFormat, LPCTSTR lpszName, int n)
{
    char text[512];
    std::snprintf(text, sizeof text, lpszFormat, lpszName, n);
    return CString(text);
}

CString BarSection(LPCTSTR lpszProfileName, int nIndex)
{
    return Format("%s-Bar%d", lpszProfileName, nIndex);
}

CString SummarySection(LPCTSTR lpszProfileName)
{
    return CString(lpszProfileName) + "-Summary";
}

CString EntryName(int n)
{
    char text[16];
    std::snprintf(text, sizeof text, "Bar#%d", n);
    return CString(text);
}

// A value that is missing reads as this.
const int kMissing = static_cast<int>(0x80000000);

int GetInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return static_cast<int>(AfxGetProfile().GetProfileInt(lpszSection, lpszEntry, nDefault));
}

void PutInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    AfxGetProfile().WriteProfileInt(lpszSection, lpszEntry, nValue);
}

} // namespace

CControlBarInfo::CControlBarInfo()
    : m_nBarID(0), m_bVisible(FALSE), m_bFloating(FALSE), m_bHorz(FALSE), m_bDockBar(FALSE), m_pointPos(0, 0),
      m_nMRUWidth(32767), m_bDocking(FALSE), m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0),
      m_dwMRUFloatStyle(0), m_ptMRUFloatPos(-1, -1), m_pBar(nullptr)
{
}

BOOL CControlBarInfo::IsDockBarID(UINT nID)
{
    return nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_FLOAT;
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    if (m_nBarID == 0)
        return FALSE;
    if (m_bDockBar) {
        BOOL bAnyEntry = FALSE;
        for (int i = 0; i < m_arrBarID.GetSize(); ++i)
            bAnyEntry = bAnyEntry || m_arrBarID[i] != 0;
        if (!bAnyEntry)
            return FALSE;
    }
    const CString section = BarSection(lpszProfileName, nIndex);
    // Nothing of an earlier save of this section may stay behind.
    AfxGetProfile().WriteProfileString(section, nullptr, nullptr);
    PutInt(section, "BarID", static_cast<int>(m_nBarID));
    PutInt(section, "Visible", m_bVisible ? 1 : 0);
    PutInt(section, "Horz", m_bHorz ? 1 : 0);
    PutInt(section, "Floating", m_bFloating ? 1 : 0);
    PutInt(section, "XPos", m_pointPos.x);
    PutInt(section, "YPos", m_pointPos.y);
    PutInt(section, "MRUWidth", static_cast<int>(m_nMRUWidth));
    PutInt(section, "Docking", m_bDocking ? 1 : 0);
    if (m_bDocking) {
        PutInt(section, "MRUDockID", static_cast<int>(m_uMRUDockID));
        PutInt(section, "MRUDockLeftPos", m_rectMRUDockPos.left);
        PutInt(section, "MRUDockTopPos", m_rectMRUDockPos.top);
        PutInt(section, "MRUDockRightPos", m_rectMRUDockPos.right);
        PutInt(section, "MRUDockBottomPos", m_rectMRUDockPos.bottom);
        PutInt(section, "MRUFloatStyle", static_cast<int>(m_dwMRUFloatStyle));
        PutInt(section, "MRUFloatXPos", m_ptMRUFloatPos.x);
        PutInt(section, "MRUFloatYPos", m_ptMRUFloatPos.y);
    }
    if (m_bDockBar) {
        PutInt(section, "Bars", static_cast<int>(m_arrBarID.GetSize()));
        for (int i = 0; i < m_arrBarID.GetSize(); ++i)
            PutInt(section, EntryName(i), static_cast<int>(m_arrBarID[i]));
    }
    return TRUE;
}

// Positions saved on another screen: docked ones scaled, floating ones kept on it.
void CControlBarInfo::FitToScreen(CDockState& dockState)
{
    if (m_bFloating)
        dockState.ClipPoint(m_pointPos);
    else
        dockState.ScalePoint(m_pointPos);
    dockState.ScaleRectPos(m_rectMRUDockPos);
    if (m_ptMRUFloatPos.x >= 0 && m_ptMRUFloatPos.y >= 0)
        dockState.ClipPoint(m_ptMRUFloatPos);
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState)
{
    const CString section = BarSection(lpszProfileName, nIndex);
    m_nBarID = static_cast<UINT>(GetInt(section, "BarID", 0));
    if (m_nBarID == 0)
        return FALSE;
    m_bVisible = GetInt(section, "Visible", 1) != 0;
    m_bHorz = GetInt(section, "Horz", 1) != 0;
    m_bFloating = GetInt(section, "Floating", 0) != 0;
    m_pointPos = CPoint(GetInt(section, "XPos", -1), GetInt(section, "YPos", -1));
    m_nMRUWidth = static_cast<UINT>(GetInt(section, "MRUWidth", 32767));
    m_bDocking = GetInt(section, "Docking", 0) != 0;
    if (m_bDocking) {
        m_uMRUDockID = static_cast<UINT>(GetInt(section, "MRUDockID", 0));
        m_rectMRUDockPos =
            CRect(GetInt(section, "MRUDockLeftPos", 0), GetInt(section, "MRUDockTopPos", 0),
                  GetInt(section, "MRUDockRightPos", 0), GetInt(section, "MRUDockBottomPos", 0));
        m_dwMRUFloatStyle = static_cast<DWORD>(GetInt(section, "MRUFloatStyle", 0));
        m_ptMRUFloatPos = CPoint(GetInt(section, "MRUFloatXPos", -1), GetInt(section, "MRUFloatYPos", -1));
        if (m_uMRUDockID != 0 && !IsDockBarID(m_uMRUDockID))
            m_uMRUDockID = 0;
    }
    m_arrBarID.RemoveAll();
    const int nEntries = GetInt(section, "Bars", kMissing);
    m_bDockBar = nEntries != kMissing;
    if (m_bDockBar) {
        if (!IsDockBarID(m_nBarID) || nEntries < 0 || nEntries > 0xFFFF)
            return FALSE;
        for (int i = 0; i < nEntries; ++i) {
            const int nEntry = GetInt(section, EntryName(i), kMissing);
            if (nEntry == kMissing)
                return FALSE; // the count runs past the entries
            m_arrBarID.Add(static_cast<DWORD>(nEntry));
        }
        m_bFloating = m_nBarID == AFX_IDW_DOCKBAR_FLOAT;
    } else if (IsDockBarID(m_nBarID)) {
        return FALSE; // a dock bar id without the dock bar's entries
    }
    if (pDockState != nullptr)
        FitToScreen(*pDockState);
    return TRUE;
}

void CControlBarInfo::Serialize(CArchive& ar, CDockState* pDockState)
{
    const DWORD dwVersion = pDockState != nullptr ? pDockState->m_dwVersion : 2;
    if (ar.IsStoring()) {
        ar << static_cast<unsigned int>(m_nBarID) << static_cast<unsigned int>(m_bVisible ? 1 : 0)
           << static_cast<unsigned int>(m_bFloating ? 1 : 0) << static_cast<unsigned int>(m_bHorz ? 1 : 0)
           << static_cast<int>(m_pointPos.x) << static_cast<int>(m_pointPos.y);
        if (dwVersion > 1) {
            ar << static_cast<unsigned int>(m_nMRUWidth) << static_cast<unsigned int>(m_bDocking ? 1 : 0);
            if (m_bDocking) {
                ar << static_cast<unsigned int>(m_uMRUDockID) << static_cast<int>(m_rectMRUDockPos.left)
                   << static_cast<int>(m_rectMRUDockPos.top) << static_cast<int>(m_rectMRUDockPos.right)
                   << static_cast<int>(m_rectMRUDockPos.bottom)
                   << static_cast<unsigned int>(m_dwMRUFloatStyle) << static_cast<int>(m_ptMRUFloatPos.x)
                   << static_cast<int>(m_ptMRUFloatPos.y);
            }
        }
        ar << static_cast<unsigned short>(m_arrBarID.GetSize());
        for (int i = 0; i < m_arrBarID.GetSize(); ++i)
            ar << static_cast<unsigned int>(m_arrBarID[i]);
        return;
    }
    unsigned int nID = 0, nVisible = 0, nFloating = 0, nHorz = 0;
    int x = 0, y = 0;
    ar >> nID >> nVisible >> nFloating >> nHorz >> x >> y;
    m_nBarID = nID;
    m_bVisible = nVisible != 0;
    m_bFloating = nFloating != 0;
    m_bHorz = nHorz != 0;
    m_pointPos = CPoint(x, y);
    if (dwVersion > 1) {
        unsigned int nMRUWidth = 0, nDocking = 0;
        ar >> nMRUWidth >> nDocking;
        m_nMRUWidth = nMRUWidth;
        m_bDocking = nDocking != 0;
        if (m_bDocking) {
            unsigned int nDockID = 0, nFloatStyle = 0;
            int l = 0, t = 0, r = 0, b = 0, fx = 0, fy = 0;
            ar >> nDockID >> l >> t >> r >> b >> nFloatStyle >> fx >> fy;
            m_uMRUDockID = nDockID;
            m_rectMRUDockPos = CRect(l, t, r, b);
            m_dwMRUFloatStyle = nFloatStyle;
            m_ptMRUFloatPos = CPoint(fx, fy);
        }
    }
    unsigned short nEntries = 0;
    ar >> nEntries;
    m_arrBarID.RemoveAll();
    for (unsigned short i = 0; i < nEntries; ++i) {
        unsigned int nEntry = 0;
        ar >> nEntry;
        m_arrBarID.Add(nEntry);
    }
    m_bDockBar = IsDockBarID(m_nBarID);
    if (pDockState != nullptr)
        FitToScreen(*pDockState);
}

CDockState::CDockState()
    : m_dwVersion(2), m_bScaling(FALSE), m_rectDevice(0, 0, 0, 0), m_rectClip(0, 0, 0, 0), m_sizeDevice(0, 0)
{
}

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    for (int i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete GetInfo(i);
    m_arrBarInfo.RemoveAll();
}

CSize CDockState::GetScreenSize()
{
    const CSize size(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    m_rectDevice = CRect(0, 0, size.cx, size.cy);
    // A frame's top-left stays where its caption can still be reached.
    m_rectClip =
        CRect(0, 0, size.cx - ::GetSystemMetrics(SM_CXICON), size.cy - ::GetSystemMetrics(SM_CYICON));
    return size;
}

void CDockState::SetScreenSize(const CSize& size)
{
    const CSize sizeScreen = GetScreenSize();
    m_sizeDevice = size;
    m_bScaling = size.cx > 0 && size.cy > 0 && size != sizeScreen;
}

void CDockState::ScalePoint(CPoint& pt) const
{
    if (!m_bScaling)
        return;
    pt.x = MulDiv(pt.x, m_rectDevice.Width(), m_sizeDevice.cx);
    pt.y = MulDiv(pt.y, m_rectDevice.Height(), m_sizeDevice.cy);
}

void CDockState::ScaleRectPos(CRect& rect) const
{
    CPoint pt = rect.TopLeft();
    ScalePoint(pt);
    rect.OffsetRect(pt - rect.TopLeft());
}

void CDockState::ClipPoint(CPoint& pt) const
{
    ScalePoint(pt);
    if (m_rectClip.IsRectEmpty())
        return;
    pt.x = std::max(m_rectClip.left, std::min<LONG>(pt.x, m_rectClip.right));
    pt.y = std::max(m_rectClip.top, std::min<LONG>(pt.y, m_rectClip.bottom));
}

void CDockState::SaveState(LPCTSTR lpszProfileName)
{
    const CString summary = SummarySection(lpszProfileName);
    const int nOldCount = GetInt(summary, "Bars", 0);
    int nIndex = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (GetInfo(i)->SaveState(lpszProfileName, nIndex))
            ++nIndex;
    }
    for (int i = nIndex; i < nOldCount; ++i)
        AfxGetProfile().WriteProfileString(BarSection(lpszProfileName, i), nullptr, nullptr);
    const CSize size = GetScreenSize();
    PutInt(summary, "Bars", nIndex);
    PutInt(summary, "ScreenCX", size.cx);
    PutInt(summary, "ScreenCY", size.cy);
}

void CDockState::LoadState(LPCTSTR lpszProfileName)
{
    Clear();
    const CString summary = SummarySection(lpszProfileName);
    const int nCount = GetInt(summary, "Bars", 0);
    SetScreenSize(CSize(GetInt(summary, "ScreenCX", 0), GetInt(summary, "ScreenCY", 0)));
    for (int i = 0; i < nCount && i < 0x10000; ++i) {
        auto* pInfo = new CControlBarInfo;
        if (pInfo->LoadState(lpszProfileName, i, this))
            m_arrBarInfo.Add(pInfo);
        else
            delete pInfo;
    }
    m_dwVersion = 2;
}

void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        const CSize size = GetScreenSize();
        ar << static_cast<unsigned int>(m_dwVersion);
        if (m_dwVersion > 1)
            ar << static_cast<int>(size.cx) << static_cast<int>(size.cy);
        ar << static_cast<unsigned short>(GetCount());
        for (int i = 0; i < GetCount(); ++i)
            GetInfo(i)->Serialize(ar, this);
        return;
    }
    Clear();
    unsigned int nVersion = 0;
    ar >> nVersion;
    if (nVersion < 1 || nVersion > 2)
        AfxThrowArchiveException(CArchiveException::badSchema);
    m_dwVersion = nVersion;
    CSize size(0, 0);
    if (nVersion > 1) {
        int cx = 0, cy = 0;
        ar >> cx >> cy;
        size = CSize(cx, cy);
    }
    SetScreenSize(size);
    unsigned short nCount = 0;
    ar >> nCount;
    try {
        for (unsigned short i = 0; i < nCount; ++i) {
            auto* pInfo = new CControlBarInfo;
            m_arrBarInfo.Add(pInfo);
            pInfo->Serialize(ar, this);
        }
    } catch (...) {
        Clear();
        m_dwVersion = 2;
        throw;
    }
    m_dwVersion = 2;
}
