// What the user sees: a picture of the shown side bar taken from the screen, against the skin's background picture
// and the captions drawn over it. The picture is kept in the build folder for a human to look at.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};

int Red(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
int Green(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
int Blue(std::uint32_t p) { return static_cast<int>(p & 0xFF); }

int Distance(std::uint32_t a, std::uint32_t b) {
  return std::max({std::abs(Red(a) - Red(b)), std::abs(Green(a) - Green(b)), std::abs(Blue(a) - Blue(b))});
}

std::string Hex(std::uint32_t p) {
  char text[16];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(p & 0xFFFFFF));
  return text;
}

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

Picture CaptureScreen(const RECT& area) {
  Picture picture{area.right - area.left, area.bottom - area.top, {}};
  picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = TopDown32(picture.width, picture.height);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && bits) {
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(std::uint32_t));
    SelectObject(memory, old);
  }
  if (dib) DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  for (auto& p : picture.pixels) p &= 0xFFFFFF;
  return picture;
}

std::optional<Picture> LoadPicture(const std::wstring& path) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap) return std::nullopt;
  BITMAP header{};
  GetObjectW(bitmap, sizeof header, &header);
  Picture picture{header.bmWidth, header.bmHeight, {}};
  picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
  BITMAPINFO info = TopDown32(picture.width, picture.height);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &info,
                             DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  if (rows != picture.height) return std::nullopt;
  for (auto& p : picture.pixels) p &= 0xFFFFFF;
  return picture;
}

// A 24-bit bottom-up BMP, the form every viewer reads.
bool SaveBmp(const std::wstring& path, const Picture& picture) {
  const int stride = (picture.width * 3 + 3) & ~3;
  const DWORD imageSize = static_cast<DWORD>(stride * picture.height);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + imageSize;
  info.biSize = sizeof info;
  info.biWidth = picture.width;
  info.biHeight = picture.height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = imageSize;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  std::string row(static_cast<size_t>(stride), '\0');
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t p = picture.At(x, y);
      row[static_cast<size_t>(x) * 3] = static_cast<char>(Blue(p));
      row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>(Green(p));
      row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>(Red(p));
    }
    bytes += row;
  }
  return WriteBytes(path, bytes);
}

std::wstring OutputFolder() {
  std::wstring folder = WindowsPath(EnvironmentVariable(L"VELVANE_BLACKBOX_OUT"));
  if (folder.empty()) folder = L".";
  return folder + L"\\";
}

// Points of a grid that lie at least `margin` pixels away from every shown control.
std::vector<POINT> BackgroundPoints(HWND sideBar, int width, int height, int margin) {
  std::vector<RECT> controls;
  for (HWND child : ChildWindows(sideBar))
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) controls.push_back(RectInParent(child));
  std::vector<POINT> points;
  for (int y = 2; y < height; y += 5) {
    for (int x = 2; x < width; x += 5) {
      bool free = true;
      for (const RECT& r : controls)
        free = free && !(x >= r.left - margin && x < r.right + margin && y >= r.top - margin && y < r.bottom + margin);
      if (free) points.push_back(POINT{x, y});
    }
  }
  return points;
}

int Mismatches(const Picture& shot, const Picture& skin, const std::vector<POINT>& points, std::string* first) {
  int count = 0;
  for (const POINT& p : points) {
    if (p.x >= shot.width || p.y >= shot.height || p.x >= skin.width || p.y >= skin.height) continue;
    if (Distance(shot.At(p.x, p.y), skin.At(p.x, p.y)) <= 4) continue;
    if (++count <= 5 && first)
      *first += " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ") " + Hex(shot.At(p.x, p.y)) + " not " +
                Hex(skin.At(p.x, p.y));
  }
  return count;
}

class Appearance : public BlackBoxTest {};

