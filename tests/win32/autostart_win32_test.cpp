// The start-with-Windows value in Wine's real registry as any other reader of the Run key sees it. Its quoted
// command and its round trip through our own registry code are checked by the settings tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/autostart.h"
#include "platform/files.h"

namespace velvane {
namespace {

// The stored type and bytes; type 0 when the value is missing.
std::pair<DWORD, std::string> RawValue() {
  HKEY key = nullptr;
  char bytes[2048];
  DWORD type = 0, size = sizeof bytes;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  const LONG result = RegQueryValueExA(key, "Velvane", nullptr, &type, reinterpret_cast<BYTE*>(bytes), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? std::pair{type, std::string(bytes, size)} : std::pair<DWORD, std::string>{};
}

TEST(AutostartWin32, RunValueIsAStringEndingWithItsZeroAndSwitchingOffKeepsTheSubKey) {
  const std::wstring subKey = std::wstring(kRunKey) + L"\\" + kRunValue;
  RegDeleteKeyW(HKEY_CURRENT_USER, subKey.c_str());
  SetAutostart(true);
  const std::wstring expected = RunCommandFor(platform::ExecutablePath());
  EXPECT_EQ(RawValue(), (std::pair<DWORD, std::string>{REG_SZ, std::string(expected.begin(), expected.end()) + '\0'}));
  SetAutostart(false);
  EXPECT_FALSE(AutostartEnabled());
  EXPECT_EQ(RawValue().first, 0u);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

}  // namespace
}  // namespace velvane
