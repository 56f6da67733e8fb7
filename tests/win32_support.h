#pragma once
// Win32 helpers of the Win32 and the black-box tests: a window's text, this thread's message pump, and the pixels of
// the screen or of a bitmap.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace velvane::test {

inline std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

// Dispatches one queued message; false when there was none. A thread's windows paint only while it dispatches.
inline bool DispatchOne() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

// Dispatches what is queued, for at least the given time.
inline void Pump(DWORD milliseconds = 0) {
  const DWORD start = GetTickCount();
  while (DispatchOne() || GetTickCount() - start < milliseconds) Sleep(1);
}

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
  bool operator==(const Picture&) const = default;
  long Count(std::uint32_t color) const { return std::count(pixels.begin(), pixels.end(), color); }
  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};

// The pixels of a bitmap that no device context holds (deleted afterwards); black where the system gives none.
inline Picture TakePixels(HBITMAP bitmap, int width, int height) {
  Picture picture{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height))};
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), picture.pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  for (auto& p : picture.pixels) p &= 0xFFFFFF;
  return picture;
}

inline Picture CaptureScreen(const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return TakePixels(bitmap, width, height);
}

}  // namespace velvane::test
