#pragma once
// The headless build's display, which the tests paint and inspect: the screen is a function of the point, windows
// are rectangles on it, and every capture is recorded.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/screen_capture.h"

namespace velvane::platform::testing {

struct FakeDisplay {
  static constexpr std::intptr_t kDesktop = 1;  // the screen itself, its origin at 0, 0

  struct Capture {
    std::intptr_t window = 0;
    bool client = false;
    int left = 0, top = 0, width = 0, height = 0;
  };

  // 0x00RRGGBB of a screen point; on a 256-colour display (a palette given) the colour index.
  std::function<std::uint32_t(int x, int y)> colorAt = [](int, int) { return 0u; };
  std::vector<std::uint32_t> palette;  // 256 entries make the display a 256-colour one
  WindowBounds screen{0, 0, 1280, 1024};  // the desktop window's rectangle
  std::optional<WindowBounds> virtualScreen;  // every monitor together; the screen alone when not set
  std::map<std::intptr_t, WindowBounds> windows;  // outer rectangles of the windows other than the desktop
  std::map<std::intptr_t, WindowBounds> visibleFrames;  // where the composer draws less than the outer rectangle
  std::intptr_t foreground = 0;
  bool failing = false;  // the system gives no bitmap
  std::vector<Capture> captures;
};

FakeDisplay& TheFakeDisplay();
inline void ResetFakeDisplay() { TheFakeDisplay() = FakeDisplay{}; }

}  // namespace velvane::platform::testing
