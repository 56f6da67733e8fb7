#include "dialogs/frm_key_press.h"

#include "core/config.h"
#include "core/velvane.h"
#include "dialogs/dialog_look.h"

namespace velvane {
namespace {

using ui::Twips;

constexpr int kLastKeyCode = 255;  // virtual-key codes fit a byte; anything above is not a key of the polling

}  // namespace

frmKeyPress::frmKeyPress(Velvane& app)
    : SingleDialog(ui::DialogSpec(app, L"_keys:title", 4635, 2055, ui::kSmallPoints)), app_(app) {
  // No control takes the focus: every key reaches the window itself.
  lbl = &window_->AddLabel(L"lbl", Twips(60, 600, 4515, 855), app_.LangText(L"_keys:msg1"));
  lbl->SetForeColor(app_.settings.TextColors[0]);
  lbl->SetAlign(ui::Align::Center);
  window_->onKeyUp = [this](const ui::KeyEvent& e) { OnKeyUp(e); };
  window_->onDeactivate = [this] { OnDeactivate(); };
  window_->CenterOnScreen();
}

frmKeyPress& frmKeyPress::ShowDialog(Velvane& app, std::uint8_t key, const ui::Window* beside) {
  frmKeyPress& dialog = Show([&app] { return std::unique_ptr<frmKeyPress>(new frmKeyPress(app)); }, beside);
  dialog.SetKey(key);
  return dialog;
}

void frmKeyPress::OnKeyUp(const ui::KeyEvent& e) {
  if (e.keyCode == kEscape) {
    window_->Close();
    return;
  }
  if (e.keyCode < 0 || e.keyCode > kLastKeyCode || keyCount_ >= 2) return;
  capturedKeys_[static_cast<size_t>(keyCount_++)] = static_cast<std::uint8_t>(e.keyCode);
  if (keyCount_ == 1) {
    lbl->SetText(app_.LangText(L"_keys:msg2"));
    return;
  }
  if (settedKey_ == 1 || settedKey_ == 2) app_.settings.HotKeys[settedKey_ - 1u] = KeyPair{capturedKeys_[0], capturedKeys_[1]};
  // Taken before the window goes: hiding it hands the focus away, which closes it.
  const std::wstring title = app_.LangText(window_->Caption());
  window_->Hide();
  ui::MsgBox(app_.LangText(L"_keys:donewin"), ui::kMbOk | ui::kMbInformation, title);
  window_->Close();
}

void frmKeyPress::OnDeactivate() { window_->Close(); }

}  // namespace velvane
