// The bar layout saved to the profile and restored on a new frame, damaged profiles, and the archive form.
#include "DockingTestSupport.h"

#include "classlib/MemFile.h"
#include "classlib/Profile.h"
#include "classlib/win/DockState.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

const char* const kBase = "Toolbars\\Test";

class DockStateTest : public ::testing::Test, public DockingFixture
{
protected:
    RecordingApp app;

    void SetUp() override
    {
        app.SetRegistryKey("Lorvane Test");
        app.SetProfileName("Dock State Test");
        app.DeleteProfileTree();
        MakeFrame(app);
        MakeBars();
    }
    void TearDown() override
    {
        Destroy();
        app.DeleteProfileTree();
    }
    int Int(const std::string& section, const char* entry, int nDefault = -999)
    {
        return static_cast<int>(
            AfxGetProfile().GetProfileInt((std::string(kBase) + section).c_str(), entry, nDefault));
    }
    void PutInt(const std::string& section, const char* entry, int nValue)
    {
        AfxGetProfile().WriteProfileInt((std::string(kBase) + section).c_str(), entry, nValue);
    }
    // Every docked bar is in its dock bar's array exactly once.
    void ExpectConsistent()
    {
        for (TestBar* pBar : bars) {
            if (pBar == nullptr)
                continue;
            ASSERT_NE(nullptr, pBar->m_pDockBar);
            int nCount = 0;
            for (int i = 0; i < pBar->m_pDockBar->m_arrBars.GetSize(); ++i)
                nCount += pBar->m_pDockBar->m_arrBars[i] == pBar ? 1 : 0;
            EXPECT_EQ(1, nCount);
            EXPECT_EQ(pBar->m_pDockBar->m_hWnd, ::GetParent(pBar->m_hWnd));
        }
    }
    CRect FloatingFrameRect(CControlBar* pBar)
    {
        CRect rect;
        pBar->m_pDockBar->GetParent()->GetWindowRect(&rect);
        return rect;
    }
    // Two bars in one top row, the second hidden, the third floating.
    void Arrange()
    {
        DockInOneRow();
        frame->FloatControlBar(bars[2], CPoint(300, 260), CBRS_ALIGN_TOP);
        frame->ShowControlBar(bars[1], FALSE, FALSE);
        frame->RecalcLayout();
    }
};

TEST_F(DockStateTest, BarsComeBackWhereTheyWereOnANewFrame)
{
    Arrange();
    const CRect rectFirst = RectInParent(bars[0]);
    const CRect rectSecond = RectInParent(bars[1]);
    const CRect rectFloating = FloatingFrameRect(bars[2]);
    // An earlier, longer save leaves sections this one does not use.
    PutInt("-Summary", "Bars", 8);
    PutInt("-Bar7", "BarID", ID_BAR_ONE);
    frame->SaveBarState(kBase);

    // The top dock bar, the three bars, the floating frame's dock bar: the empty sides are left out.
    EXPECT_EQ(5, Int("-Summary", "Bars"));
    const int expectedIDs[] = {AFX_IDW_DOCKBAR_TOP, ID_BAR_ONE, ID_BAR_TWO, ID_BAR_THREE,
                               AFX_IDW_DOCKBAR_FLOAT};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(expectedIDs[i], Int("-Bar" + std::to_string(i), "BarID")) << i;
    EXPECT_EQ(-999, Int("-Bar5", "BarID"));
    EXPECT_EQ(-999, Int("-Bar7", "BarID"));
    EXPECT_EQ(0, Int("-Bar2", "Visible"));
    // Row: first, second, placeholder of the third, end.
    EXPECT_EQ(4, Int("-Bar0", "Bars"));
    EXPECT_EQ(static_cast<int>(CControlBarInfo::placeHolderFlag | ID_BAR_THREE), Int("-Bar0", "Bar#2"));

    Destroy();
    MakeFrame(app);
    MakeBars();
    for (TestBar* pBar : bars)
        frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_BOTTOM);
    frame->RecalcLayout();
    frame->LoadBarState(kBase);
    ExpectConsistent();
    EXPECT_EQ(Side(AFX_IDW_DOCKBAR_TOP), bars[0]->m_pDockBar);
    EXPECT_EQ(Side(AFX_IDW_DOCKBAR_TOP), bars[1]->m_pDockBar);
    EXPECT_EQ(rectFirst, RectInParent(bars[0]));
    EXPECT_EQ(rectSecond, RectInParent(bars[1]));
    EXPECT_FALSE(bars[1]->IsWindowVisible());
    EXPECT_TRUE(bars[0]->IsWindowVisible());
    ASSERT_TRUE(bars[2]->IsFloating());
    EXPECT_EQ(rectFloating.TopLeft(), FloatingFrameRect(bars[2]).TopLeft());
    EXPECT_TRUE(bars[2]->m_pDockBar->GetParent()->IsWindowVisible());
    EXPECT_EQ((std::vector<int>{0, 1, 102, -1}), Entries(Side(AFX_IDW_DOCKBAR_TOP)));
    EXPECT_EQ(0, Side(AFX_IDW_DOCKBAR_BOTTOM)->GetDockedCount());
    // The placeholder still brings the third bar home.
    bars[2]->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ((std::vector<int>{0, 1, 2, -1}), Entries(Side(AFX_IDW_DOCKBAR_TOP)));
}

