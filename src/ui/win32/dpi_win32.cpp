// Scaling to the DPI of a window's monitor: the design is drawn at 96 dpi, and every size and position of a
// control, a font and a picture goes through ScaleToDpi. The per-monitor functions of Windows 10 are looked up at run
// time; older Windows has one DPI for the whole system.
#include <windows.h>

#include <array>

#include "ui/win32/win32_forms.h"

namespace velvane::ui::win32 {

namespace {

template <typename Fn>
Fn User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

// "C:\skin\i_main.bmp" with 150 is "C:\skin\i_main@150.bmp".
std::wstring VariantPath(const std::wstring& path, int percent) {
  if (percent == 100) return path;
  const size_t slash = path.find_last_of(L"\\/");
  const size_t dot = path.find_last_of(L'.');
  const size_t cut = dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash) ? path.size() : dot;
  return path.substr(0, cut) + L"@" + std::to_wstring(percent) + path.substr(cut);
}

UniqueBitmap LoadBitmapFile(const std::wstring& path, SIZE* size) {
  UniqueBitmap bitmap(static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap.get(), sizeof(info), &info)) return UniqueBitmap();
  *size = SIZE{info.bmWidth, info.bmHeight};
  return bitmap;
}

// One smooth resampling, so that painting is a plain copy afterwards.
UniqueBitmap Resampled(HBITMAP source, SIZE from, SIZE to) {
  const WindowDc screen(nullptr);
  UniqueBitmap scaled(CreateCompatibleBitmap(screen.get(), to.cx, to.cy));
  const MemoryDc in(CreateCompatibleDC(screen.get())), out(CreateCompatibleDC(screen.get()));
  if (!scaled || !in || !out) return UniqueBitmap();
  const SelectScope selectIn(in.get(), source), selectOut(out.get(), scaled.get());
  SetStretchBltMode(out.get(), HALFTONE);
  SetBrushOrgEx(out.get(), 0, 0, nullptr);
  StretchBlt(out.get(), 0, 0, to.cx, to.cy, in.get(), 0, 0, from.cx, from.cy, SRCCOPY);
  return scaled;
}

}  // namespace

int ScaleToDpi(int designPixels, int dpi) { return MulDiv(designPixels, dpi, kDesignDpi); }

int DesignFromDpi(int pixels, int dpi) {
  return dpi > 0 ? static_cast<int>((static_cast<long long>(pixels) * kDesignDpi + dpi - 1) / dpi) : pixels;
}

int SystemDpi() {
  static const int dpi = [] {
    const WindowDc screen(nullptr);
    const int caps = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return caps > 0 ? caps : kDesignDpi;
  }();
  return dpi;
}

int WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpi = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = getDpi && hwnd ? getDpi(hwnd) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi) {
  using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32Function<AdjustFn>("AdjustWindowRectExForDpi");
  if (adjust && adjust(rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(rect, style, FALSE, exStyle);
}

bool DpiPicture::Load(const std::wstring& path, int dpi) {
  constexpr std::array<int, 3> kDrawnPercents = {100, 150, 200};
  const int wanted = MulDiv(100, dpi, kDesignDpi);
  // The drawing for the scale or the nearest larger one first, then the larger ones that are smaller than needed.
  std::array<int, 3> order{};
  size_t n = 0;
  for (int percent : kDrawnPercents)
    if (percent >= wanted) order[n++] = percent;
  for (auto it = kDrawnPercents.rbegin(); it != kDrawnPercents.rend(); ++it)
    if (*it < wanted) order[n++] = *it;
  for (int percent : order) {
    SIZE drawn{};
    UniqueBitmap bitmap = LoadBitmapFile(VariantPath(path, percent), &drawn);
    if (!bitmap) continue;
    const SIZE shown{ScaleToDpi(MulDiv(drawn.cx, 100, percent), dpi), ScaleToDpi(MulDiv(drawn.cy, 100, percent), dpi)};
    if (shown.cx != drawn.cx || shown.cy != drawn.cy) {
      if (UniqueBitmap scaled = Resampled(bitmap.get(), drawn, shown)) bitmap = std::move(scaled);
      else continue;
    }
    bitmap_ = std::move(bitmap);
    size_ = shown;
    return true;
  }
  return false;
}

}  // namespace velvane::ui::win32
