#include "ui/dialog_layout.h"

#include <algorithm>

#include "common/errors.h"
#include "common/text_files.h"
#include "ui/monitors.h"

namespace velvane::ui {

ui::Font FontOf(double points) {
  ui::Font font;
  font.points = points;
  return font;
}

ui::WindowSpec DialogFrame(const std::wstring& caption, int widthTwips, int heightTwips, const std::wstring& appDir) {
  ui::WindowSpec spec;
  spec.caption = caption;
  spec.clientWidth = widthTwips / kTwipsPerPixel;
  spec.clientHeight = heightTwips / kTwipsPerPixel;
  spec.dialogFrame = true;
  if (const std::wstring icon = appDir + L"icon.ico"; FileExists(icon)) spec.iconPath = icon;
  return spec;
}

void LoadPictureOrClear(ui::Image& image, const std::wstring& path) {
  try {
    image.LoadPicture(path);
  } catch (const RuntimeError&) {
    image.ClearPicture();
  }
}

void PlaceBeside(ui::Window& window, const ui::Window& other) {
  constexpr int kGap = 8;
  const ui::Rect area = ui::MonitorOf(ui::Monitors(), {other.Left(), other.Top(), other.Width(), other.Height()}).work;
  int left = other.Left() + other.Width() + kGap;
  if (left + window.Width() > area.x + area.w) left = std::max(area.x, other.Left() - window.Width() - kGap);
  window.Move(left, std::max(area.y, std::min(other.Top(), area.y + area.h - window.Height())));
}

}  // namespace velvane::ui
