#pragma once
// Pictures taken from the screen. Windows are named by their native handle as a number (HWND on Windows).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velvane::platform {

// Pixels laid out as a bitmap file holds them: rows bottom-up, each padded to a multiple of 4 bytes; 24 bits per pixel
// (blue, green, red), or 8 bits indexing the colour table (entries 0x00RRGGBB). The rows are the picture's own memory,
// not a copy: they are valid while the picture lives.
struct BitmapPixels {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;
  std::vector<std::uint32_t> palette;
  std::string_view rows;

  static int Stride(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }
};

// A captured picture. It owns the system's bitmap and palette and frees both when it goes.
class Picture {
public:
  struct Handles;  // each platform's own
  Picture();
  explicit Picture(std::unique_ptr<Handles> handles);
  Picture(Picture&&) noexcept;
  Picture& operator=(Picture&&) noexcept;
  ~Picture();

  // The pixels in bitmap-file layout. A picture without a bitmap (nothing could be captured) reads as one black pixel.
  BitmapPixels Pixels() const;

private:
  std::unique_ptr<Handles> handles_;
};

// Copies width x height pixels at left, top of the window (its client area, or the whole window with its frame) into
// a new bitmap, with the system palette on a 256-colour display. System failures give a blank or empty picture.
Picture CaptureWindow(std::intptr_t window, bool client, int left, int top, int width, int height);
std::intptr_t DesktopWindow();
std::intptr_t ForegroundWindow();

struct WindowBounds {
  int left = 0, top = 0, right = 0, bottom = 0;
};
// The outer rectangle in screen pixels; nullopt when the window cannot be asked.
std::optional<WindowBounds> WindowRectangle(std::intptr_t window);
// The rectangle that holds every monitor, in the desktop's pixels (the primary monitor's top-left corner is 0, 0).
WindowBounds VirtualScreen();
// The part of the outer rectangle that is drawn (the desktop composer's frame, without invisible resize borders);
// nullopt when the system does not say.
std::optional<WindowBounds> VisibleFrame(std::intptr_t window);

}  // namespace velvane::platform
