#include "wizard/forms/frm_main.h"

#include "common/errors.h"
#include "common/numbers.h"
#include "common/text.h"
#include "common/text_files.h"
#include "ui/dialog_layout.h"
#include "wizard/first_time.h"
#include "wizard/forms/wizard_flow.h"

namespace velvane::wizard {
namespace {

using ui::Twips;

constexpr double kBodyPoints = 9;
constexpr ui::Color kTitleColor{255, 255, 255};

}  // namespace

frmMain::frmMain(Primewiz& wiz)
    : SingleDialog(ui::DialogFrame(wiz.lang.lReplace(L"_title"), 7575, 5985, wiz.store.folders.AppDir)), wiz_(wiz) {
  ui::Window& w = *window_;
  img = &w.AddImage(L"img", Twips(0, 0, 1500, 6000));
  imgTop = &w.AddImage(L"imgTop", Twips(1500, 0, 5100, 960));
  ui::LoadPictureOrClear(*imgTop, wiz_.ImagesDir + L"topbar_thick.bmp");
  ui::Rect top = imgTop->Bounds();
  top.w = w.ClientWidth();
  imgTop->SetBounds(top);
  // The title runs from its place on the banner to the window's right edge.
  ui::Rect title = Twips(1740, 60, 270, 330);
  title.w = w.ClientWidth() - title.x - title.x / 10;
  lbl[0] = &w.AddLabel(L"lbl(0)", title);
  lbl[0]->SetFont(ui::FontOf(ui::kTitlePoints));
  lbl[0]->SetForeColor(kTitleColor);
  lbl[1] = &w.AddLabel(L"lbl(1)", Twips(1560, 1020, 5955, 4575));
  lbl[1]->SetFont(ui::FontOf(kBodyPoints));
  // Created in tab order: search, previous, next.
  cmd[2] = &w.AddButton(L"cmd(2)", Twips(1560, 5640, 2895, 315), wiz_.lang.lReplace(L"_btn:doexecsearch"));
  cmd[1] = &w.AddButton(L"cmd(1)", Twips(4680, 5640, 1395, 315), wiz_.lang.lReplace(L"_btn:prev"));
  cmd[0] = &w.AddButton(L"cmd(0)", Twips(6120, 5640, 1395, 315));
  for (int i = 0; i < 3; ++i) cmd[static_cast<size_t>(i)]->onClick = [this, i] { OnButton(i); };
  w.CenterOnScreen();
}

frmMain& frmMain::Open(Primewiz& wiz) { return Show([&wiz] { return std::unique_ptr<frmMain>(new frmMain(wiz)); }); }

void frmMain::ShowPage(int page) {
  if (page > kPageCount) {
    FinishWizard(wiz_);
    return;
  }
  const PageLook look = PageFor(page);
  ui::LoadPictureOrClear(*img, wiz_.ImagesDir + L"t" + ToText(look.picture) + L".bmp");
  lbl[0]->SetText(wiz_.lang.lReplace(look.titleKey));
  lbl[1]->SetText(wiz_.lang.lReplace(look.bodyKey));
  cmd[1]->SetEnabled(look.previousEnabled);
  cmd[0]->SetText(wiz_.lang.lReplace(look.nextKey));
  cmd[2]->SetVisible(look.searchVisible);
}

void frmMain::OnButton(int index) {
  switch (index) {
    case 0: ShowPage(++wiz_.CurrentPage); break;
    case 1: ShowPage(--wiz_.CurrentPage); break;
    case 2:
      if (const Outcome searched = SearchPrograms(wiz_); !searched) {
        // The launcher file cannot be written (no data folder, a read-only file): it was left as it was.
        ui::MsgBox(wiz_.lang.lReplace(L"_win:searchfailed") + L"\r\n\r\n" + wiz_.store.exec.Path() + L"\r\n" +
                       searched.Reason(),
                   ui::kMbExclamation, window_->Caption());
        return;
      }
      ui::MsgBox(SearchDoneText(wiz_), ui::kMbInformation, window_->Caption());
      break;
    default: break;
  }
}

}  // namespace velvane::wizard
