// Pictures of the screen: the shown side bar against its skin and its language, and what the screenshot hot key saves.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

using namespace velvane::test;

// The largest difference of the three colour channels.
int Distance(std::uint32_t a, std::uint32_t b) {
  int d = 0;
  for (int shift = 0; shift < 24; shift += 8)
    d = std::max(d, std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)));
  return d;
}

std::optional<Picture> LoadPicture(const std::wstring& path) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  BITMAP header{};
  if (!bitmap || !GetObjectW(bitmap, sizeof header, &header)) return std::nullopt;
  return TakePixels(bitmap, header.bmWidth, header.bmHeight);
}

// Points every `step` pixels, but none within `margin` pixels of the rectangles to avoid.
std::vector<POINT> Grid(int width, int height, int step, const std::vector<RECT>& avoid = {}, int margin = 0) {
  std::vector<POINT> points;
  for (int y = step / 2; y < height; y += step)
    for (int x = step / 2; x < width; x += step)
      if (std::none_of(avoid.begin(), avoid.end(), [&](const RECT& r) {
            return x >= r.left - margin && x < r.right + margin && y >= r.top - margin && y < r.bottom + margin;
          }))
        points.push_back(POINT{x, y});
  return points;
}

// How many of the points differ in the two pictures; the first few are added to `where`.
int Mismatches(const Picture& a, const Picture& b, const std::vector<POINT>& points, std::string* where = nullptr) {
  int count = 0;
  for (const POINT& p : points) {
    if (p.x >= std::min(a.width, b.width) || p.y >= std::min(a.height, b.height)) continue;
    if (Distance(a.At(p.x, p.y), b.At(p.x, p.y)) <= 4) continue;
    if (++count <= 5 && where) *where += " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
  }
  return count;
}

// The section titles and text buttons, by their keys in the language file.
constexpr const wchar_t* kCaptionKeys[] = {L"_main:clipboard", L"_main:tempfiles", L"_main:todolist", L"_main:notes",
                                           L"_main:execute", L"_main:eadd", L"_main:elist", L"_main:onotepad",
                                           L"_btn:about", L"_main:oconfiguration", L"_main:ohide", L"_main:oclose"};

// The first appearance: centred at the design size, the skin untouched between the controls, and every caption in the
// active language, its label drawing it in the skin's text colour over the skin rather than hiding it.
class Appearance : public BlackBoxTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(Appearance, ShownSideBarIsTheSkinWithItsCaptions) {
  const std::wstring language = GetParam();
  installation_.Configure({.language = language});
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());  // no text in the history rows
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  ASSERT_TRUE(bar.HandOver(L"-show"));
  const HWND w = bar.Window();
  RECT frame{};
  GetWindowRect(w, &frame);
  ASSERT_EQ(std::pair(frame.right - frame.left, frame.bottom - frame.top), std::pair(800L, 341L));
  EXPECT_NEAR(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 800) / 2, 1);
  EXPECT_NEAR(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 341) / 2, 1);

  const std::wstring skinFolder = installation_.Path(L"skins\\" + installation_.Setting(L"XTRA", L"Skin"));
  const auto skin = LoadPicture(skinFolder + L"\\i_main.bmp");
  ASSERT_TRUE(skin.has_value()) << Utf8(skinFolder);
  std::vector<RECT> controls;
  for (HWND child : ChildWindows(w))
    if (IsWindowVisible(child)) controls.push_back(RectInParent(child));
  const std::vector<POINT> background = Grid(800, 341, 5, controls, 3);
  ASSERT_GT(background.size(), 1000u) << "too few background points to judge";
  const std::wstring skinText = skinFolder + L"\\skin.txt";
  std::uint32_t textColor = 0;
  for (const wchar_t* channel : {L"Red", L"Green", L"Blue"})
    textColor = textColor << 8 | (GetPrivateProfileIntW(L"TEXT1", channel, 0, skinText.c_str()) & 0xFF);

  struct Caption {
    std::wstring text;
    int inked = 0, untouched = 0, total = 0, nearText = 256;
    bool Painted() const { return inked >= 10 && untouched * 2 >= total && nearText <= 40; }
  };
  const auto captions = [&](const Picture& shot) {
    std::vector<Caption> found;
    for (HWND child : ChildWindows(w, L"VelvaneLabel")) {
      Caption c{WindowText(child)};
      if (c.text.empty()) continue;
      const RECT r = RectInParent(child);
      for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, shot.height); ++y) {
        for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, shot.width); ++x) {
          ++c.total;
          const int d = Distance(shot.At(x, y), skin->At(x, y));
          c.inked += d > 48;
          c.untouched += d <= 4;
          c.nearText = std::min(c.nearText, Distance(shot.At(x, y), textColor));
        }
      }
      found.push_back(c);
    }
    return found;
  };

  // The bar and its controls paint after the show: the picture is taken once it is complete, or at the limit.
  Picture shot;
  std::vector<Caption> found;
  WaitUntil([&] {
    shot = CaptureScreen(frame);
    found = captions(shot);
    return Mismatches(shot, *skin, background) == 0 &&
           std::all_of(found.begin(), found.end(), [](const Caption& c) { return c.Painted(); });
  }, 5000, 50);

  std::string where;
  EXPECT_EQ(Mismatches(shot, *skin, background, &where), 0) << "background points unlike the skin:" << where;
  std::multiset<std::wstring> texts, expected;  // in no set order
  for (const Caption& c : found) {
    texts.insert(c.text);
    EXPECT_TRUE(c.Painted()) << Utf8(c.text) << ": " << c.inked << " inked, " << c.untouched << " of " << c.total
                             << " untouched, nearest to the text colour " << c.nearText;
  }
  for (const wchar_t* key : kCaptionKeys) {
    EXPECT_NE(*expected.insert(installation_.Text(key, language)), key) << "missing from the language file";
  }
  EXPECT_EQ(texts, expected) << "the section titles and text buttons in the active language";
}

