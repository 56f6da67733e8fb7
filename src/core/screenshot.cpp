#include "core/screenshot.h"

#include "common/numbers.h"
#include "common/setting_keys.h"
#include "common/text.h"
#include "common/data_store.h"
#include "core/config.h"
#include "platform/files.h"

namespace velvane {

platform::Picture clsScreenshot::CaptureWindow(std::intptr_t window, bool client, int left, int top, int width,
                                               int height) const {
  return platform::CaptureWindow(window, client, left, top, width, height);
}

platform::Picture clsScreenshot::CaptureScreen() const {
  // Every monitor, as the Print Screen key takes them: the desktop's origin is the primary monitor's top-left corner.
  const platform::WindowBounds all = platform::VirtualScreen();
  return CaptureWindow(platform::DesktopWindow(), false, all.left, all.top, all.right - all.left, all.bottom - all.top);
}

platform::Picture clsScreenshot::CaptureActiveWindow() const {
  // The frame the user sees, without the invisible resize borders that newer Windows counts in the outer rectangle.
  const std::intptr_t window = platform::ForegroundWindow();
  const platform::WindowBounds r = platform::WindowRectangle(window).value_or(platform::WindowBounds{});
  const platform::WindowBounds seen = platform::VisibleFrame(window).value_or(r);
  return CaptureWindow(window, false, seen.left - r.left, seen.top - r.top, seen.right - seen.left,
                       seen.bottom - seen.top);
}

Screenshot clsScreenshot::TakeScreenshot(Settings& settings, ProfileFile& config, std::optional<std::uint8_t> kind) {
  Screenshot shot{kind.value_or(settings.ScreenshotType), {}, {}, {}};
  if (shot.kind == kScreen || shot.kind == kActiveWindow) {
    // A number whose file is there already (its write failed once, or it was typed in again) is passed over.
    while (platform::GetFileStamp(ScreenshotFile(settings)))
      settings.ScreenshotNumber = NextNumberText(settings.ScreenshotNumber);
    shot.file = ScreenshotFile(settings);
    shot.saved = SavePicture(shot.kind == kScreen ? CaptureScreen() : CaptureActiveWindow(), shot.file);
    if (!shot.saved) return shot;
  }
  settings.ScreenshotNumber = NextNumberText(settings.ScreenshotNumber);
  shot.numbered = config.Set({keys::kScreenshotNumber.Is(settings.ScreenshotNumber)});
  return shot;
}

// The number is named as stored ("007", "7.5"): its value would give two texts one file. Only a text without a
// number is named 0.
std::wstring ScreenshotFile(const Settings& settings) {
  const std::wstring& number = settings.ScreenshotNumber;
  return settings.ScreensDir + settings.ScreenshotPrefix + (HoldsNumber(number) ? number : L"0") + L".bmp";
}

void RemoveScreenshotLeftovers(const Settings& settings) {
  // A prefix may name a folder below the screenshot folder too ("2024\shot_").
  const std::wstring path = settings.ScreensDir + settings.ScreenshotPrefix;
  const size_t slash = path.find_last_of(L'\\') + 1;
  const std::wstring folder = path.substr(0, slash), prefix = path.substr(slash);
  const std::wstring ending = std::wstring(L".bmp") + platform::kSaveTemporarySuffix;
  if (prefix.find_first_of(L"*?") != std::wstring::npos) return;  // no file of ours has such a name
  for (const platform::DirEntry& e : platform::ListDirectory(folder + prefix + L"*" + ending)) {
    if (e.folder || e.name.size() <= prefix.size() + ending.size()) continue;
    if (HoldsNumber(std::wstring_view(e.name).substr(prefix.size(), e.name.size() - prefix.size() - ending.size())))
      platform::RemoveFile(folder + e.name);
  }
}

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dpi

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string BitmapFileHeader(const platform::BitmapPixels& pixels) {
  const auto colours = static_cast<std::uint32_t>(pixels.bitsPerPixel <= 8 ? pixels.palette.size() : 0);
  const std::uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes + 4 * colours;
  const auto imageBytes = static_cast<std::uint32_t>(pixels.rows.size());
  std::string bytes;
  bytes.reserve(offset);
  bytes += "BM";
  PutLittleEndian(bytes, offset + imageBytes, 4);
  PutLittleEndian(bytes, 0, 4);  // reserved
  PutLittleEndian(bytes, offset, 4);
  PutLittleEndian(bytes, kInfoHeaderBytes, 4);
  PutLittleEndian(bytes, static_cast<std::uint32_t>(pixels.width), 4);
  PutLittleEndian(bytes, static_cast<std::uint32_t>(pixels.height), 4);  // positive: rows bottom-up
  PutLittleEndian(bytes, 1, 2);  // planes
  PutLittleEndian(bytes, static_cast<std::uint32_t>(pixels.bitsPerPixel), 2);
  PutLittleEndian(bytes, 0, 4);  // no compression
  PutLittleEndian(bytes, imageBytes, 4);
  PutLittleEndian(bytes, kPixelsPerMetre, 4);
  PutLittleEndian(bytes, kPixelsPerMetre, 4);
  PutLittleEndian(bytes, colours, 4);
  PutLittleEndian(bytes, 0, 4);  // every colour counts
  for (std::uint32_t i = 0; i < colours; ++i) PutLittleEndian(bytes, pixels.palette[i], 4);  // blue, green, red, 0
  return bytes;
}

Outcome SavePicture(const platform::Picture& picture, const std::wstring& path) {
  // Header and rows are written one after the other, the rows straight from the captured bitmap: a screen's worth of
  // pixels is never copied.
  const platform::BitmapPixels pixels = picture.Pixels();
  platform::SystemError error = 0;
  if (platform::ReplaceFileContents(path, {BitmapFileHeader(pixels), pixels.rows}, &error)) return {};
  return Outcome(error);
}

}  // namespace velvane
