#include "sidebar/frm_main.h"
// The side bar for the keyboard and for screen readers: the reading order that Tab follows, the names of the pictures
// and the boxes, what Esc and Delete do, and the hints that the keyboard brings up where the pointer would.

#include "common/text.h"
#include "core/velvane.h"
#include "core/visibility.h"

namespace velvane {

bool frmMain::Animated() const { return ui::ClientAreaAnimation(); }

void frmMain::WireAccess() {
  ui::Window& w = *window_;
  // The caption stays the design's key; screen readers hear the program's name.
  w.SetAccessibleName(app_->LangText(L"_main:title", L"Velvane"));

  for (int row = 1; row < clsClipboard::kTotal; ++row) {
    imgLock_[static_cast<size_t>(row)]->SetRole(ui::Role::CheckButton);
    imgLock_[static_cast<size_t>(row)]->SetAccessibleName(
        ReplaceAll(app_->LangText(L"_acc:lock", L"Lock entry %n"), L"%n", std::to_wstring(row)));
  }
  lblClip_[clsClipboard::kTotal]->SetRole(ui::Role::StaticText);  // the newest entry cannot be picked or deleted
  // The shelf is a list of its rows; the drop zone over its title stands for it.
  lblFDrop_->SetRole(ui::Role::List);
  lblFDrop_->SetAccessibleName(lbl_[1]->Text());
  for (int row = 1; row <= clsTempFiles::kTotal; ++row) {
    lblFiles_[static_cast<size_t>(row)]->SetRole(ui::Role::ListItem);
    lblFiles_[static_cast<size_t>(row)]->SetAccessibleParent(lblFDrop_);
  }
  img_->SetAccessibleName(app_->LangText(L"_acc:todoadd", L"Add a to-do item"));
  txtToDo_->SetAccessibleName(app_->LangText(L"_acc:todoentry", L"New to-do item"));
  lstToDo_->SetAccessibleName(lbl_[3]->Text());
  imgSaveNote_->SetAccessibleName(app_->LangText(L"_acc:notesave", L"Save the selected notes to a file"));
  txtNotes_->SetAccessibleName(lbl_[4]->Text());
  txtExec_->SetAccessibleName(lbl_[2]->Text());
  imgGoScreen_->SetAccessibleName(app_->LangText(L"_acc:ssfolder", L"Open the screenshot folder"));

  // Left to right along the top (clipboard, shelf, to-do list, notes), then the launcher below the clipboard, then
  // the buttons in the middle with the screenshot pictures beside them, and the info line last.
  std::vector<ui::Control*> order{lbl_[0]};
  for (int row = 1; row <= clsClipboard::kTotal; ++row) {
    if (row < clsClipboard::kTotal) order.push_back(imgLock_[static_cast<size_t>(row)]);
    order.push_back(lblClip_[static_cast<size_t>(row)]);
  }
  order.insert(order.end(), {lbl_[1], lblFDrop_});
  order.insert(order.end(), lblFiles_.begin() + 1, lblFiles_.end());
  using B = MainButton;
  order.insert(order.end(), {lbl_[3], img_, txtToDo_, lstToDo_, lbl_[4], imgSaveNote_, txtNotes_, lbl_[2], txtExec_,
                             lblAppName_, &lblBtn(B::AddExec), &lblBtn(B::ExecList), &lblBtn(B::Notepad),
                             &lblBtn(B::About), &lblBtn(B::Settings), &lblBtn(B::Hide), &lblBtn(B::Close),
                             imgGoScreen_, imgSS_, lblInfo_});
  w.SetReadingOrder(order);

  // What the pointer shows in the info line over a tool, the keyboard shows when it moves to the tool (not when the
  // bar, coming forward, puts the focus back).
  for (ui::Control* c : order) {
    if (c->onMouseMove && (c->Kind() == ui::ControlKind::Label || c->Kind() == ui::ControlKind::Image))
      c->onGotFocus = [&w, hint = c->onMouseMove] {
        if (w.FocusMovingByKey()) hint(ui::MouseEvent{});
      };
  }
  // Delete on a clipboard or shelf row does what the right button does there: the entry goes.
  auto deleteKey = [](ui::Label& row) {
    row.onKeyDown = [&row](const ui::KeyEvent& e) {
      if (e.keyCode == ui::kKeyDelete && e.shift == 0 && row.onMouseDown) row.onMouseDown({ui::kRightButton, 0, 0, 0});
    };
  };
  for (int row = 1; row < clsClipboard::kTotal; ++row) deleteKey(*lblClip_[static_cast<size_t>(row)]);
  for (int row = 1; row <= clsTempFiles::kTotal; ++row) deleteKey(*lblFiles_[static_cast<size_t>(row)]);

  // Esc leaves the new to-do item unwritten when its box has the focus, and otherwise hides the bar.
  w.onCancel = [this] {
    if (!txtToDo_->HasFocus()) {
      ShowSideBar(*app_, false);
      return;
    }
    txtToDo_->SetText(L"");
    txtToDo_->SetVisible(false);
    img_->Focus();
  };
}

void frmMain::NameScreenshotKind(std::uint8_t kind) {
  imgSS_->SetAccessibleName(kind == 1 ? app_->LangText(L"_acc:sskind1", L"Screenshots take the active window")
                                      : app_->LangText(L"_acc:sskind0", L"Screenshots take the whole screen"));
}

}  // namespace velvane
