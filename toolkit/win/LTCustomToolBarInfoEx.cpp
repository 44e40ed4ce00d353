// LTCustomToolBarInfoEx: the profile and archive forms of a custom toolbar's title and buttons.
#include "toolkit/win/LTCustomToolBarInfoEx.h"

#include "classlib/Exceptions.h"
#include "classlib/WinApp.h"

namespace {

void PutU32(std::vector<BYTE>& out, UINT v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(v >> (8 * i)));
}

} // namespace

std::vector<BYTE> LTCustomToolBarInfoEx::ButtonsValue() const
{
    std::vector<BYTE> value;
    for (const LTToolBarButtonRecord& record : m_buttons) {
        PutU32(value, record.nID);
        const size_t nLength = record.data.size() < 255 ? record.data.size() : 255;
        value.push_back(static_cast<BYTE>(nLength));
        value.insert(value.end(), record.data.begin(), record.data.begin() + static_cast<long>(nLength));
    }
    return value;
}

std::vector<LTToolBarButtonRecord> LTCustomToolBarInfoEx::ParseButtonsValue(const BYTE* pData, UINT nSize)
{
    std::vector<LTToolBarButtonRecord> records;
    UINT nPos = 0;
    while (pData != nullptr && nPos + 5 <= nSize) {
        const UINT nID = pData[nPos] | (pData[nPos + 1] << 8) | (pData[nPos + 2] << 16) |
                         (static_cast<UINT>(pData[nPos + 3]) << 24);
        const UINT nLength = pData[nPos + 4];
        nPos += 5;
        if (nPos + nLength > nSize)
            break;
        records.push_back({nID, std::vector<BYTE>(pData + nPos, pData + nPos + nLength)});
        nPos += nLength;
    }
    return records;
}

void LTCustomToolBarInfoEx::SaveToProfile(LPCTSTR lpszSection) const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    if (!m_strTitle.IsEmpty())
        pApp->WriteProfileString(lpszSection, "Title", m_strTitle);
    std::vector<BYTE> value = ButtonsValue();
    pApp->WriteProfileBinary(lpszSection, "Buttons", value.data(), static_cast<UINT>(value.size()));
}

void LTCustomToolBarInfoEx::LoadFromProfile(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    m_strTitle = pApp->GetProfileString(lpszSection, "Title", "");
    BYTE* pData = nullptr;
    UINT nSize = 0;
    m_buttons.clear();
    if (pApp->GetProfileBinary(lpszSection, "Buttons", &pData, &nSize) && pData != nullptr)
        m_buttons = ParseButtonsValue(pData, nSize);
    delete[] pData;
}

void LTCustomToolBarInfoEx::ArchiveState(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strTitle;
        ar << static_cast<DWORD>(m_buttons.size());
        for (const LTToolBarButtonRecord& record : m_buttons) {
            ar << static_cast<DWORD>(record.nID);
            const BYTE nLength = static_cast<BYTE>(record.data.size() < 255 ? record.data.size() : 255);
            ar << nLength;
            if (nLength > 0)
                ar.Write(record.data.data(), nLength);
        }
        return;
    }
    CString title;
    DWORD nCount = 0;
    ar >> title;
    ar >> nCount;
    std::vector<LTToolBarButtonRecord> records;
    for (DWORD i = 0; i < nCount; ++i) {
        DWORD nID = 0;
        BYTE nLength = 0;
        ar >> nID;
        ar >> nLength;
        std::vector<BYTE> data(nLength);
        if (nLength > 0 && ar.Read(data.data(), nLength) != nLength)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        records.push_back({nID, std::move(data)});
    }
    m_strTitle = title;
    m_buttons.swap(records);
}
