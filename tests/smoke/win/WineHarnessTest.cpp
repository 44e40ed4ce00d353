// Proves the harness under Wine: windows can be created with no display, and
// the current user's registry keeps what is written to it.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>

namespace {

LRESULT CALLBACK SmokeWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

// The test machines cannot run 32-bit x86 code, so the Windows build is x64:
// pointers are 64-bit while long stays 32-bit.
TEST(WineHarness, IsLLP64)
{
    EXPECT_EQ(8u, sizeof(void*));
    EXPECT_EQ(4u, sizeof(long));
    EXPECT_EQ(4u, sizeof(DWORD));
}

TEST(WineHarness, CreatesAWindowWithoutDisplay)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SmokeWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LorvaneSmokeWindow";
    ATOM atom = RegisterClassA(&wc);
    ASSERT_NE(0, atom) << "RegisterClass failed: " << GetLastError();

    HWND hwnd = CreateWindowExA(0, "LorvaneSmokeWindow", "Smoke", WS_OVERLAPPEDWINDOW,
                                10, 10, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hwnd) << "CreateWindow failed: " << GetLastError();
    char title[32] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ("Smoke", title);
    RECT rc;
    ASSERT_TRUE(GetWindowRect(hwnd, &rc));
    EXPECT_EQ(200, rc.right - rc.left);
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_TRUE(UnregisterClassA("LorvaneSmokeWindow", wc.hInstance));
}

TEST(WineHarness, RegistryKeepsCurrentUserValues)
{
    const char* path = "Software\\Quenmark\\LorvaneSmokeTest";
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    DWORD written = 0x12345678;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Value", 0, REG_DWORD,
                                            reinterpret_cast<const BYTE*>(&written), sizeof written));
    RegCloseKey(key);

    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key));
    DWORD read = 0, type = 0, size = sizeof read;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Value", nullptr, &type,
                                              reinterpret_cast<BYTE*>(&read), &size));
    RegCloseKey(key);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(written, read);
    RegDeleteKeyA(HKEY_CURRENT_USER, path);
}
