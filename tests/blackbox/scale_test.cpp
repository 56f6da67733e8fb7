// The side bar on a 150% display: Wine gives every program the DPI of the prefix's LogPixels and stretches nothing, so
// the bar must lay itself out at the scale.
#include "blackbox/harness.h"

namespace blackbox {
namespace {

// HKCU\Control Panel\Desktop LogPixels for the test, put back afterwards (removed when there was none).
class LogPixels {
public:
  explicit LogPixels(DWORD dpi) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS)
      return;
    DWORD size = sizeof(old_), type = 0;
    hadOld_ = RegQueryValueExW(key_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS &&
              type == REG_DWORD;
    set_ = RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi)) ==
           ERROR_SUCCESS;
  }
  LogPixels(const LogPixels&) = delete;
  LogPixels& operator=(const LogPixels&) = delete;
  ~LogPixels() {
    if (!key_) return;
    if (hadOld_)
      RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof(old_));
    else
      RegDeleteValueW(key_, kValue);
    RegCloseKey(key_);
  }
  bool Set() const { return set_; }

private:
  static constexpr wchar_t kValue[] = L"LogPixels";
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool hadOld_ = false;
  bool set_ = false;
};

using Scale = BlackBoxTest;

// 800 x 341 design pixels are 1200 x 512, and the "Hide" button at 360, 265, 141 x 17 sits at 540, 398, 212 x 26.
TEST_F(Scale, AtOneHundredFiftyPercentTheSideBarIsLaidOutOneAndAHalfTimesTheDesign) {
  installation_.Configure({});
  const LogPixels dpi(144);
  ASSERT_TRUE(dpi.Set());
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  ASSERT_TRUE(bar.HandOver(L"-show"));
  RECT frame{};
  GetWindowRect(bar.Window(), &frame);
  EXPECT_EQ(frame.right - frame.left, 1200);
  EXPECT_EQ(frame.bottom - frame.top, 512);
  const HWND hide = ChildByText(bar.Window(), installation_.Text(L"_main:ohide"), L"VelvaneLabel");
  ASSERT_NE(hide, nullptr) << DescribeWindowsOf(bar.ProcessId());
  const RECT r = RectInParent(hide);
  EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right - r.left, r.bottom - r.top}),
            std::vector<LONG>({540, 398, 212, 26}));
}

}  // namespace
}  // namespace blackbox
