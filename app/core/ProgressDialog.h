// The one progress indicator of the program.
//
// A long operation makes a ProgressDialog with a range and a text, calls SetPos once per unit of work and
// stops when SetPos answers FALSE (the user pressed Stop); deleting the object ends the display. While it
// lives the owner window is disabled and the wait cursor is on. The display stays hidden for short work:
// it is shown at the first SetPos made more than 500 ms after construction, and only when less than 20 %
// of the range was done at the SetPos before it (the work as it stood when the time ran out); the
// decision is taken once.
//
// What is shown is a ProgressDisplay made by the installed factory: the modeless window of the window
// half, or (by default, and in tests) ScriptedProgressDisplay, which shows nothing and presses Stop when
// its script says so.
#pragma once

#include "classlib/Types.h"

#include <vector>

class CWnd;

// The visible side of a progress dialog.
class ProgressDisplay
{
public:
    virtual ~ProgressDisplay() = default;
    virtual void Show() = 0;
    // `scaled` is the position on 0..10000.
    virtual void SetBar(int scaled) = 0;
    // Processes waiting window messages (so Stop can be pressed); TRUE once Stop was pressed.
    virtual BOOL PumpMessages() = 0;
};

typedef ProgressDisplay* (*ProgressDisplayFactory)(UINT nTextID, CWnd* pOwner);
// Milliseconds from an arbitrary start, wrapping at 2^32 (the system's tick count).
typedef DWORD (*ProgressClock)();
// Installs the clock of the dialogs made from now on (NULL: the system's tick count); returns the previous
// one. For tests.
ProgressClock SetProgressClock(ProgressClock clock);
// Installs the factory of displays (NULL: the scripted stand-in); returns the previous one.
ProgressDisplayFactory SetProgressDisplayFactory(ProgressDisplayFactory factory);

class ProgressDialog
{
public:
    ProgressDialog(int lower, int upper, UINT nTextID, CWnd* pOwner = nullptr);
    ~ProgressDialog();

    // Moves the bar to `pos` (scaled to 0..10000 between the bounds) and lets Stop be pressed; FALSE once
    // Stop was pressed, else TRUE.
    BOOL SetPos(int pos);

    // The position on 0..10000 for `pos` between the bounds (clamped; 0 for an empty range).
    int Scale(int pos) const;

    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

private:
    // The show decision, at the first SetPos after the delay.
    void DecideShow();

    int m_lower;
    int m_upper;
    int m_currentPos; // of the last SetPos; the lower bound before the first
    ProgressClock m_clock;
    DWORD m_startTicks;
    BOOL m_bShowDecided; // the visibility is decided once, at the first SetPos after 500 ms
    BOOL m_bStopped;
    CWnd* m_pOwner;
    ProgressDisplay* m_pDisplay;
};

// The stand-in display: records what it was told and presses Stop at the SetPos its script names.
class ScriptedProgressDisplay : public ProgressDisplay
{
public:
    // Stop is pressed during the n-th SetPos (1-based) of the next dialog made; 0: never.
    static void StopAtCall(int n);
    // The scaled positions of the last dialog's SetPos calls, in order.
    static const std::vector<int>& RecordedPositions();
    static BOOL WasShown();

    explicit ScriptedProgressDisplay(int stopAtCall);
    ~ScriptedProgressDisplay() override = default;
    void Show() override;
    void SetBar(int scaled) override;
    BOOL PumpMessages() override;

private:
    int m_stopAtCall;
    int m_calls;
};
