#include "sidebar/list_rows.h"

#include "ui/dialog_layout.h"

namespace velvane {

void ShowClipboardRows(const clsClipboard& history, const std::array<ui::Label*, clsClipboard::kTotal + 1>& rows) {
  const std::wstring& lastSeen = history.LastSeen();
  for (int i = 1; i <= clsClipboard::kTotal; ++i) {
    ui::Label* label = rows[static_cast<size_t>(i)];
    if (!label) continue;
    const std::wstring& text = history.ClipbText(static_cast<std::uint8_t>(i));
    // Only changed properties are set: every tick that takes a text in redraws all seven rows.
    if (std::wstring caption = clsClipboard::CaptionOf(text); caption != label->Text()) label->SetText(caption);
    if (std::wstring tip = clsClipboard::ToolTipOf(text); tip != label->ToolTip()) label->SetToolTip(tip);
    if (!lastSeen.empty()) {
      ui::Font font = label->GetFont();
      const bool marked = text == lastSeen;
      if (font.bold != marked) {
        font.bold = marked;
        label->SetFont(font);
      }
    }
  }
}

void ShowClipboardLock(const clsClipboard& history, std::uint8_t num, ui::Image& lock, const std::wstring& skin) {
  ui::LoadPictureOrClear(lock, skin + (history.Locked(num) ? L"\\lock_on.bmp" : L"\\lock_off.bmp"));
}

void ShowShelfRows(const clsTempFiles& shelf, const std::array<ui::Label*, clsTempFiles::kTotal + 1>& rows) {
  for (int i = 1; i <= clsTempFiles::kTotal; ++i) {
    ui::Label* label = rows[static_cast<size_t>(i)];
    if (!label) continue;
    const std::wstring caption = clsTempFiles::CaptionOf(shelf.FilePath(static_cast<std::uint8_t>(i)));
    if (caption != label->Text()) label->SetText(caption);
  }
}

void ShowToDoRows(const clsToDo& list, ui::ListBox& rows) {
  rows.Clear();
  for (int i = 1; i <= list.Count(); ++i) rows.AddItem(list.Item(i));
}

}  // namespace velvane
