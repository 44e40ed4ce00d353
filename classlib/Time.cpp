#include "classlib/Time.h"

#include <chrono>
#include <ctime>

#ifdef _WIN32
#include <windows.h>
#endif

namespace
{
bool ToLocal(int64_t t, std::tm& out)
{
#ifdef _WIN32
    __time64_t tt = t;
    return _localtime64_s(&out, &tt) == 0;
#else
    std::time_t tt = static_cast<std::time_t>(t);
    return localtime_r(&tt, &out) != nullptr;
#endif
}

bool ToGmt(int64_t t, std::tm& out)
{
#ifdef _WIN32
    __time64_t tt = t;
    return _gmtime64_s(&out, &tt) == 0;
#else
    std::time_t tt = static_cast<std::time_t>(t);
    return gmtime_r(&tt, &out) != nullptr;
#endif
}

std::tm Local(int64_t t)
{
    std::tm tm{};
    ToLocal(t, tm);
    return tm;
}

CString FormatTm(const std::tm& tm, const char* pszFormat)
{
    char buf[256];
    size_t n = std::strftime(buf, sizeof buf, pszFormat ? pszFormat : "", &tm);
    buf[n] = 0;
    return CString(buf);
}
} // namespace

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_span(((int64_t(lDays) * 24 + nHours) * 60 + nMins) * 60 + nSecs)
{
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    std::tm tm{};
    tm.tm_year = nYear - 1900;
    tm.tm_mon = nMonth - 1;
    tm.tm_mday = nDay;
    tm.tm_hour = nHour;
    tm.tm_min = nMin;
    tm.tm_sec = nSec;
    tm.tm_isdst = nDST;
#ifdef _WIN32
    m_time = _mktime64(&tm);
#else
    m_time = static_cast<int64_t>(std::mktime(&tm));
#endif
}

CTime CTime::GetCurrentTime()
{
#ifdef _WIN32
    // The C runtime's time() looks up the time zone on every call, which
    // under Wine re-reads the zone file; a record open reads the clock twice.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const int64_t ticks = (static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const int64_t kUnixEpochTicks = 116444736000000000LL; // 100 ns ticks from 1601 to 1970
    return CTime((ticks - kUnixEpochTicks) / 10000000);
#else
    return CTime(static_cast<int64_t>(std::time(nullptr)));
#endif
}

int CTime::GetYear() const { return Local(m_time).tm_year + 1900; }
int CTime::GetMonth() const { return Local(m_time).tm_mon + 1; }
int CTime::GetDay() const { return Local(m_time).tm_mday; }
int CTime::GetHour() const { return Local(m_time).tm_hour; }
int CTime::GetMinute() const { return Local(m_time).tm_min; }
int CTime::GetSecond() const { return Local(m_time).tm_sec; }
int CTime::GetDayOfWeek() const { return Local(m_time).tm_wday + 1; }

CString CTime::Format(const char* pszFormat) const
{
    return FormatTm(Local(m_time), pszFormat);
}

CString CTime::FormatGmt(const char* pszFormat) const
{
    std::tm tm{};
    ToGmt(m_time, tm);
    return FormatTm(tm, pszFormat);
}

#ifndef _WIN32
DWORD GetTickCount()
{
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<DWORD>(static_cast<uint64_t>(ms));
}
#endif
