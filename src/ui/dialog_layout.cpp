#include "ui/dialog_layout.h"

#include <algorithm>

#include "common/errors.h"
#include "common/folders.h"
#include "common/text_files.h"
#include "core/velvane.h"
#include "ui/monitors.h"

namespace velvane::ui {
namespace {

constexpr int kTopBarHeightTwips = 960;

}  // namespace

ui::Font FontOf(double points) {
  ui::Font font;
  font.points = points;
  return font;
}

ui::WindowSpec DialogFrame(const std::wstring& caption, int widthTwips, int heightTwips) {
  ui::WindowSpec spec;
  spec.caption = caption;
  spec.clientWidth = widthTwips / kTwipsPerPixel;
  spec.clientHeight = heightTwips / kTwipsPerPixel;
  spec.dialogFrame = true;
  if (const std::wstring icon = AppDir + L"icon.ico"; FileExists(icon)) spec.iconPath = icon;
  return spec;
}

ui::WindowSpec DialogSpec(const Velvane& app, const std::wstring& captionKey, int widthTwips, int heightTwips, double points) {
  ui::WindowSpec spec = DialogFrame(app.LangText(captionKey), widthTwips, heightTwips);
  spec.back = app.settings.BackColor;
  spec.font = FontOf(points);
  return spec;
}

void LoadPictureOrClear(ui::Image& image, const std::wstring& path) {
  try {
    image.LoadPicture(path);
  } catch (const RuntimeError&) {
    image.ClearPicture();
  }
}

void LoadSkinPicture(const Velvane& app, ui::Image& image, const wchar_t* file) {
  LoadPictureOrClear(image, app.settings.SkinFolder() + L"\\" + file);
}

ui::Image& AddTopBar(const Velvane& app, ui::Window& window) {
  ui::Image& image = window.AddImage(L"imgTop", {0, 0, window.ClientWidth(), kTopBarHeightTwips / kTwipsPerPixel});
  image.SetStretch(true);
  LoadSkinPicture(app, image, L"topbar_thick.bmp");
  return image;
}

ui::Label& AddCaptionLabel(const Velvane& app, ui::Window& window, int index, ui::Rect bounds, const std::wstring& key,
                           double points) {
  ui::Label& label = window.AddLabel(L"lbl(" + std::to_wstring(index) + L")", bounds, app.LangText(key));
  label.SetFont(FontOf(points));
  label.SetForeColor(app.settings.TextColors[index == 0 ? 2 : 0]);
  // The title over the banner keeps its design place and height; its width grows only where the text is longer, in
  // whatever language, since the design width fits only the shortest titles and a title is never cut.
  if (index == 0) {
    label.SetAutoSize(true);  // measured in its font
    const int textWidth = label.Bounds().w;
    label.SetAutoSize(false);
    label.SetBounds({bounds.x, bounds.y, std::max(bounds.w, textWidth), bounds.h});
  }
  return label;
}

ui::Button& AddCaptionButton(const Velvane& app, ui::Window& window, int index, ui::Rect bounds, const std::wstring& key) {
  ui::Button& button = window.AddButton(L"cmd(" + std::to_wstring(index) + L")", bounds, app.LangText(key));
  button.SetFont(FontOf(kSmallPoints));
  return button;
}

void PlaceBeside(ui::Window& window, const ui::Window& other) {
  constexpr int kGap = 8;
  const ui::Rect area = ui::MonitorOf(ui::Monitors(), {other.Left(), other.Top(), other.Width(), other.Height()}).work;
  int left = other.Left() + other.Width() + kGap;
  if (left + window.Width() > area.x + area.w) left = std::max(area.x, other.Left() - window.Width() - kGap);
  window.Move(left, std::max(area.y, std::min(other.Top(), area.y + area.h - window.Height())));
}

}  // namespace velvane::ui
