#include "dialogs/frm_add_exec.h"

#include "core/config.h"
#include "core/velvane.h"
#include "dialogs/dialog_look.h"
#include "dialogs/frm_exec_list.h"

namespace velvane {
namespace {

using ui::AddCaptionButton;
using ui::AddCaptionLabel;
using ui::FontOf;
using ui::Twips;

constexpr double kFormPoints = 9;

}  // namespace

void OfferNewExec(Velvane& app, const std::wstring& name, ui::Window* sideBar) {
  const bool hide = sideBar && sideBar->Visible();
  if (hide) sideBar->Hide();
  const int answer = ui::MsgBox(app.LangText(L"_exec:msgadd"), ui::kMbYesNo | ui::kMbExclamation, app.LangText(L"_main:execute"));
  if (hide) sideBar->Show();
  if (answer == ui::kAnswerYes) frmAddExec::ShowDialog(app, name);
}

frmAddExec::frmAddExec(Velvane& app) : SingleDialog(ui::DialogSpec(app, L"_exec:title", 4635, 4335, kFormPoints)), app_(app) {
  ui::Window& w = *window_;
  // Created in tab order: select, path, short name, display name, add, cancel.
  imgTop = &ui::AddTopBar(app_, w);
  lbl[0] = &AddCaptionLabel(app_, w, 0, Twips(240, 60, 1440, 330), L"_exec:title", ui::kTitlePoints);
  lbl[1] = &AddCaptionLabel(app_, w, 1, Twips(60, 1020, 2895, 255), L"_exec:path", kFormPoints);
  cmd[0] = &AddCaptionButton(app_, w, 0, Twips(3000, 1020, 1575, 315), L"_exec:select");
  imgDrop = &w.AddImage(L"imgDrop", Twips(1380, 1320, 1800, 1110));
  ui::LoadSkinPicture(app_, *imgDrop, L"drophere.bmp");
  lblPath = &w.AddLabel(L"lblPath", Twips(60, 1380, 4515, 1095));
  lblPath->SetFont(FontOf(ui::kSmallPoints));
  lblPath->SetForeColor(app_.settings.TextColors[0]);
  lblPath->SetAcceptFiles(true);
  lbl[2] = &AddCaptionLabel(app_, w, 2, Twips(60, 2520, 4515, 255), L"_exec:ename", kFormPoints);
  txtEname = &w.AddTextBox(L"txtEname", Twips(2880, 2820, 1695, 285));
  txtEname->SetFont(FontOf(kFormPoints));
  lbl[3] = &AddCaptionLabel(app_, w, 3, Twips(60, 3240, 4515, 255), L"_exec:appname", kFormPoints);
  txtAppName = &w.AddTextBox(L"txtAppName", Twips(2220, 3540, 2355, 285));
  txtAppName->SetFont(FontOf(kFormPoints));
  cmd[1] = &AddCaptionButton(app_, w, 1, Twips(2880, 3960, 1695, 315), L"_btn:add");
  cmd[2] = &AddCaptionButton(app_, w, 2, Twips(1020, 3960, 1815, 315), L"_btn:cancel");

  cmd[0]->onClick = [this] { OnSelect(); };
  cmd[1]->onClick = [this] { OnAdd(); };
  cmd[2]->onClick = [this] { OnCancel(); };
  lblPath->onFilesDropped = [this](const std::vector<std::wstring>& files) { OnPathDropped(files); };
  w.CenterOnScreen();
}

frmAddExec& frmAddExec::ShowDialog(Velvane& app) {
  return Show([&app] { return std::unique_ptr<frmAddExec>(new frmAddExec(app)); });
}

frmAddExec& frmAddExec::ShowDialog(Velvane& app, const std::wstring& ename) {
  frmAddExec& dialog = ShowDialog(app);
  dialog.txtEname->SetText(ename);
  return dialog;
}

void frmAddExec::OnSelect() {
  ui::FileDialogOptions options;
  options.title = app_.LangText(L"_exec:selectdialog");
  options.filter = L"EXE - " + app_.LangText(L"_ext:exe") + L"|*.exe|" + app_.LangText(L"_ext:all") + L"|*.*";
  options.owner = window_.get();
  if (const auto file = ui::ShowOpenDialog(options); file && !file->empty()) lblPath->SetText(*file);
}

void frmAddExec::OnAdd() {
  const std::wstring path = lblPath->Text();
  const std::wstring ename = txtEname->Text();
  const std::wstring appName = txtAppName->Text();
  if (path.empty() || ename.empty() || appName.empty()) return;
  // At the limit the launcher adds nothing and says so; the dialog closes all the same. An entry whose save failed
  // stays in the list for the next save, and the failure is said.
  if (app_.exec.IsFull()) {
    ui::MsgBox(app_.LangText(L"_exec:msglimit"), ui::kMbCritical, app_.LangText(L"_main:execute"));
  } else {
    if (Outcome saved = app_.exec.AddExec(path, ename, appName); !saved)
      SayExecsNotSaved(app_, std::move(saved));
    if (frmExecList* list = frmExecList::Current()) list->Refresh();
  }
  window_->Close();
}

void frmAddExec::OnCancel() { window_->Close(); }

void frmAddExec::OnPathDropped(const std::vector<std::wstring>& files) {
  if (!files.empty() && !files.front().empty()) lblPath->SetText(files.front());
}

}  // namespace velvane
