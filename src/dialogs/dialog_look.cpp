#include "dialogs/dialog_look.h"

#include <algorithm>

#include "core/velvane.h"

namespace velvane::ui {
namespace {

constexpr int kTopBarHeightTwips = 960;

}  // namespace

ui::WindowSpec DialogSpec(const Velvane& app, const std::wstring& captionKey, int widthTwips, int heightTwips, double points) {
  ui::WindowSpec spec = DialogFrame(app.LangText(captionKey), widthTwips, heightTwips, app.store.folders.AppDir);
  spec.back = app.settings.BackColor;
  spec.font = FontOf(points);
  return spec;
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

}  // namespace velvane::ui
