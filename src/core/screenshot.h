#pragma once
// Screenshots of the whole screen or of the foreground window, saved as numbered bitmaps.
#include <cstdint>
#include <optional>
#include <string>

#include "common/outcome.h"
#include "platform/screen_capture.h"

namespace velvane {
struct Settings;
class ProfileFile;

// What a screenshot did: the kind taken, the file its picture went to ("" for a kind that takes none), the save of
// the picture and the write of the next number to config.qdt.
struct Screenshot {
  std::uint8_t kind = 0;
  std::wstring file;
  Outcome saved, numbered;
};

class clsScreenshot {
public:
  static constexpr std::uint8_t kScreen = 0;
  static constexpr std::uint8_t kActiveWindow = 1;  // the foreground window with its frame

  // Pixels of the window (client area or whole window) at left, top; a failed capture gives a blank picture.
  platform::Picture CaptureWindow(std::intptr_t window, bool client, int left, int top, int width, int height) const;
  platform::Picture CaptureScreen() const;
  platform::Picture CaptureActiveWindow() const;
  // Captures as the kind says (none given: ScreenshotType) and saves the picture as ScreenshotFile(), counting on past
  // the numbers whose files exist, so that no older picture is ever overwritten; any other kind saves nothing. Then the
  // number goes up by one (exactly, at any size) in the settings and in config.qdt. A picture that cannot be written
  // leaves the number as it was.
  Screenshot TakeScreenshot(Settings& settings, ProfileFile& config, std::optional<std::uint8_t> kind = std::nullopt);
};

// ScreensDir & prefix & number & ".bmp", the number as ScreenshotNumber holds it (0 when it holds none).
std::wstring ScreenshotFile(const Settings& settings);
// Removes what interrupted screenshot saves left in the screenshot folder: only the names of this prefix and a number,
// since the folder is the user's. Called at start, before any screenshot is taken.
void RemoveScreenshotLeftovers(const Settings& settings);
// What a bitmap file holds before its pixel rows: file header, information header, colour table (8 bits only).
std::string BitmapFileHeader(const platform::BitmapPixels& pixels);
// Writes the picture to the file in one step (an existing file is replaced whole or not at all).
Outcome SavePicture(const platform::Picture& picture, const std::wstring& path);

}  // namespace velvane
