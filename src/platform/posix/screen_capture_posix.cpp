// Without a window system the pictures come from the tests' fake display (platform/screen_capture_testing.h).
#include "platform/screen_capture.h"
#include "platform/screen_capture_testing.h"

namespace velvane::platform {

struct Picture::Handles {
  BitmapPixels pixels;
  std::string rows;
};

Picture::Picture() = default;
Picture::Picture(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}
Picture::Picture(Picture&&) noexcept = default;
Picture& Picture::operator=(Picture&&) noexcept = default;
Picture::~Picture() = default;

namespace testing {
FakeDisplay& TheFakeDisplay() {
  static FakeDisplay display;
  return display;
}
}  // namespace testing

Picture CaptureWindow(std::intptr_t window, bool client, int left, int top, int width, int height) {
  testing::FakeDisplay& display = testing::TheFakeDisplay();
  display.captures.push_back({window, client, left, top, width, height});
  if (display.failing || width <= 0 || height <= 0) return Picture();
  const WindowBounds origin = WindowRectangle(window).value_or(WindowBounds{});
  auto handles = std::make_unique<Picture::Handles>();
  BitmapPixels& p = handles->pixels;
  p.width = width;
  p.height = height;
  p.palette = display.palette;
  p.bitsPerPixel = p.palette.empty() ? 24 : 8;
  const auto stride = static_cast<size_t>(BitmapPixels::Stride(width, p.bitsPerPixel));
  handles->rows.assign(stride * static_cast<size_t>(height), '\0');
  for (int y = 0; y < height; ++y) {
    char* row = handles->rows.data() + stride * static_cast<size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = display.colorAt(origin.left + left + x, origin.top + top + y);
      if (p.bitsPerPixel == 8) {
        row[x] = static_cast<char>(c & 0xFF);
      } else {
        for (int i = 0; i < 3; ++i) row[x * 3 + i] = static_cast<char>((c >> (8 * i)) & 0xFF);
      }
    }
  }
  p.rows = handles->rows;
  return Picture(std::move(handles));
}

BitmapPixels Picture::Pixels() const {
  if (handles_) return handles_->pixels;
  static constexpr char kBlackPixel[4] = {};
  BitmapPixels blank;
  blank.width = blank.height = 1;
  blank.rows = std::string_view(kBlackPixel, sizeof kBlackPixel);
  return blank;
}

std::intptr_t DesktopWindow() { return testing::FakeDisplay::kDesktop; }
std::intptr_t ForegroundWindow() { return testing::TheFakeDisplay().foreground; }

std::optional<WindowBounds> WindowRectangle(std::intptr_t window) {
  if (window == testing::FakeDisplay::kDesktop) return testing::TheFakeDisplay().screen;
  const auto& windows = testing::TheFakeDisplay().windows;
  const auto found = windows.find(window);
  if (found == windows.end()) return std::nullopt;
  return found->second;
}

WindowBounds VirtualScreen() {
  const testing::FakeDisplay& display = testing::TheFakeDisplay();
  return display.virtualScreen.value_or(display.screen);
}

std::optional<WindowBounds> VisibleFrame(std::intptr_t window) {
  const auto& frames = testing::TheFakeDisplay().visibleFrames;
  const auto found = frames.find(window);
  if (found == frames.end()) return std::nullopt;
  return found->second;
}

}  // namespace velvane::platform
