#include "lists/frm_exec_list.h"

#include "core/services.h"
#include "lists/dialog_layout.h"

namespace velvane {
namespace {

using lists::AddCaptionButton;
using lists::Twips;

std::unique_ptr<frmExecList>& Instance() {
  static std::unique_ptr<frmExecList> instance;
  return instance;
}

}  // namespace

frmExecList::frmExecList()
    : window_(std::make_unique<ui::Window>(lists::DialogSpec(L"_elist:title", 3975, 5730, lists::kSmallPoints))) {
  ui::Window& w = *window_;
  imgTop = &lists::AddTopBar(w);
  lbl[0] = &lists::AddCaptionLabel(w, 0, Twips(240, 60, 1440, 330), L"_elist:title", lists::kTitlePoints);
  cmd[0] = &AddCaptionButton(w, 0, Twips(60, 1080, 1215, 315), L"_btn:del");
  cmd[1] = &AddCaptionButton(w, 1, Twips(2700, 1080, 1215, 315), L"_btn:accept");
  lst = &w.AddListBox(L"lst", Twips(60, 1440, 3855, 4230));
  lst->SetFont(lists::FontOf(lists::kSmallPoints));

  cmd[0]->onClick = [this] { OnDelete(); };
  cmd[1]->onClick = [this] { OnAccept(); };
  w.CenterOnScreen();
  Refresh();
}

frmExecList::~frmExecList() = default;

frmExecList& frmExecList::ShowDialog() {
  return lists::ShowSingle(Instance(), [] { return std::unique_ptr<frmExecList>(new frmExecList()); });
}

frmExecList* frmExecList::Current() { return lists::OpenSingle(Instance()); }

void frmExecList::Discard() { lists::DiscardSingle(Instance()); }

void frmExecList::Refresh() {
  if (gExec) gExec->RefreshList(lst);
}

void frmExecList::OnDelete() {
  const int row = lst->ListIndex();
  if (row < 0 || !gExec) return;
  gExec->DeleteExec(row + 1);
  Refresh();
}

void frmExecList::OnAccept() {
  if (gExec) gExec->SaveExecs();
  window_->Close();
}

}  // namespace velvane