TEST_F(DockStateTest, ARecordOfABarThatIsGoneDoesNotKeepTheOthersBack)
{
    Arrange();
    const CRect rectFirst = RectInParent(bars[0]);
    const CRect rectFloating = FloatingFrameRect(bars[2]);
    frame->SaveBarState(kBase);
    Destroy();
    MakeFrame(app);
    MakeBars(1);
    frame->DockControlBar(bars[0], AFX_IDW_DOCKBAR_LEFT);
    frame->DockControlBar(bars[2], AFX_IDW_DOCKBAR_LEFT);
    frame->LoadBarState(kBase);
    ExpectConsistent();
    EXPECT_EQ(Side(AFX_IDW_DOCKBAR_TOP), bars[0]->m_pDockBar);
    EXPECT_EQ(rectFirst, RectInParent(bars[0]));
    ASSERT_TRUE(bars[2]->IsFloating());
    EXPECT_EQ(rectFloating.TopLeft(), FloatingFrameRect(bars[2]).TopLeft());
}

// A damaged or foreign profile: the record that cannot be placed is dropped, and the bars stay where the
// program put them, each docked once.
TEST_F(DockStateTest, DamagedRecordsAreDroppedAndTheBarsKeepTheirDefaultPlaces)
{
    DockInOneRow();
    const CRect rectFirst = RectInParent(bars[0]);
    const struct
    {
        const char* what;
        int nBarID;
        int nEntries; // -1: a plain bar's record
        int nValues;  // "Bar#" values present
    } cases[] = {
        {"a bar that does not exist", AFX_IDW_CONTROLBAR_FIRST + 0x70, -1, 0},
        {"a dock bar id outside the dock bars", AFX_IDW_CONTROLBAR_FIRST + 0x30, 2, 2},
        {"a row count past the entries", AFX_IDW_DOCKBAR_TOP, 6, 2},
        {"a dock bar id as a plain bar", AFX_IDW_DOCKBAR_LEFT, -1, 0},
    };
    for (const auto& c : cases) {
        app.DeleteProfileTree();
        PutInt("-Summary", "Bars", 1);
        PutInt("-Bar0", "BarID", c.nBarID);
        PutInt("-Bar0", "XPos", 5);
        PutInt("-Bar0", "YPos", 5);
        if (c.nEntries >= 0) {
            PutInt("-Bar0", "Bars", c.nEntries);
            // The damaged rows would take the first bar away from its place.
            const int values[] = {ID_BAR_ONE, 0};
            for (int i = 0; i < c.nValues; ++i)
                PutInt("-Bar0", ("Bar#" + std::to_string(i)).c_str(), values[i % 2]);
        }
        frame->LoadBarState(kBase);
        frame->RecalcLayout();
        ExpectConsistent();
        EXPECT_EQ((std::vector<int>{0, 1, 2, -1}), Entries(Side(AFX_IDW_DOCKBAR_TOP))) << c.what;
        EXPECT_EQ(rectFirst, RectInParent(bars[0])) << c.what;
    }
    // No summary: nothing changes.
    app.DeleteProfileTree();
    frame->LoadBarState(kBase);
    EXPECT_EQ((std::vector<int>{0, 1, 2, -1}), Entries(Side(AFX_IDW_DOCKBAR_TOP)));
}

// --- the archive form

class Bytes
{
public:
    std::vector<uint8_t> data;
    Bytes& u32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes& i32(int32_t v) { return u32(static_cast<uint32_t>(v)); }
    Bytes& u16(uint16_t v)
    {
        data.push_back(static_cast<uint8_t>(v));
        data.push_back(static_cast<uint8_t>(v >> 8));
        return *this;
    }
};

