#pragma once
// How the side bar's dialogs look: the skin's colours and pictures and captions from the language table, taken from
// the side bar's owner. Kept beside the dialogs, above the forms layer, which knows no program.
#include <string>

#include "ui/dialog_layout.h"

namespace velvane {
struct Velvane;
}
namespace velvane::ui {

// A dialog frame with the program folder's icon, the skin's background, the font of that size and the caption from
// the language table.
ui::WindowSpec DialogSpec(const Velvane& app, const std::wstring& captionKey, int widthTwips, int heightTwips, double points);
void LoadSkinPicture(const Velvane& app, ui::Image& image, const wchar_t* file);  // from the skin's folder
// The skin's title bar picture, stretched over the top of the window.
ui::Image& AddTopBar(const Velvane& app, ui::Window& window);
// lbl(index) with its caption from the language table; lbl(0) is the title, widened where its text needs it.
ui::Label& AddCaptionLabel(const Velvane& app, ui::Window& window, int index, ui::Rect bounds, const std::wstring& key,
                           double points);
// cmd(index) with its caption from the language table.
ui::Button& AddCaptionButton(const Velvane& app, ui::Window& window, int index, ui::Rect bounds, const std::wstring& key);

}  // namespace velvane::ui
