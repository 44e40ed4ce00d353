// CTime and CTimeSpan: calendar times as whole seconds since 1970-01-01 UTC,
// and differences between them.  Broken-down fields (GetYear, GetHour, ...)
// and Format are in local time; FormatGmt in UTC.  Files store times as u32
// seconds (cast GetTime()); the class keeps 64 bits so arithmetic never
// wraps in memory.
//
// GetTickCount (native build): milliseconds since an arbitrary start,
// wrapping at 2^32, from a monotonic clock; the Windows build uses the system's.
#pragma once

#include "classlib/Types.h"
#include "classlib/CString.h"

#include <cstdint>

#ifdef GetCurrentTime
#undef GetCurrentTime // a Windows macro for GetTickCount
#endif

class CTimeSpan
{
public:
    CTimeSpan() = default;
    explicit CTimeSpan(int64_t seconds) : m_span(seconds) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    int64_t GetTotalSeconds() const { return m_span; }
    int64_t GetTotalMinutes() const { return m_span / 60; }
    int64_t GetTotalHours() const { return m_span / 3600; }
    int64_t GetDays() const { return m_span / 86400; }
    int GetHours() const { return int(m_span / 3600 % 24); }
    int GetMinutes() const { return int(m_span / 60 % 60); }
    int GetSeconds() const { return int(m_span % 60); }

    CTimeSpan operator+(CTimeSpan o) const { return CTimeSpan(m_span + o.m_span); }
    CTimeSpan operator-(CTimeSpan o) const { return CTimeSpan(m_span - o.m_span); }
    bool operator==(CTimeSpan o) const { return m_span == o.m_span; }
    bool operator!=(CTimeSpan o) const { return m_span != o.m_span; }
    bool operator<(CTimeSpan o) const { return m_span < o.m_span; }
    bool operator>(CTimeSpan o) const { return m_span > o.m_span; }
    bool operator<=(CTimeSpan o) const { return m_span <= o.m_span; }
    bool operator>=(CTimeSpan o) const { return m_span >= o.m_span; }

private:
    int64_t m_span = 0;
};

class CTime
{
public:
    CTime() = default;
    explicit CTime(int64_t seconds) : m_time(seconds) {}
    // Local time; nDST < 0 lets the system decide daylight saving.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

    static CTime GetCurrentTime();

    int64_t GetTime() const { return m_time; }
    int GetYear() const;
    int GetMonth() const;     // 1..12
    int GetDay() const;       // 1..31
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday .. 7 = Saturday

    // strftime formats.
    CString Format(const char* pszFormat) const;
    CString FormatGmt(const char* pszFormat) const;

    CTime operator+(CTimeSpan s) const { return CTime(m_time + s.GetTotalSeconds()); }
    CTime operator-(CTimeSpan s) const { return CTime(m_time - s.GetTotalSeconds()); }
    CTimeSpan operator-(CTime o) const { return CTimeSpan(m_time - o.m_time); }
    CTime& operator+=(CTimeSpan s) { m_time += s.GetTotalSeconds(); return *this; }
    CTime& operator-=(CTimeSpan s) { m_time -= s.GetTotalSeconds(); return *this; }
    bool operator==(CTime o) const { return m_time == o.m_time; }
    bool operator!=(CTime o) const { return m_time != o.m_time; }
    bool operator<(CTime o) const { return m_time < o.m_time; }
    bool operator>(CTime o) const { return m_time > o.m_time; }
    bool operator<=(CTime o) const { return m_time <= o.m_time; }
    bool operator>=(CTime o) const { return m_time >= o.m_time; }

private:
    int64_t m_time = 0;
};

#ifndef _WIN32
DWORD GetTickCount();
#endif