TEST_F(Appearance, ShownSideBarIsTheSkinWithItsCaptions) {
  installation_.Configure({});
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  ASSERT_TRUE(bar.HandOver(L"-show"));
  const HWND w = bar.Window();
  ASSERT_TRUE(IsWindowVisible(w));

  // The first appearance is centred on the screen, at the design size.
  RECT frame{};
  GetWindowRect(w, &frame);
  ASSERT_EQ(frame.right - frame.left, 800);
  ASSERT_EQ(frame.bottom - frame.top, 341);
  EXPECT_NEAR(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 800) / 2, 1);
  EXPECT_NEAR(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 341) / 2, 1);

  const std::wstring skinName = installation_.Setting(L"XTRA", L"Skin").value_or(L"");
  const std::wstring skinFolder = installation_.Path(L"skins\\" + skinName + L"\\");
  const auto skin = LoadPicture(skinFolder + L"i_main.bmp");
  ASSERT_TRUE(skin.has_value()) << "cannot read " << Utf8(skinFolder) << "i_main.bmp";
  const std::vector<POINT> background = BackgroundPoints(w, 800, 341, 3);
  ASSERT_GT(background.size(), 1000u) << "too few background points to judge";

  // Every captioned label draws its text in the skin's title colour over the untouched skin: some pixels carry the
  // text, most still show the picture beneath.
  const std::wstring skinText = skinFolder + L"skin.txt";
  const auto channel = [&](const wchar_t* name) {
    return static_cast<std::uint32_t>(GetPrivateProfileIntW(L"TEXT1", name, 0, skinText.c_str()) & 0xFF);
  };
  const std::uint32_t textColor = channel(L"Red") << 16 | channel(L"Green") << 8 | channel(L"Blue");
  struct Caption {
    std::wstring text;
    int inked = 0, untouched = 0, total = 0, nearText = 256;
    bool Painted() const { return inked >= 10 && untouched * 2 >= total; }
  };
  const auto captions = [&](const Picture& shot) {
    std::vector<Caption> found;
    for (HWND child : ChildWindows(w)) {
      Caption c{WindowText(child)};
      if (ClassName(child) != L"VelvaneLabel" || c.text.empty()) continue;
      const RECT r = RectInParent(child);
      for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, shot.height); ++y) {
        for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, shot.width); ++x) {
          ++c.total;
          const int d = Distance(shot.At(x, y), skin->At(x, y));
          if (d > 48) ++c.inked;
          if (d <= 4) ++c.untouched;
          c.nearText = std::min(c.nearText, Distance(shot.At(x, y), textColor));
        }
      }
      found.push_back(c);
    }
    return found;
  };

  // The bar and its controls paint after it is shown: the picture is taken once it is complete, or at the limit.
  Picture shot;
  const ULONGLONG shown = GetTickCount64();
  const bool complete = WaitUntil([&] {
    shot = CaptureScreen(frame);
    if (Mismatches(shot, *skin, background, nullptr) != 0) return false;
    for (const Caption& c : captions(shot))
      if (!c.Painted()) return false;
    return true;
  }, 5000, 50);
  const std::wstring saved = OutputFolder() + L"blackbox-sidebar.bmp";
  EXPECT_TRUE(SaveBmp(saved, shot)) << "could not save " << Utf8(saved);
  EXPECT_TRUE(complete) << "the picture was still incomplete after " << GetTickCount64() - shown << " ms";

  std::string where;
  EXPECT_EQ(Mismatches(shot, *skin, background, &where), 0)
      << "of " << background.size() << " background points; first:" << where;
  const std::vector<Caption> found = captions(shot);
  EXPECT_EQ(found.size(), 12u) << "section titles and text buttons";
  for (const Caption& c : found) {
    SCOPED_TRACE(Utf8(c.text));
    EXPECT_GE(c.inked, 10) << "no text drawn";
    EXPECT_GE(c.untouched * 2, c.total) << "the label hides the skin";
    EXPECT_LE(c.nearText, 40) << "no pixel near the skin's text colour " << Hex(textColor);
  }
}

// ---- The screenshot hot key ----

