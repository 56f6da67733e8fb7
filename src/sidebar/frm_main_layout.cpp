#include "sidebar/frm_main.h"
// The side bar's layout: every control at its place, the skin's picture and colours, the translated captions, and
// the rows of the clipboard history and the file shelf copied from their first row.

#include "core/config.h"
#include "core/velvane.h"

namespace velvane {
namespace {

constexpr int kClipRowPitch = 17;      // clipboard rows sit 17 pixels apart
constexpr int kFileRowGap = 2;         // shelf rows: their height plus 2

// Timer intervals in milliseconds.
constexpr int kMoveMs = 10, kFadeMs = 5, kClipboardMs = 200, kKeysMs = 50, kKeyHoldMs = 300, kKeyHoldingMs = 50;

ui::Font TitleFont() { return {L"Lucida Sans", 12.0}; }
ui::Font ButtonFont() { return {L"Lucida Sans", 9.0}; }

constexpr int Index(MainButton b) { return static_cast<int>(b); }

// A label of an indexed array: its index, place and caption key.
struct IndexedLabel {
  int index;
  ui::Rect bounds;
  const wchar_t* key;
};

}  // namespace

void frmMain::CreateControls() {
  ui::Window& w = *window_;
  using Title = IndexedLabel;
  for (const Title& t : {Title{0, {12, 8, 145, 21}, L"_main:clipboard"}, Title{1, {172, 8, 173, 21}, L"_main:tempfiles"},
                         Title{3, {360, 8, 153, 21}, L"_main:todolist"}, Title{4, {560, 8, 205, 21}, L"_main:notes"},
                         Title{2, {12, 192, 145, 21}, L"_main:execute"}}) {
    ui::Label& l = w.AddLabel(L"lbl(" + std::to_wstring(t.index) + L")", t.bounds, t.key);
    l.SetFont(TitleFont());
    lbl_[static_cast<size_t>(t.index)] = &l;
  }

  lblClip_[1] = &w.AddLabel(L"lblClip(1)", {28, 42, 129, 17});
  imgLock_[1] = &w.AddImage(L"imgLock(1)", {12, 44, 9, 12});
  lblFiles_[1] = &w.AddLabel(L"lblFiles(1)", {168, 36, 177, 17});
  lblFDrop_ = &w.AddLabel(L"lblFDrop", {164, 4, 185, 37});
  // The entry box lies over the top of the list: made first, it stays above it whenever it is shown.
  txtToDo_ = &w.AddTextBox(L"txtToDo", {358, 30, 186, 21});
  txtToDo_->SetVisible(false);
  lstToDo_ = &w.AddListBox(L"lstToDo", {358, 30, 186, 146}, true);
  img_ = &w.AddImage(L"img", {524, 8, 17, 17});
  img_->SetBuiltinIcon(ui::BuiltinIcon::Add);
  txtNotes_ = &w.AddTextBox(L"txtNotes", {560, 32, 229, 277}, true);
  imgSaveNote_ = &w.AddImage(L"imgSaveNote", {770, 8, 17, 17});
  imgSaveNote_->SetBuiltinIcon(ui::BuiltinIcon::Save);
  txtExec_ = &w.AddTextBox(L"txtExec", {12, 220, 145, 17});
  lblAppName_ = &w.AddLabel(L"lblAppName", {12, 244, 145, 17});

  using Btn = IndexedLabel;
  using B = MainButton;
  for (const Btn& b : {Btn{Index(B::AddExec), {44, 268, 113, 17}, L"_main:eadd"},
                       Btn{Index(B::ExecList), {44, 290, 113, 17}, L"_main:elist"},
                       Btn{Index(B::Notepad), {360, 195, 141, 17}, L"_main:onotepad"},
                       Btn{Index(B::About), {360, 217, 141, 17}, L"_btn:about"},
                       Btn{Index(B::Settings), {360, 243, 141, 17}, L"_main:oconfiguration"},
                       Btn{Index(B::Hide), {360, 265, 141, 17}, L"_main:ohide"},
                       Btn{Index(B::Close), {360, 290, 141, 17}, L"_main:oclose"}}) {
    ui::Label& l = w.AddLabel(L"lblBtn(" + std::to_wstring(b.index) + L")", b.bounds, b.key);
    l.SetFont(ButtonFont());
    l.SetAlign(ui::Align::Center);
    lblBtn_[static_cast<size_t>(b.index)] = &l;
  }
  imgGoScreen_ = &w.AddImage(L"imgGoScreen", {512, 200, 29, 21});
  imgGoScreen_->SetBuiltinIcon(ui::BuiltinIcon::Folder);
  imgSS_ = &w.AddImage(L"imgSS", {511, 228, 30, 23});
  lblInfo_ = &w.AddLabel(L"lblInfo", {4, 324, 793, 17});
  lblInfo_->SetForeColor({255, 255, 255});

  for (ui::Label* l : {lblClip_[1], lblFiles_[1], lblAppName_}) l->SetForeColor(kRowTextColor);
  lblFiles_[1]->SetAcceptFiles(true);
  lblFDrop_->SetAcceptFiles(true);

  tMove_ = &w.AddTimer(L"tMove", kMoveMs, false);
  tTAnim_ = &w.AddTimer(L"tTAnim", kFadeMs, true);
  tClipb_ = &w.AddTimer(L"tClipb", kClipboardMs, true);
  tKeys_ = &w.AddTimer(L"tKeys", kKeysMs, true);
  tKeyHold_ = &w.AddTimer(L"tKeyHold", kKeyHoldMs, false);
  tKeyHolding_ = &w.AddTimer(L"tKeyHolding", kKeyHoldingMs, false);
  tMove_->onTick = [this] { FollowStep(); };
  tTAnim_->onTick = [this] { FadeStep(); };
  tClipb_->onTick = [this] { app_->clipboard.RefreshData(); };
  tKeys_->onTick = [this] { KeysTick(); };
  tKeyHold_->onTick = [this] { KeyHoldTick(); };
  tKeyHolding_->onTick = [this] { KeyHoldingTick(); };

  window_->onMouseDown = [this](const ui::MouseEvent& e) { BackgroundMouseDown(e); };
  window_->onMouseMove = [this](const ui::MouseEvent& e) { BackgroundMouseMove(e); };
  window_->onMouseUp = [this](const ui::MouseEvent& e) { BackgroundMouseUp(e); };
}

// The skin picture and the translated captions; then the rows of the clipboard history and the file shelf, copied
// from their first row.
void frmMain::ApplySkinAndCaptions() {
  ui::Window& w = *window_;
  w.SetPicture(app_->settings.SkinFolder() + L"\\i_main.bmp");
  for (ui::Label* l : lbl_) {
    l->SetText(app_->LangText(l->Text()));
    l->SetForeColor(app_->settings.TextColors[1]);
  }
  for (ui::Label* l : lblBtn_) {
    l->SetText(app_->LangText(l->Text()));
    l->SetForeColor(app_->settings.TextColors[1]);
  }
  imgLock_[1]->LoadPicture(app_->settings.SkinFolder() + L"\\lock_off.bmp");
  // The icons the program draws itself take the colour of the skin's titles; the boxes start in their
  // unfocused colour, as after any loss of focus.
  for (ui::Image* icon : {img_, imgSaveNote_, imgGoScreen_}) icon->SetForeColor(app_->settings.TextColors[1]);
  for (ui::Control* box : std::initializer_list<ui::Control*>{lstToDo_, txtToDo_, txtNotes_, txtExec_})
    box->SetBackColor(app_->settings.BoxColors[0]);

  const int total = clsClipboard::kTotal;
  const ui::Rect clip = lblClip_[1]->Bounds();
  const ui::Rect lock = imgLock_[1]->Bounds();
  for (int i = 2; i <= total; ++i) {
    const int dy = kClipRowPitch * (i - 1);
    if (i < total) {
      ui::Image& copy = w.AddImage(L"imgLock(" + std::to_wstring(i) + L")", {lock.x, lock.y + dy, lock.w, lock.h});
      copy.LoadPicture(imgLock_[1]->PicturePath());
      imgLock_[static_cast<size_t>(i)] = &copy;
    }
    ui::Label& row = w.AddLabel(L"lblClip(" + std::to_wstring(i) + L")", {clip.x, clip.y + dy, clip.w, clip.h});
    row.SetForeColor(lblClip_[1]->ForeColor());
    lblClip_[static_cast<size_t>(i)] = &row;
  }
  const ui::Rect file = lblFiles_[1]->Bounds();
  for (int i = 2; i <= clsTempFiles::kTotal; ++i) {
    ui::Label& row = w.AddLabel(L"lblFiles(" + std::to_wstring(i) + L")",
                                {file.x, file.y + (file.h + kFileRowGap) * (i - 1), file.w, file.h});
    row.SetForeColor(lblFiles_[1]->ForeColor());
    row.SetAcceptFiles(true);
    lblFiles_[static_cast<size_t>(i)] = &row;
  }
}

}  // namespace velvane
