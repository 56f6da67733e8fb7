// What the user sees: a picture of the shown side bar taken from the screen, against the skin's background picture
// and the captions drawn over it. The picture is kept in the build folder for a human to look at.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

void SendKeys(const std::vector<WORD>& keys, bool down) {
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
  }
}

// Keeps the test's own window painted while it waits.
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// A plain framed window of the test in the foreground, painted in one colour.
class ColouredWindow {
public:
  ColouredWindow(int width, int height, COLORREF colour) : brush_(CreateSolidBrush(colour)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = brush_;
    wc.lpszClassName = L"VelvaneTestColour";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"Screenshot target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 40,
                              width, height, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
    WaitUntil([&] { Pump(); return GetForegroundWindow() == window_; }, 2000);
  }
  ~ColouredWindow() {
    DestroyWindow(window_);
    UnregisterClassW(L"VelvaneTestColour", GetModuleHandleW(nullptr));
    DeleteObject(brush_);
  }
  HWND get() const { return window_; }

private:
  HBRUSH brush_;
  HWND window_ = nullptr;
};

// A shown message box of the process; nullptr when there is none.
HWND MessageBoxOf(DWORD processId) {
  std::pair<DWORD, HWND> search(processId, nullptr);
  EnumWindows([](HWND w, LPARAM found) {
    auto* s = reinterpret_cast<std::pair<DWORD, HWND>*>(found);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == s->first && ClassName(w) == L"#32770" && IsWindowVisible(w)) s->second = w;
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

class ScreenshotKey : public BlackBoxTest {
protected:
  // The shipped configuration with pictures going to a folder of the installation.
  void Configure(const std::wstring& prefix, const std::wstring& number, const std::wstring& kind) {
    installation_.Configure({});
    CreateDirectoryW(folder_.c_str(), nullptr);
    installation_.SetSetting(L"PATH", L"Screens", folder_);
    installation_.SetSetting(L"TXT", L"Txt0", prefix);
    installation_.SetSetting(L"TXT", L"Txt1", number);
    installation_.SetSetting(L"SS", L"Type", kind);
    keys_ = {static_cast<WORD>(std::stoi(installation_.Setting(L"KEYS2", L"Key0").value_or(L"0"))),
             static_cast<WORD>(std::stoi(installation_.Setting(L"KEYS2", L"Key1").value_or(L"0")))};
  }
  // Both keys down together, held, released; GetAsyncKeyState under Wine needs about 100 ms to see them.
  void Press(DWORD holdMs = 200) {
    SendKeys(keys_, true);
    Sleep(holdMs);
    SendKeys(keys_, false);
  }
  std::optional<Picture> WaitForPicture(const std::wstring& name) {
    std::optional<Picture> picture;
    WaitUntil([&] { Pump(); return (picture = LoadPicture(folder_ + name)).has_value(); }, 5000, 50);
    return picture;
  }
  std::wstring Number() const { return installation_.Setting(L"TXT", L"Txt1").value_or(L"?"); }

  std::wstring folder_ = installation_.Path(L"shots\\");
  std::vector<WORD> keys_;
};

TEST_F(ScreenshotKey, APressSavesTheScreenAsItIs) {
  Configure(L"shot_", L"7", L"0");
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const ColouredWindow target(300, 200, RGB(20, 160, 90));
  Press();
  const auto saved = WaitForPicture(L"shot_7.bmp");
  ASSERT_TRUE(saved.has_value()) << "no picture";
  EXPECT_EQ(Number(), L"8");
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  ASSERT_EQ(saved->width, screen.right);
  ASSERT_EQ(saved->height, screen.bottom);
  const Picture now = CaptureScreen(screen);
  int differ = 0;
  std::string first;
  for (int y = 0; y < now.height; y += 7)
    for (int x = 0; x < now.width; x += 7)
      if (Distance(now.At(x, y), saved->At(x, y)) > 4 && ++differ <= 3)
        first += " (" + std::to_string(x) + "," + std::to_string(y) + ") " + Hex(saved->At(x, y)) + " not " + Hex(now.At(x, y));
  EXPECT_EQ(differ, 0) << first;
  RECT client{};
  GetClientRect(target.get(), &client);
  MapWindowPoints(target.get(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_EQ(saved->At(client.left + 10, client.top + 10), 0x14A05Au) << "the test window's colour";
}

TEST_F(ScreenshotKey, TheForegroundKindGivesTheWindowWithItsFrameAndAnEmptyPrefixTheNumberAlone) {
  Configure(L"", L"8", L"1");
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const ColouredWindow target(321, 207, RGB(200, 30, 30));
  RECT outer{};
  GetWindowRect(target.get(), &outer);
  // Held for more than a second: still one picture, taken on release.
  SendKeys(keys_, true);
  Sleep(1200);
  EXPECT_FALSE(FileExists(folder_ + L"8.bmp")) << "taken before the keys were released";
  SendKeys(keys_, false);
  const auto saved = WaitForPicture(L"8.bmp");
  ASSERT_TRUE(saved.has_value()) << "no picture";
  EXPECT_EQ(saved->width, outer.right - outer.left);
  EXPECT_EQ(saved->height, outer.bottom - outer.top);
  Sleep(300);
  EXPECT_FALSE(FileExists(folder_ + L"9.bmp"));
  EXPECT_EQ(Number(), L"9");
}

TEST_F(ScreenshotKey, AMissingFolderIsReportedAndTheSideBarRunsOn) {
  Configure(L"shot_", L"7", L"0");
  folder_ = installation_.Path(L"gone\\");
  installation_.SetSetting(L"PATH", L"Screens", folder_);
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  Press();
  HWND box = nullptr;
  WaitUntil([&] { return (box = MessageBoxOf(bar.ProcessId())) != nullptr; }, 5000, 50);
  ASSERT_NE(box, nullptr) << "no message box" << Utf8(DescribeWindowsOf(bar.ProcessId()));
  std::wstring text;
  for (HWND child : ChildWindows(box)) text += WindowText(child) + L"\n";
  EXPECT_NE(text.find(folder_ + L"shot_7.bmp"), std::wstring::npos) << Utf8(text);
  EXPECT_EQ(Number(), L"7");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 3000));
  EXPECT_TRUE(bar.HandOver(L"-show")) << "the side bar no longer answers";
  EXPECT_EQ(Number(), L"7");
}

}  // namespace
}  // namespace blackbox
