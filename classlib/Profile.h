// CProfile: the user's settings store, one tree of sections of named values
// (32-bit integers, texts and byte blocks).
//
// Location: Software\<registry key>\<profile name>\<section> under the
// current user.  The Windows build uses the registry (REG_DWORD, REG_SZ,
// REG_BINARY).  The native build keeps the same tree in a text file (see
// Profile.cpp for its layout), by default $LORVANE_PROFILE or
// $HOME/.lorvane5-profile; SetStoreFile moves it (tests use a scratch file).
// Section and entry names are compared without regard to case, as in the
// registry.
//
// Reads never fail visibly: a missing value gives the default.  Writes
// return FALSE when the store cannot be written.  One process-wide instance
// (AfxGetProfile) serves the application object.
#pragma once

#include "classlib/Types.h"
#include "classlib/CString.h"

class CProfile
{
public:
    CProfile() = default;

    // Sets the registry key; the profile name becomes lpszAppName when given
    // (as the application object does) and keeps its value otherwise.
    void SetRegistryKey(LPCTSTR lpszRegistryKey, LPCTSTR lpszAppName = nullptr);
    void SetProfileName(LPCTSTR lpszProfileName);
    CString GetRegistryKey() const { return m_strRegistryKey; }
    CString GetProfileName() const { return m_strProfileName; }
    // "Software\<key>\<profile name>" (without the key part when none is set).
    CString GetRootPath() const;

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const;
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // A NULL default reads as "".
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr) const;
    // A NULL entry deletes the section; a NULL value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // On success *ppData is a new[] block of *pBytes bytes that the caller
    // delete[]s; FALSE (with *ppData NULL, *pBytes 0) when there is no value.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, BYTE** ppData, UINT* pBytes) const;
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, const BYTE* pData, UINT nBytes);

    // Deletes one section with all its values.
    BOOL DeleteSection(LPCTSTR lpszSection);
    // Deletes everything under the profile name.
    BOOL DeleteTree();

#ifndef _WIN32
    // The file of the native store; NULL returns to the default location.
    static void SetStoreFile(LPCTSTR lpszPath);
    static CString GetStoreFile();
#endif

private:
    CString SectionPath(LPCTSTR lpszSection) const;

    CString m_strRegistryKey;
    CString m_strProfileName;
};

// The process-wide settings store.
CProfile& AfxGetProfile();
