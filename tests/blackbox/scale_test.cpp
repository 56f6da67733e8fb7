// The side bar on a 150% display: Wine gives every program the DPI of the prefix's LogPixels and stretches nothing, so
// the bar must lay itself out at the scale.
#include "blackbox/harness.h"

namespace blackbox {
namespace {

// HKCU\Control Panel\Desktop LogPixels for the test, put back afterwards (removed when there was none).
struct LogPixels {
  explicit LogPixels(DWORD dpi) {
    hadOld = RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &old, &size) == ERROR_SUCCESS;
    set = RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &dpi, sizeof dpi) == ERROR_SUCCESS;
  }
  ~LogPixels() {
    if (hadOld) RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &old, sizeof old);
    else RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
  }
  static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
  static constexpr const wchar_t* kValue = L"LogPixels";
  DWORD old = 0, size = sizeof old;
  bool hadOld = false, set = false;
};

// A bitmap file of one colour, 24 bits a pixel.
std::string SolidBitmap(LONG width, LONG height, COLORREF color) {
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  const BITMAPFILEHEADER file{0x4D42, offset + stride * static_cast<DWORD>(height), 0, 0, offset};
  const BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::string bytes = std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                      std::string(reinterpret_cast<const char*>(&info), sizeof info);
  std::string row(stride, '\0');
  for (LONG x = 0; x < width; ++x)
    row[3 * x] = static_cast<char>(GetBValue(color)), row[3 * x + 1] = static_cast<char>(GetGValue(color)),
    row[3 * x + 2] = static_cast<char>(GetRValue(color));
  for (LONG y = 0; y < height; ++y) bytes += row;
  return bytes;
}

using Scale = BlackBoxTest;

// 800 x 341 design pixels are 1200 x 512, and the "Hide" button at 360, 265, 141 x 17 sits at 540, 398, 212 x 26. The
// skin's own drawing for 150% is shown, not its 100% picture enlarged.
TEST_F(Scale, AtOneHundredFiftyPercentTheSideBarIsLaidOutOneAndAHalfTimesTheDesign) {
  const LogPixels dpi(144);
  ASSERT_TRUE(dpi.set);
  constexpr COLORREF kDrawn = RGB(20, 180, 40);
  const std::wstring skin = installation_.Path(L"skins\\" + installation_.Setting(L"XTRA", L"Skin") + L"\\");
  ASSERT_TRUE(WriteBytes(skin + L"i_main@150.bmp", SolidBitmap(1200, 512, kDrawn)));
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
  const auto drawn = [&] {
    const velvane::test::Picture shown = velvane::test::CaptureScreen(frame);
    return shown.At(1, 1) == 0x14B428 && shown.At(1194, 270) == 0x14B428;
  };
  EXPECT_TRUE(WaitUntil(drawn, kWindowLimitMs)) << "not the skin's drawing for 150%";
}

}  // namespace
}  // namespace blackbox
