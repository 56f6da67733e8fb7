#include "wizard/forms/frm_lang.h"

#include "common/text_files.h"
#include "ui/dialog_layout.h"
#include "wizard/first_time.h"
#include "wizard/forms/frm_main.h"
#include "wizard/forms/wizard_flow.h"

namespace velvane::wizard {
namespace {

using ui::Twips;

}  // namespace

frmLang::frmLang(Primewiz& wiz)
    : SingleDialog(ui::DialogFrame(L"Choose your languaje", 2655, 3015, wiz.store.folders.AppDir)), wiz_(wiz) {
  lst = &window_->AddListBox(L"lst", Twips(60, 60, 2535, 2505));
  cmd = &window_->AddButton(L"cmd", Twips(1560, 2640, 1035, 315), L"OK");
  options_ = LangOptions(wiz_.store.config);
  lst->Clear();
  for (const std::wstring& option : options_) lst->AddItem(OptionDisplayName(option));
  cmd->onClick = [this] { OnOk(); };
  window_->CenterOnScreen();
}

frmLang& frmLang::Open(Primewiz& wiz) { return Show([&wiz] { return std::unique_ptr<frmLang>(new frmLang(wiz)); }); }

void frmLang::OnOk() {
  const int row = lst->ListIndex();
  if (row < 0) return;  // nothing chosen yet
  if (ChooseLanguage(wiz_, OptionLanguage(options_[static_cast<size_t>(row)]))) window_->Close();
}

}  // namespace velvane::wizard
