// The start-with-Windows value in Wine's real registry: written quoted with its terminating zero, read back, removed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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
  // The stored type and bytes, as any other reader of the Run key sees them.
  static bool RawValue(DWORD* type, std::string* bytes) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, "Velvane", nullptr, type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
      bytes->assign(size, '?');
      result = RegQueryValueExA(key, "Velvane", nullptr, type, reinterpret_cast<BYTE*>(bytes->data()), &size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
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
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue(&type, &bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, std::string(expected.begin(), expected.end()) + '\0');

  SetAutostart(false);
  EXPECT_FALSE(AutostartEnabled());
  EXPECT_FALSE(RawValue(&type, &bytes));
  HKEY subKey = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kRunKey) + L"\\" + kRunValue).c_str(), 0, KEY_READ, &subKey),
            ERROR_SUCCESS);  // switching off keeps the empty sub-key
  if (subKey) RegCloseKey(subKey);
}

}  // namespace
}  // namespace velvane
