#include "app/core/ProgressDialog.h"

#include "classlib/MessageBox.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace {

const DWORD kShowDelayMs = 500;
const int kScale = 10000;
const long long kShowBelowPercent = 20;

ProgressDisplayFactory g_factory = nullptr;
ProgressClock g_clock = nullptr;

int g_stopAtCall = 0;
std::vector<int> g_recorded;
BOOL g_shown = FALSE;

DWORD Ticks()
{
#ifdef _WIN32
    return ::GetTickCount();
#else
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<DWORD>(ts.tv_sec * 1000u + ts.tv_nsec / 1000000);
#endif
}

ProgressDisplay* MakeScriptedDisplay(UINT, CWnd*)
{
    const int stopAt = g_stopAtCall;
    g_stopAtCall = 0;
    g_recorded.clear();
    g_shown = FALSE;
    return new ScriptedProgressDisplay(stopAt);
}

} // namespace

ProgressDisplayFactory SetProgressDisplayFactory(ProgressDisplayFactory factory)
{
    ProgressDisplayFactory previous = g_factory;
    g_factory = factory;
    return previous;
}

ProgressClock SetProgressClock(ProgressClock clock)
{
    ProgressClock previous = g_clock;
    g_clock = clock;
    return previous;
}

ProgressDialog::ProgressDialog(int lower, int upper, UINT nTextID, CWnd* pOwner)
    : m_lower(lower), m_upper(upper), m_currentPos(lower), m_clock(g_clock ? g_clock : Ticks),
      m_startTicks(m_clock()), m_bShowDecided(FALSE), m_bStopped(FALSE), m_pOwner(pOwner), m_pDisplay(nullptr)
{
    m_pDisplay = (g_factory ? g_factory : MakeScriptedDisplay)(nTextID, pOwner);
    AfxBeginWaitCursor();
}

ProgressDialog::~ProgressDialog()
{
    delete m_pDisplay;
    AfxEndWaitCursor();
}

int ProgressDialog::Scale(int pos) const
{
    if (m_upper <= m_lower)
        return 0;
    const long long range = static_cast<long long>(m_upper) - m_lower;
    long long done = static_cast<long long>(pos) - m_lower;
    if (done < 0)
        done = 0;
    if (done > range)
        done = range;
    return static_cast<int>(done * kScale / range);
}

// Decided once, on the work done by the previous SetPos: work that is at 20 % or more when the delay has
// run out is expected to end soon, and an empty range never shows.
void ProgressDialog::DecideShow()
{
    if (m_clock() - m_startTicks <= kShowDelayMs)
        return;
    m_bShowDecided = TRUE;
    if (m_upper == m_lower)
        return;
    const long long done = static_cast<long long>(m_currentPos) - m_lower;
    const long long range = static_cast<long long>(m_upper) - m_lower;
    if (done * 100 / range < kShowBelowPercent)
        m_pDisplay->Show();
}

BOOL ProgressDialog::SetPos(int pos)
{
    if (!m_bShowDecided)
        DecideShow();
    if (!m_bStopped && m_pDisplay->PumpMessages())
        m_bStopped = TRUE;
    m_pDisplay->SetBar(Scale(pos));
    m_currentPos = pos;
    return !m_bStopped;
}

void ScriptedProgressDisplay::StopAtCall(int n)
{
    g_stopAtCall = n;
}

const std::vector<int>& ScriptedProgressDisplay::RecordedPositions()
{
    return g_recorded;
}

BOOL ScriptedProgressDisplay::WasShown()
{
    return g_shown;
}

ScriptedProgressDisplay::ScriptedProgressDisplay(int stopAtCall) : m_stopAtCall(stopAtCall), m_calls(0) {}

void ScriptedProgressDisplay::Show()
{
    g_shown = TRUE;
}

void ScriptedProgressDisplay::SetBar(int scaled)
{
    g_recorded.push_back(scaled);
}

BOOL ScriptedProgressDisplay::PumpMessages()
{
    ++m_calls;
    return m_stopAtCall != 0 && m_calls >= m_stopAtCall;
}
