#pragma once
// Screenshots of the whole screen or of the foreground window, saved as numbered bitmaps.
#include <cstdint>

namespace velvane {

class clsScreenshot {
public:
  static constexpr std::uint8_t kConfiguredKind = 50;  // stands for ScreenshotType
  void TakeScreenshot(std::uint8_t& kind);
};

}  // namespace velvane
