#pragma once
// Screenshots of the whole screen or of the foreground window, saved as numbered bitmaps.
#include <cstdint>
#include <string>

#include "common/outcome.h"
#include "platform/screen_capture.h"

namespace velvane {
struct Settings;

class clsScreenshot {
public:
  static constexpr std::uint8_t kScreen = 0;
  static constexpr std::uint8_t kActiveWindow = 1;  // the foreground window with its frame
  static constexpr std::uint8_t kConfiguredKind = 50;  // stands for ScreenshotType

  // Pixels of the window (client area or whole window) at left, top; a failed capture gives a blank picture.
  platform::Picture CaptureWindow(std::intptr_t window, bool client, int left, int top, int width, int height) const;
  platform::Picture CaptureScreen() const;
  // A form's window by its native handle: whole with its frame (outer size), or its client area (inner size).
  platform::Picture CaptureForm(std::intptr_t window, int width, int height) const;
  platform::Picture CaptureClient(std::intptr_t window, int width, int height) const;
  platform::Picture CaptureActiveWindow() const;
  // Captures as the kind says (kConfiguredKind is replaced by ScreenshotType, in the caller's variable too) and saves
  // the picture as ScreenshotFile(); any other kind saves nothing. Then the number goes up by one (exactly, at any
  // size) in OptTxt and in config.qdt. A picture that cannot be written answers the reason and leaves the number as it
  // was.
  Outcome TakeScreenshot(Settings& settings, std::uint8_t& kind);
};

// ScreensDir & prefix & number & ".bmp", the number as OptTxt entry 1 holds it (0 when it holds none).
std::wstring ScreenshotFile(const Settings& settings);
// Removes what interrupted screenshot saves left in the screenshot folder: only the names of this prefix and a number,
// since the folder is the user's. Called at start, before any screenshot is taken.
void RemoveScreenshotLeftovers(const Settings& settings);
// What a bitmap file holds before its pixel rows: file header, information header, colour table (8 bits only).
std::string BitmapFileHeader(const platform::BitmapPixels& pixels);
// Writes the picture to the file in one step (an existing file is replaced whole or not at all).
Outcome SavePicture(const platform::Picture& picture, const std::wstring& path);

}  // namespace velvane
