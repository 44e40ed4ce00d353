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
const int kShowBelow = kScale / 5; // 20 % of the work

ProgressDisplayFactory g_factory = nullptr;

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

ProgressDialog::ProgressDialog(int lower, int upper, UINT nTextID, CWnd* pOwner)
    : m_lower(lower), m_upper(upper), m_startTicks(Ticks()), m_bShowDecided(FALSE), m_bStopped(FALSE),
      m_pOwner(pOwner), m_pDisplay(nullptr)
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

BOOL ProgressDialog::ShouldShow(DWORD elapsedMs, int scaled)
{
    return elapsedMs > kShowDelayMs && scaled < kShowBelow;
}

BOOL ProgressDialog::SetPos(int pos)
{
    const int scaled = Scale(pos);
    if (!m_bShowDecided) {
        const DWORD elapsed = Ticks() - m_startTicks;
        if (elapsed > kShowDelayMs) {
            m_bShowDecided = TRUE;
            if (ShouldShow(elapsed, scaled))
                m_pDisplay->Show();
        }
    }
    m_pDisplay->SetBar(scaled);
    if (!m_bStopped && m_pDisplay->PumpMessages())
        m_bStopped = TRUE;
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