INSTANTIATE_TEST_SUITE_P(Languages, Appearance, ::testing::Values(L"english", L"spanish"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& p) { return Utf8(p.param); });

// Ctrl and a key held (Wine's GetAsyncKeyState needs about 100 ms), then released; Ctrl+F11 is the screenshot key.
void PressWithCtrl(WORD key = VK_F11, DWORD holdMs = 200, const std::function<void()>& whileHeld = [] {}) {
  Key(VK_CONTROL, false, 0);
  Key(key, false, holdMs);
  whileHeld();
  Key(key, true, 0);
  Key(VK_CONTROL, true, 0);
}

class ScreenshotKey : public BlackBoxTest {};

// A missing folder is reported once in a box naming the file, the number stays and the side bar runs on. Then one
// picture per press, taken on release however long the keys are held; an empty prefix gives "8.bmp".
TEST_F(ScreenshotKey, AFailureIsReportedAndAPressSavesTheScreenOrTheForegroundWindowOnRelease) {
  const std::wstring folder = installation_.Path(L"shots\\");
  for (const auto& [section, key, value] : {std::tuple(L"PATH", L"Screens", folder.c_str()), {L"TXT", L"Txt0", L""},
                                           {L"TXT", L"Txt1", L"8"}, {L"SS", L"Type", L"0"}})
    installation_.SetSetting(section, key, value);
  const auto waitForPicture = [&](const wchar_t* name) {
    std::optional<Picture> picture;
    WaitUntil([&] { return Pump(), (picture = LoadPicture(folder + name)).has_value(); }, 5000, 50);
    return picture;
  };
  {
    SideBar bar(installation_);
    ASSERT_TRUE(bar.Started());
    PressWithCtrl();
    std::string shown;
    EXPECT_TRUE(WaitUntil([&] {
      shown = DescribeWindowsOf(bar.ProcessId());
      return shown.find(Utf8(folder + L"8.bmp")) != shown.npos;
    }, 5000, 50)) << "no box naming the file:" << shown;
    PressWithCtrl();
    // The show key pressed after it is seen to act: by then the second press was taken too, and the hand-off that
    // follows is answered only after that press's tick has ended.
    PressWithCtrl(VK_F12, 150);  // the show key
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(bar.Window()) != FALSE; }, kWindowLimitMs)) << "no show";
    EXPECT_TRUE(bar.HandOver(L"-save")) << "the side bar no longer answers";
    shown = DescribeWindowsOf(bar.ProcessId());
    EXPECT_EQ(shown.find("#32770"), shown.rfind("#32770")) << shown;
    EXPECT_EQ(installation_.Setting(L"TXT", L"Txt1"), L"8");
  }
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  {
    SideBar bar(installation_);
    ASSERT_TRUE(bar.Started());
    // Something on the screen to compare. Wine drops keys sent by SendInput for a moment after the focus changed.
    ASSERT_TRUE(bar.HandOver(L"-show"));
    Sleep(1000);
    PressWithCtrl();
    const auto saved = waitForPicture(L"8.bmp");
    ASSERT_TRUE(saved.has_value()) << "no picture";
    const Picture now = CaptureScreen(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    ASSERT_TRUE(saved->width == now.width && saved->height == now.height);
    std::string where;
    EXPECT_EQ(Mismatches(now, *saved, Grid(now.width, now.height, 3), &where), 0) << "unlike the screen:" << where;
    EXPECT_EQ(installation_.Setting(L"TXT", L"Txt1"), L"9");
  }
  // The foreground kind: a framed window of this program, away from the corner, of a width whose rows need padding.
  installation_.SetSetting(L"SS", L"Type", L"1");
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  ASSERT_TRUE(bar.HandOver(L"-save"));  // answered once the start has run, its own bringing forward included
  const HWND framed = CreateWindowExW(0, L"STATIC", L"Framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 123, 77, 301, 203,
                                      nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(framed);
  SetForegroundWindow(framed);
  ASSERT_TRUE(WaitUntil([&] { return Pump(), GetForegroundWindow() == framed; }, kWindowLimitMs));
  RECT outer{};
  GetWindowRect(framed, &outer);
  Sleep(1000);
  Pump();
  PressWithCtrl(VK_F11, 1200, [&] { EXPECT_FALSE(FileExists(folder + L"9.bmp")) << "taken before the release"; });
  const auto saved = waitForPicture(L"9.bmp");
  ASSERT_TRUE(saved.has_value()) << "no picture";
  const Picture now = CaptureScreen(outer);
  ASSERT_EQ(std::pair(saved->width, saved->height), std::pair(301, 203));
  EXPECT_EQ(ReadBytes(folder + L"9.bmp").value_or("").size(), 54u + 904u * 203u) << "rows of 903 bytes padded to 904";
  std::string where;
  EXPECT_EQ(Mismatches(now, *saved, Grid(now.width, now.height, 1), &where), 0) << "unlike the window:" << where;
  DestroyWindow(framed);
  EXPECT_TRUE(bar.HandOver(L"-save"));
  EXPECT_FALSE(FileExists(folder + L"10.bmp"));
  EXPECT_EQ(installation_.Setting(L"TXT", L"Txt1"), L"10");
}

}  // namespace
}  // namespace blackbox
