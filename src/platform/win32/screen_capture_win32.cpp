// Screen pictures with GDI. A true-colour screen is copied by BitBlt straight into a 24-bit DIB section, whose rows
// are already laid out as a bitmap file keeps them; a 256-colour one into a compatible bitmap with the system palette,
// read back with GetDIBits.
#include <windows.h>
#include <dwmapi.h>

#include <cstring>

#include "platform/screen_capture.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/system_library.h"

namespace velvane::platform {

using win32::GdiTraits;
using win32::MemoryDc;
using win32::SelectScope;
using win32::UniqueBitmap;
using win32::WindowDc;
using UniquePalette = UniqueOf<HPALETTE, GdiTraits>;

struct Picture::Handles {
  UniqueBitmap bitmap;
  UniquePalette palette;  // only on a 256-colour display
  int width = 0;
  int height = 0;
  const char* rows = nullptr;  // the DIB section's pixels; none in a compatible bitmap
  mutable std::string indexed;  // a compatible bitmap's pixels, read back when asked for
};

Picture::Picture() = default;
Picture::Picture(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}
Picture::Picture(Picture&&) noexcept = default;
Picture& Picture::operator=(Picture&&) noexcept = default;
Picture::~Picture() = default;

namespace {

constexpr int kPaletteEntries = 256;

// A palette selected into a DC and realised for the scope, then the previous one put back.
class PaletteScope {
public:
  PaletteScope(HDC dc, HPALETTE palette) : dc_(dc), old_(palette ? SelectPalette(dc, palette, FALSE) : nullptr) {
    if (old_) RealizePalette(dc);
  }
  PaletteScope(const PaletteScope&) = delete;
  PaletteScope& operator=(const PaletteScope&) = delete;
  ~PaletteScope() {
    if (old_) SelectPalette(dc_, old_, FALSE);
  }

private:
  HDC dc_;
  HPALETTE old_;
};

// The system palette of a 256-colour display; none on any other.
UniquePalette SystemPalette(HDC source) {
  if (!(GetDeviceCaps(source, RASTERCAPS) & RC_PALETTE) || GetDeviceCaps(source, SIZEPALETTE) != kPaletteEntries)
    return UniquePalette();
  std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + (kPaletteEntries - 1) * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = kPaletteEntries;
  GetSystemPaletteEntries(source, 0, kPaletteEntries, logical->palPalEntry);
  return UniquePalette(CreatePalette(logical));
}

HWND AsHwnd(std::intptr_t window) { return reinterpret_cast<HWND>(window); }

}  // namespace

Picture CaptureWindow(std::intptr_t window, bool client, int left, int top, int width, int height) {
  auto handles = std::make_unique<Picture::Handles>();
  const WindowDc source(AsHwnd(window), !client);
  const MemoryDc memory(CreateCompatibleDC(source.get()));
  if (width > 0 && height > 0) {
    handles->palette = SystemPalette(source.get());
    if (handles->palette) {
      handles->bitmap.reset(CreateCompatibleBitmap(source.get(), width, height));
    } else {
      BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};  // bottom-up
      void* bits = nullptr;
      handles->bitmap.reset(
          CreateDIBSection(source.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
      handles->rows = static_cast<const char*>(bits);
    }
  }
  if (memory && handles->bitmap) {
    handles->width = width;
    handles->height = height;
    const SelectScope bitmap(memory.get(), handles->bitmap.get());
    const PaletteScope palette(memory.get(), handles->palette.get());
    BitBlt(memory.get(), 0, 0, width, height, source.get(), left, top, SRCCOPY);
    GdiFlush();  // the DIB section's pixels are read directly
  }
  return Picture(std::move(handles));
}

BitmapPixels Picture::Pixels() const {
  BitmapPixels pixels;
  const bool paletted = handles_ && handles_->palette;
  pixels.bitsPerPixel = paletted ? 8 : 24;
  if (!handles_ || !handles_->bitmap) {
    static constexpr char kBlackPixel[4] = {};
    pixels.width = pixels.height = 1;
    pixels.rows = std::string_view(kBlackPixel, sizeof kBlackPixel);
    return pixels;
  }
  pixels.width = handles_->width;
  pixels.height = handles_->height;

  const auto lines = static_cast<size_t>(pixels.height);
  if (!paletted) {
    const auto bytes = static_cast<size_t>(BitmapPixels::Stride(pixels.width, 24)) * lines;
    if (handles_->rows) pixels.rows = std::string_view(handles_->rows, bytes);
    return pixels;
  }
  std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + kPaletteEntries * sizeof(RGBQUAD));
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = pixels.width;
  header->biHeight = pixels.height;  // bottom-up, as the file keeps them
  header->biPlanes = 1;
  header->biBitCount = 8;
  header->biCompression = BI_RGB;
  // The colour table of an 8-bit read comes from the palette selected into the DC.
  const MemoryDc dc(CreateCompatibleDC(nullptr));
  const PaletteScope palette(dc.get(), handles_->palette.get());
  std::string& indexed = handles_->indexed;
  indexed.assign(static_cast<size_t>(BitmapPixels::Stride(pixels.width, 8)) * lines, '\0');
  GetDIBits(dc.get(), handles_->bitmap.get(), 0, static_cast<UINT>(lines), indexed.data(),
            reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  pixels.rows = indexed;
  {
    const auto* colours = reinterpret_cast<const RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < kPaletteEntries; ++i)
      pixels.palette.push_back(static_cast<std::uint32_t>(colours[i].rgbRed) << 16 |
                               static_cast<std::uint32_t>(colours[i].rgbGreen) << 8 | colours[i].rgbBlue);
  }
  return pixels;
}

std::intptr_t DesktopWindow() { return reinterpret_cast<std::intptr_t>(GetDesktopWindow()); }
std::intptr_t ForegroundWindow() { return reinterpret_cast<std::intptr_t>(GetForegroundWindow()); }

std::optional<WindowBounds> WindowRectangle(std::intptr_t window) {
  RECT r{};
  if (!GetWindowRect(AsHwnd(window), &r)) return std::nullopt;
  return WindowBounds{r.left, r.top, r.right, r.bottom};
}

WindowBounds VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return WindowBounds{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::optional<WindowBounds> VisibleFrame(std::intptr_t window) {
  // dwmapi is loaded on first use: a static import would slow every start, and Windows before Vista lacks it.
  using GetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
  static const auto getAttribute = win32::SystemFunction<GetAttributeFn>(L"dwmapi.dll", "DwmGetWindowAttribute");
  RECT r{};
  if (!getAttribute || FAILED(getAttribute(AsHwnd(window), DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof(r))) ||
      r.right <= r.left || r.bottom <= r.top)
    return std::nullopt;
  return WindowBounds{r.left, r.top, r.right, r.bottom};
}

}  // namespace velvane::platform
