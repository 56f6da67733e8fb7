#include "dialogs/frm_exec_list.h"

#include "common/text.h"
#include "core/velvane.h"
#include "dialogs/dialog_look.h"

namespace velvane {
namespace {

using ui::AddCaptionButton;
using ui::Twips;

}  // namespace

frmExecList::frmExecList(Velvane& app)
    : SingleDialog(ui::DialogSpec(app, L"_elist:title", 3975, 5730, ui::kSmallPoints)), app_(app) {
  ui::Window& w = *window_;
  imgTop = &ui::AddTopBar(app_, w);
  lbl[0] = &ui::AddCaptionLabel(app_, w, 0, Twips(240, 60, 1440, 330), L"_elist:title", ui::kTitlePoints);
  cmd[0] = &AddCaptionButton(app_, w, 0, Twips(60, 1080, 1215, 315), L"_btn:del");
  cmd[1] = &AddCaptionButton(app_, w, 1, Twips(2700, 1080, 1215, 315), L"_btn:accept");
  lst = &w.AddListBox(L"lst", Twips(60, 1440, 3855, 4230));
  lst->SetFont(ui::FontOf(ui::kSmallPoints));

  cmd[0]->onClick = [this] { OnDelete(); };
  cmd[1]->onClick = [this] { OnAccept(); };
  w.CenterOnScreen();
  Refresh();
}

frmExecList& frmExecList::ShowDialog(Velvane& app) {
  return Show([&app] { return std::unique_ptr<frmExecList>(new frmExecList(app)); });
}

void frmExecList::Refresh() {
  lst->Clear();
  // Row k shows entry k + 1: the short name in lower case, " - ", the display name.
  for (int i = 1; i <= app_.exec.ExecCount(); ++i) lst->AddItem(ToLowerText(app_.exec.Entry(i).Exec) + L" - " + app_.exec.Entry(i).Name);
}

void frmExecList::OnDelete() {
  const int row = lst->ListIndex();
  if (row < 0) return;
  app_.exec.DeleteExec(row + 1);
  Refresh();
}

void frmExecList::OnAccept() {
  if (Outcome saved = app_.exec.SaveExecs(); !saved) SayExecsNotSaved(app_, std::move(saved));
  window_->Close();
}

void SayExecsNotSaved(Velvane& app, Outcome saved) {
  ui::MsgBox(FileProblemsText(app, messages::kUnsaved, {{app.store.exec, std::move(saved)}}), ui::kMbExclamation,
             app.LangText(L"_main:execute"));
}

}  // namespace velvane