class ScreenshotKey : public BlackBoxTest {
protected:
  // Pictures go to a folder of the installation; the hot key is the shipped one.
  void Configure(const std::wstring& folder, const std::wstring& prefix, const std::wstring& number, const wchar_t* kind) {
    installation_.Configure({});
    folder_ = installation_.Path(folder);
    CreateDirectoryW(installation_.Path(L"shots").c_str(), nullptr);
    installation_.SetSetting(L"PATH", L"Screens", folder_);
    installation_.SetSetting(L"TXT", L"Txt0", prefix);
    installation_.SetSetting(L"TXT", L"Txt1", number);
    installation_.SetSetting(L"SS", L"Type", kind);
  }
  // Both keys down together, held (GetAsyncKeyState under Wine needs about 100 ms to see them), released.
  void Press(DWORD holdMs, const std::function<void()>& whileHeld = [] {}) {
    const WORD keys[] = {static_cast<WORD>(std::stoi(installation_.Setting(L"KEYS2", L"Key0").value_or(L"0"))),
                         static_cast<WORD>(std::stoi(installation_.Setting(L"KEYS2", L"Key1").value_or(L"0")))};
    for (const DWORD flags : {0ul, static_cast<DWORD>(KEYEVENTF_KEYUP)}) {
      for (const WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof input);
      }
      if (flags == 0) Sleep(holdMs), whileHeld();
    }
  }
  std::optional<Picture> WaitForPicture(const wchar_t* name) {
    std::optional<Picture> picture;
    WaitUntil([&] { return (picture = LoadPicture(folder_ + name)).has_value(); }, 5000, 50);
    return picture;
  }
  std::wstring Number() const { return installation_.Setting(L"TXT", L"Txt1").value_or(L"?"); }
  std::wstring folder_;
};

TEST_F(ScreenshotKey, APressSavesTheScreenOrTheForegroundWindowOnRelease) {
  Configure(L"shots\\", L"", L"8", L"0");
  {
    SideBar bar(installation_);
    ASSERT_TRUE(bar.Started());
    // Something on the screen to compare. Wine drops keys sent by SendInput for a moment after the focus changed.
    ASSERT_TRUE(bar.HandOver(L"-show"));
    Sleep(1000);
    Press(200);
    const auto saved = WaitForPicture(L"8.bmp");
    ASSERT_TRUE(saved.has_value()) << "no picture";
    const Picture now = CaptureScreen(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    ASSERT_TRUE(saved->width == now.width && saved->height == now.height);
    int differ = 0;
    for (int y = 0; y < now.height; y += 3)
      for (int x = 0; x < now.width; x += 3) differ += Distance(now.At(x, y), saved->At(x, y)) > 4;
    EXPECT_EQ(differ, 0) << "points unlike the screen";
    EXPECT_EQ(Number(), L"9");
  }
  // The foreground kind: the side bar is the foreground window after a "-show". Held for a second: one picture.
  installation_.SetSetting(L"SS", L"Type", L"1");
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  ASSERT_TRUE(bar.HandOver(L"-show"));
  ASSERT_EQ(GetForegroundWindow(), bar.Window());
  Sleep(1000);
  Press(1200, [&] { EXPECT_FALSE(FileExists(folder_ + L"9.bmp")) << "taken before the release"; });
  const auto saved = WaitForPicture(L"9.bmp");
  ASSERT_TRUE(saved.has_value()) << "no picture";
  EXPECT_EQ(saved->width, 800);
  EXPECT_EQ(saved->height, 341);
  Sleep(300);
  EXPECT_FALSE(FileExists(folder_ + L"10.bmp"));
  EXPECT_EQ(Number(), L"10");
}

TEST_F(ScreenshotKey, AMissingFolderIsReportedAndTheSideBarRunsOn) {
  Configure(L"gone\\", L"shot_", L"7", L"0");
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  Press(200);
  // The box names the file that could not be written.
  std::wstring shown;
  const auto named = [&] { return (shown = DescribeWindowsOf(bar.ProcessId())).find(folder_ + L"shot_7.bmp"); };
  EXPECT_TRUE(WaitUntil([&] { return named() != shown.npos; }, 5000, 50)) << "no box naming the file:" << Utf8(shown);
  EXPECT_EQ(Number(), L"7");
  Press(200);  // a second failure while the box is open adds no second box
  Sleep(500);
  shown = DescribeWindowsOf(bar.ProcessId());
  EXPECT_EQ(shown.find(L"#32770"), shown.rfind(L"#32770")) << Utf8(shown);
  EXPECT_TRUE(bar.HandOver(L"-save")) << "the side bar no longer answers";
  EXPECT_EQ(Number(), L"7");
}

}  // namespace
}  // namespace blackbox