std::vector<uint8_t> Store(CDockState& state)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    const UINT nLength = static_cast<UINT>(file.GetLength());
    BYTE* pData = file.Detach();
    std::vector<uint8_t> bytes(pData, pData + nLength);
    free(pData);
    return bytes;
}

void Load(CDockState& state, std::vector<uint8_t> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    state.Serialize(ar);
}

TEST(DockStateArchive, TheArchiveFormRoundTripsByteForByte)
{
    CDockState state;
    auto* pBar = new CControlBarInfo;
    pBar->m_nBarID = ID_BAR_ONE;
    pBar->m_bVisible = TRUE;
    pBar->m_bHorz = TRUE;
    pBar->m_pointPos = CPoint(-2, 22);
    pBar->m_nMRUWidth = 150;
    pBar->m_bDocking = TRUE;
    pBar->m_uMRUDockID = AFX_IDW_DOCKBAR_TOP;
    pBar->m_rectMRUDockPos = CRect(-2, 22, 98, 48);
    pBar->m_dwMRUFloatStyle = CBRS_ALIGN_TOP;
    pBar->m_ptMRUFloatPos = CPoint(300, 260);
    state.m_arrBarInfo.Add(pBar);
    auto* pDock = new CControlBarInfo;
    pDock->m_nBarID = AFX_IDW_DOCKBAR_TOP;
    pDock->m_bDockBar = TRUE;
    pDock->m_bVisible = TRUE;
    pDock->m_bHorz = TRUE;
    pDock->m_arrBarID.Add(ID_BAR_ONE);
    pDock->m_arrBarID.Add(CControlBarInfo::placeHolderFlag | ID_BAR_TWO);
    pDock->m_arrBarID.Add(0);
    state.m_arrBarInfo.Add(pDock);

    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    Bytes expected;
    expected.u32(2).i32(cx).i32(cy).u16(2);
    expected.u32(ID_BAR_ONE).u32(1).u32(0).u32(1).i32(-2).i32(22).u32(150).u32(1);
    expected.u32(AFX_IDW_DOCKBAR_TOP).i32(-2).i32(22).i32(98).i32(48).u32(CBRS_ALIGN_TOP).i32(300).i32(260);
    expected.u16(0);
    expected.u32(AFX_IDW_DOCKBAR_TOP).u32(1).u32(0).u32(1).i32(0).i32(0).u32(32767).u32(0);
    expected.u16(3).u32(ID_BAR_ONE).u32(CControlBarInfo::placeHolderFlag | ID_BAR_TWO).u32(0);
    const std::vector<uint8_t> bytes = Store(state);
    EXPECT_EQ(expected.data, bytes);

    CDockState loaded;
    Load(loaded, bytes);
    ASSERT_EQ(2, loaded.GetCount());
    EXPECT_EQ(2u, loaded.m_dwVersion);
    EXPECT_FALSE(loaded.m_bScaling);
    const CControlBarInfo* pBack = loaded.GetInfo(0);
    EXPECT_EQ(CPoint(-2, 22), pBack->m_pointPos);
    EXPECT_EQ(CRect(-2, 22, 98, 48), pBack->m_rectMRUDockPos);
    EXPECT_EQ(CPoint(300, 260), pBack->m_ptMRUFloatPos);
    EXPECT_EQ(150u, pBack->m_nMRUWidth);
    EXPECT_TRUE(loaded.GetInfo(1)->m_bDockBar);
    EXPECT_EQ(3, loaded.GetInfo(1)->m_arrBarID.GetSize());
    EXPECT_EQ(bytes, Store(loaded));

    // Saved on a screen half as wide and high: docked positions double.
    std::vector<uint8_t> smaller = bytes;
    Bytes size;
    size.i32(cx / 2).i32(cy / 2);
    std::copy(size.data.begin(), size.data.end(), smaller.begin() + 4);
    Load(loaded, smaller);
    EXPECT_TRUE(loaded.m_bScaling);
    EXPECT_EQ(CPoint(-4, 44), loaded.GetInfo(0)->m_pointPos);

    // Cut short or of an unknown version: an archive exception and no records.
    const std::vector<uint8_t> damaged[] = {std::vector<uint8_t>(bytes.begin(), bytes.end() - 3),
                                            Bytes().u32(7).i32(cx).i32(cy).u16(0).data};
    for (const auto& data : damaged) {
        CDockState broken;
        EXPECT_THROW(
            {
                try {
                    Load(broken, data);
                } catch (CArchiveException* e) {
                    e->Delete();
                    throw 1;
                }
            },
            int);
        EXPECT_EQ(0, broken.GetCount());
    }
}

} // namespace
