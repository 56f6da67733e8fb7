// The side bar on a 150% display: Wine gives every program the DPI of the prefix's LogPixels and stretches nothing, so
// the bar must lay itself out at the scale.
#include "blackbox/harness.h"

namespace blackbox {
namespace {

// HKCU\Control Panel\Desktop LogPixels for the test; afterwards 96 again, at which scripts/test.sh runs every test.
struct LogPixels {
  explicit LogPixels(DWORD dpi) : set(Write(dpi)) {}
  ~LogPixels() { Write(96); }
  static bool Write(DWORD dpi) {
    return !RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  const bool set;
};

using Scale = BlackBoxTest;

// 800 x 341 design pixels are 1200 x 512, and the "Hide" button at 360, 265, 141 x 17 sits at 540, 398, 212 x 26. The
// skin's own drawing for 150% is shown, not its 100% picture enlarged (here another skin's drawing in its place).
TEST_F(Scale, AtOneHundredFiftyPercentTheSideBarIsLaidOutOneAndAHalfTimesTheDesign) {
  const LogPixels dpi(144);
  ASSERT_TRUE(dpi.set);
  installation_.SetSetting(L"XTRA", L"Skin", L"Graphite");
  const std::wstring drawing = installation_.Path(L"skins\\Daylight\\i_main@150.bmp");
  ASSERT_TRUE(CopyFileW(drawing.c_str(), installation_.Path(L"skins\\Graphite\\i_main@150.bmp").c_str(), FALSE));
  const velvane::test::Picture drawn = velvane::test::TakePixels(static_cast<HBITMAP>(LoadImageW(
      nullptr, drawing.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)), 1200, 512);
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  ASSERT_TRUE(bar.HandOver(L"-show"));
  RECT frame{};
  GetWindowRect(bar.Window(), &frame);
  EXPECT_EQ(std::pair(frame.right - frame.left, frame.bottom - frame.top), std::pair(1200L, 512L));
  const HWND hide = ChildByText(bar.Window(), installation_.Text(L"_main:ohide"), L"VelvaneLabel");
  ASSERT_NE(hide, nullptr) << DescribeWindowsOf(bar.ProcessId());
  const RECT r = RectInParent(hide);
  EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right - r.left, r.bottom - r.top}),
            std::vector<LONG>({540, 398, 212, 26}));
  // Two places of the background, clear of every control, once the bar has painted.
  const auto shows = [&] {
    const velvane::test::Picture shown = velvane::test::CaptureScreen(frame);
    return shown.At(1, 1) == drawn.At(1, 1) && shown.At(1194, 270) == drawn.At(1194, 270);
  };
  EXPECT_TRUE(WaitUntil(shows, kWindowLimitMs)) << "not the skin's drawing for 150%";
}

}  // namespace
}  // namespace blackbox
