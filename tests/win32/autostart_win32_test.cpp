// The start-with-Windows value in Wine's real registry: written quoted with its terminating zero, read back, removed.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "core/autostart.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace velvane {
namespace {

class AutostartWin32 : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = platform::ReadRegString(platform::RegistryRoot::CurrentUser, kRunKey, kRunValue);
    RegDeleteKeyW(HKEY_CURRENT_USER, (std::wstring(kRunKey) + L"\\" + kRunValue).c_str());
  }
  void TearDown() override {
    if (saved_.empty())
      SetAutostart(false);
    else
      platform::WriteRegString(platform::RegistryRoot::CurrentUser, kRunKey, kRunValue, saved_);
  }
  // The stored type and bytes as any other reader of the Run key sees them; nothing when the value is missing.
  static std::optional<std::pair<DWORD, std::string>> RawValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    char bytes[2048];
    DWORD type = 0, size = sizeof bytes;
    const LONG result = RegQueryValueExA(key, "Velvane", nullptr, &type, reinterpret_cast<BYTE*>(bytes), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::nullopt;
    return std::pair{type, std::string(bytes, size)};
  }

  std::wstring saved_;
};

TEST_F(AutostartWin32, RunValueRoundTripsQuotedAndEndsWithItsZero) {
  SetAutostart(true);
  const std::wstring expected = RunCommandFor(platform::ExecutablePath());
  EXPECT_EQ(expected.front(), L'"');
  EXPECT_NE(expected.find(L"\\win32_tests.exe\""), std::wstring::npos);
  EXPECT_TRUE(AutostartEnabled());
  EXPECT_EQ(platform::ReadRegString(platform::RegistryRoot::CurrentUser, kRunKey, kRunValue), expected);
  EXPECT_EQ(RawValue(), (std::pair<DWORD, std::string>{REG_SZ, std::string(expected.begin(), expected.end()) + '\0'}));
  SetAutostart(false);
  EXPECT_FALSE(AutostartEnabled());
  EXPECT_FALSE(RawValue().has_value());
  HKEY subKey = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kRunKey) + L"\\" + kRunValue).c_str(), 0, KEY_READ, &subKey),
            ERROR_SUCCESS);  // switching off keeps the empty sub-key
  if (subKey) RegCloseKey(subKey);
}

}  // namespace
}  // namespace velvane
