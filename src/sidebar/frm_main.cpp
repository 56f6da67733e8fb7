#include "sidebar/frm_main.h"

#include "common/errors.h"
#include "common/numbers.h"
#include "common/settings_store.h"
#include "common/text.h"
#include "core/commands.h"
#include "core/config.h"
#include "core/notes.h"
#include "core/services.h"
#include "core/startup.h"
#include "core/visibility.h"
#include "lists/frm_add_exec.h"
#include "lists/frm_exec_list.h"
#include "platform/codepage.h"
#include "platform/process.h"

namespace velvane {

bool SettingsOpen = false;

namespace {

constexpr int kClipRowPitch = 17;      // clipboard rows sit 17 pixels apart
constexpr int kFileRowGap = 2;         // shelf rows: their height plus 2
constexpr int kVkReturn = 13;
constexpr int kVkBack = 8;
constexpr int kFadeStep = 30;
constexpr std::uint8_t kHotKeyShow = 1;
constexpr std::uint8_t kHotKeyScreenshot = 2;
constexpr int kShowNormal = 1;

// Timer intervals in milliseconds.
constexpr int kMoveMs = 10, kFadeMs = 5, kClipboardMs = 200, kKeysMs = 50, kKeyHoldMs = 300, kKeyHoldingMs = 50;

ui::Font TitleFont() { return {L"Lucida Sans", 12.0}; }
ui::Font ButtonFont() { return {L"Lucida Sans", 9.0}; }

std::unique_ptr<frmMain>& Instance() {
  static std::unique_ptr<frmMain> form;
  return form;
}


bool HotKeyComplete(std::uint8_t pair) {
  const KeyPair& keys = HotKeys[pair];
  // A code of 0 never reads as down, so a pair holding one never fires.
  return keys.key0 != 0 && keys.key1 != 0 && IsKeyDown(keys.key0) && IsKeyDown(keys.key1);
}

}  // namespace

frmMain& MainForm() {
  auto& form = Instance();
  if (!form) {
    // Construction can throw (a skin without its pictures); the form is only kept once it is complete.
    form = std::make_unique<frmMain>();
  }
  return *form;
}

bool MainFormLoaded() { return Instance() != nullptr; }

void UnloadMainForm() { Instance().reset(); }

frmMain::frmMain() {
  ui::WindowSpec spec;
  spec.caption = L"_main:title";  // never drawn: the window has no caption bar
  spec.clientWidth = kClientWidth;
  spec.clientHeight = kClientHeight;
  spec.borderless = true;
  spec.layered = true;
  spec.showInTaskbar = false;
  spec.back = {64, 64, 64};
  window_ = std::make_unique<ui::Window>(spec);
  CreateControls();
  ApplySkinAndCaptions();

  // First appearance: centred on the screen.
  const std::int32_t left = (ui::ScreenWidth() - window_->Width()) / 2;
  const std::int32_t top = (ui::ScreenHeight() - window_->Height()) / 2;
  MoveTwips(left * kTwipsPerPixel, top * kTwipsPerPixel);

  if (gClipboard) {
    std::array<ui::Label*, clsClipboard::kTotal + 1> rows{};
    std::array<ui::Image*, clsClipboard::kTotal> locks{};
    for (int i = 1; i <= clsClipboard::kTotal; ++i) rows[static_cast<size_t>(i)] = lblClip_[static_cast<size_t>(i)];
    for (int i = 1; i < clsClipboard::kTotal; ++i) locks[static_cast<size_t>(i)] = imgLock_[static_cast<size_t>(i)];
    gClipboard->Bind(rows, locks);
  }
  if (gTempFiles) {
    std::array<ui::Label*, clsTempFiles::kTotal + 1> rows{};
    for (int i = 1; i <= clsTempFiles::kTotal; ++i) rows[static_cast<size_t>(i)] = lblFiles_[static_cast<size_t>(i)];
    gTempFiles->Bind(rows);
  }
  if (gToDo) gToDo->Bind(lstToDo_);
  if (gExec) gExec->Bind(txtExec_, lblAppName_, window_.get());
  BindNotes(txtNotes_);
  WirePanel();

  // Other instances hand their command lines over in WM_COPYDATA, and find this window by its mark.
  window_->onCopyData = [this](std::string_view bytes) { OnCopyData(bytes); };
  window_->onQueryUnload = [this] { return OnQueryUnload(); };
  window_->onUnload = [] { ui::QuitApplication(0); };
  // Logging off must not lose what was added since the last hide: the session's end saves like a hide does.
  window_->onEndSession = [] {
    try {
      SaveAll();
    } catch (...) {
    }
  };
  MarkWindow(window_->NativeHandle());
}

frmMain::~frmMain() {
  if (gClipboard) gClipboard->Bind({}, {});
  if (gTempFiles) gTempFiles->Bind({});
  if (gToDo) gToDo->Bind(nullptr);
  if (gExec) gExec->Bind(nullptr, nullptr, nullptr);
  BindNotes(nullptr);
}

void frmMain::CreateControls() {
  ui::Window& w = *window_;
  struct Title {
    int index;
    ui::Rect bounds;
    const wchar_t* key;
  };
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
  lstToDo_ = &w.AddListBox(L"lstToDo", {358, 30, 186, 146}, true);
  txtToDo_ = &w.AddTextBox(L"txtToDo", {358, 30, 186, 21});
  txtToDo_->SetVisible(false);
  img_ = &w.AddImage(L"img", {524, 8, 17, 17});
  img_->SetBuiltinIcon(ui::BuiltinIcon::Add);
  txtNotes_ = &w.AddTextBox(L"txtNotes", {560, 32, 229, 277}, true);
  imgSaveNote_ = &w.AddImage(L"imgSaveNote", {770, 8, 17, 17});
  imgSaveNote_->SetBuiltinIcon(ui::BuiltinIcon::Save);
  txtExec_ = &w.AddTextBox(L"txtExec", {12, 220, 145, 17});
  lblAppName_ = &w.AddLabel(L"lblAppName", {12, 244, 145, 17});

  struct Btn {
    int index;
    ui::Rect bounds;
    const wchar_t* key;
  };
  for (const Btn& b : {Btn{0, {44, 268, 113, 17}, L"_main:eadd"}, Btn{1, {44, 290, 113, 17}, L"_main:elist"},
                       Btn{6, {360, 195, 141, 17}, L"_main:onotepad"}, Btn{2, {360, 217, 141, 17}, L"_btn:about"},
                       Btn{3, {360, 243, 141, 17}, L"_main:oconfiguration"}, Btn{4, {360, 265, 141, 17}, L"_main:ohide"},
                       Btn{5, {360, 290, 141, 17}, L"_main:oclose"}}) {
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
  tClipb_->onTick = [] {
    if (gClipboard) gClipboard->RefreshData();
  };
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
  w.SetPicture(SkinFolder() + L"\\i_main.bmp");
  for (ui::Label* l : lbl_) {
    l->SetText(LangText(l->Text()));
    l->SetForeColor(TextColors[1]);
  }
  for (ui::Label* l : lblBtn_) {
    l->SetText(LangText(l->Text()));
    l->SetForeColor(TextColors[1]);
  }
  imgLock_[1]->LoadPicture(SkinFolder() + L"\\lock_off.bmp");
  // The icons the program draws itself take the colour of the skin's titles; the boxes start in their
  // unfocused colour, as after any loss of focus.
  for (ui::Image* icon : {img_, imgSaveNote_, imgGoScreen_}) icon->SetForeColor(TextColors[1]);
  for (ui::Control* box : std::initializer_list<ui::Control*>{lstToDo_, txtToDo_, txtNotes_, txtExec_})
    box->SetBackColor(BoxColors[0]);

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

void frmMain::SetInfo(const std::wstring& text) { lblInfo_->SetText(text); }

void frmMain::WirePanel() {
  for (int row = 1; row <= clsClipboard::kTotal; ++row) {
    ui::Label& l = *lblClip_[static_cast<size_t>(row)];
    l.onMouseDown = [this, row, &l](const ui::MouseEvent& e) {
      if (row == clsClipboard::kTotal) return;  // the newest row cannot be picked or deleted
      if (e.button == ui::kLeftButton && !l.Text().empty()) gClipboard->SetToClipboard(static_cast<std::uint8_t>(row));
      else if (e.button == ui::kRightButton) gClipboard->DelClipb(static_cast<std::uint8_t>(row));
    };
    // The info line shows the whole entry as far as a line can: a huge text is cut for display.
    l.onMouseMove = [this, row](const ui::MouseEvent&) {
      SetInfo(clsClipboard::ToolTipOf(gClipboard->ClipbText(static_cast<std::uint8_t>(row))));
    };
  }
  for (int row = 1; row < clsClipboard::kTotal; ++row) {
    ui::Image& lock = *imgLock_[static_cast<size_t>(row)];
    lock.onClick = [row] { gClipboard->InvertLock(static_cast<std::uint8_t>(row)); };
    lock.onMouseMove = [this](const ui::MouseEvent&) { SetInfo(LangText(L"_info:lock")); };
  }

  auto dropFiles = [](const std::vector<std::wstring>& files) {
    try {
      for (size_t i = 0; i < files.size() && i < static_cast<size_t>(clsTempFiles::kTotal); ++i) gTempFiles->AddFile(files[i], false);
    } catch (...) {
      // The first failure ends the drop; the files after it are not added.
    }
  };
  for (int row = 1; row <= clsTempFiles::kTotal; ++row) {
    ui::Label& l = *lblFiles_[static_cast<size_t>(row)];
    l.onMouseDown = [row, &l](const ui::MouseEvent& e) {
      if (e.button == ui::kLeftButton && !l.Text().empty()) {
        gTempFiles->ExecTempFile(static_cast<std::uint8_t>(row));
        ShowSideBar(false);
      } else if (e.button == ui::kRightButton) {
        gTempFiles->DelFile(static_cast<std::uint8_t>(row));
      }
    };
    l.onMouseMove = [this, row](const ui::MouseEvent&) { SetInfo(gTempFiles->FilePath(static_cast<std::uint8_t>(row))); };
    l.onFilesDropped = dropFiles;
  }
  lblFDrop_->onFilesDropped = dropFiles;

  img_->onClick = [this] {
    txtToDo_->SetText(L"");
    txtToDo_->SetVisible(!txtToDo_->Visible());
    if (txtToDo_->Visible()) txtToDo_->Focus();
  };
  img_->onMouseMove = [this](const ui::MouseEvent&) { SetInfo(LangText(L"_info:2doadd")); };
  txtToDo_->onKeyPress = [this](wchar_t* ch) {
    if (*ch != kVkReturn) return;
    *ch = 0;
    ToDoEntryDone();
  };

  auto focusColours = [](ui::Control& c, std::function<void()> extraOnLost = {}) {
    c.onGotFocus = [&c] { c.SetBackColor(BoxColors[1]); };
    c.onLostFocus = [&c, extraOnLost] {
      if (extraOnLost) extraOnLost();
      c.SetBackColor(BoxColors[0]);
    };
  };
  focusColours(*txtToDo_, [this] { ToDoEntryDone(); });
  focusColours(*lstToDo_);
  focusColours(*txtNotes_);
  focusColours(*txtExec_);
  lstToDo_->onItemCheck = [](int row) {
    if (row >= 0 && row < 255) gToDo->DelToDo(static_cast<std::uint8_t>(row + 1));
  };

  imgSaveNote_->onClick = [this] { SaveSelectedNotes(); };
  imgSaveNote_->onMouseMove = [this](const ui::MouseEvent&) { SetInfo(LangText(L"_info:nsave")); };

  txtExec_->onChange = [] {
    if (gExec) gExec->UpdateExec();
  };
  txtExec_->onKeyPress = [](wchar_t* ch) {
    if ((*ch < 32 || *ch > 250) && *ch != kVkBack) *ch = 0;
  };
  txtExec_->onKeyUp = [this](const ui::KeyEvent& e) { RunLauncherBox(e); };

  imgGoScreen_->onClick = [] {
    platform::StartProgram(L"explorer " + ScreensDir);
    ShowSideBar(false);
  };
  imgGoScreen_->onMouseMove = [this](const ui::MouseEvent&) {
    SetInfo(ReplaceAll(LangText(L"_info:ssopendir"), L"%p", ScreensDir));
  };
  imgSS_->onClick = [] {
    // Only 0 and 1 exist; anything else steps towards them (255 wraps to 0 rather than overflowing).
    SetScreenshotType(ScreenshotType == 1 ? 0 : static_cast<std::uint8_t>(ScreenshotType + 1));
  };
  imgSS_->onMouseMove = [this](const ui::MouseEvent&) {
    SetInfo(LangText(L"_info:sstype" + std::to_wstring(ScreenshotType)));
  };

  for (ui::Label* l : lbl_) l->onMouseMove = [this](const ui::MouseEvent&) { SetInfo(L""); };
  for (int i = 0; i < static_cast<int>(lblBtn_.size()); ++i) {
    lblBtn_[static_cast<size_t>(i)]->onMouseMove = [this, i](const ui::MouseEvent&) {
      SetInfo(L"");
      if (i == 0) SetInfo(LangText(L"_info:eadd"));
      else if (i == 1) SetInfo(LangText(L"_info:elist"));
    };
    lblBtn_[static_cast<size_t>(i)]->onClick = [this, i] { OnButton(i); };
  }
}

void frmMain::ToDoEntryDone() {
  if (!txtToDo_->Text().empty()) {
    gToDo->AddToDo(txtToDo_->Text());
    txtToDo_->SetText(L"");
  }
  txtToDo_->SetVisible(false);
}

void frmMain::SaveSelectedNotes() { SaveNotesSelection(*txtNotes_); }

void frmMain::RunLauncherBox(const ui::KeyEvent& e) {
  if (e.keyCode != kVkReturn || txtExec_->Text().empty()) return;
  std::wstring entry;
  gExec->DoExec(&entry);
  txtExec_->SetText(L"");
  // Shift, Ctrl or Alt with Enter keeps the bar shown.
  if ((e.shift & (ui::kShiftMask | ui::kCtrlMask | ui::kAltMask)) == 0) ShowSideBar(false);
}

void frmMain::OnButton(int index) {
  switch (index) {
    case 0:
      frmAddExec::ShowDialog();
      ShowSideBar(false);
      break;
    case 1:
      frmExecList::ShowDialog();
      ShowSideBar(false);
      break;
    case 2:  // about box
      ShowSideBar(false);
      break;
    case 3:  // settings
      ShowSideBar(false);
      break;
    case 4:
      ShowSideBar(false);
      break;
    case 5:
      SaveAll();
      ui::QuitApplication(0);
      break;
    case 6:
      platform::StartProgram(L"notepad");
      ShowSideBar(false);
      break;
    default:
      break;
  }
}

void frmMain::ReceiveCommand(const std::wstring& command) {
  try {
    ActivateWindow(window_->NativeHandle());
    RunCommand(TrimBlanks(command));
  } catch (const std::exception& e) {
    ui::MsgBox(L"An error occurred: " + platform::FromAnsi(e.what()), ui::kMbExclamation, L"Velvane");
  }
}

void frmMain::OnCopyData(std::string_view bytes) {
  if (bytes.empty()) return;
  if (!StartupComplete()) {
    HoldCommand(platform::FromAnsi(bytes));
    return;
  }
  ReceiveCommand(platform::FromAnsi(bytes));
}

bool frmMain::OnQueryUnload() {
  // Windows is ending or the window was asked to close: nothing is saved on this path.
  window_->onCopyData = nullptr;
  ReleaseInstanceLock();
  return true;
}

void frmMain::MoveTwips(std::int32_t left, std::int32_t top) {
  leftTwips_ = left;
  topTwips_ = top;
  window_->Move(ToInt32(RoundHalfEven(left / static_cast<double>(kTwipsPerPixel))),
                ToInt32(RoundHalfEven(top / static_cast<double>(kTwipsPerPixel))));
}

std::int32_t frmMain::ClampToWorkArea(std::int32_t position, bool vertical) const {
  const WorkAreaRect area = GetWorkArea(true);
  if (vertical) {
    const std::int32_t bottom = area.top + area.height;
    const std::int32_t height = window_->Height() * kTwipsPerPixel;
    if (position < area.top) return area.top;
    return bottom - height >= position ? position : bottom - height;
  }
  const std::int32_t right = area.left + area.width;
  const std::int32_t width = window_->Width() * kTwipsPerPixel;
  if (position < area.left) return area.left;
  return right - width >= position ? position : right - width;
}

void frmMain::FadeStep() {
  switch (FadeDirection) {
    case FadeState::Idle:
      tTAnim_->SetEnabled(false);
      return;
    case FadeState::FadingOut:
      if (FadeAlpha >= kFadeStep) {
        FadeAlpha = static_cast<std::uint8_t>(FadeAlpha - kFadeStep);
      } else {
        FadeAlpha = 0;
        FadeDirection = FadeState::Idle;
        tTAnim_->SetEnabled(false);
        tMove_->SetEnabled(false);
        window_->Hide();
      }
      break;
    case FadeState::FadingIn:
      if (FadeAlpha <= 255 - kFadeStep) {
        FadeAlpha = static_cast<std::uint8_t>(FadeAlpha + kFadeStep);
      } else {
        FadeAlpha = 255;
        FadeDirection = FadeState::Idle;
        tTAnim_->SetEnabled(false);
      }
      break;
  }
  SetWindowAlpha(*window_, FadeAlpha);
}

void frmMain::FollowStep() {
  const std::int32_t leftPx = ToInt32(RoundHalfEven(leftTwips_ / static_cast<double>(kTwipsPerPixel)));
  const std::int32_t topPx = ToInt32(RoundHalfEven(topTwips_ / static_cast<double>(kTwipsPerPixel)));
  // The step is added in twips, not pixels: each tick covers about 1/18 of the remaining distance at 96 dpi,
  // which gives the glide its length.
  const std::int32_t dx = SlideStep(DragTargetX, leftPx);
  const std::int32_t dy = SlideStep(DragTargetY, topPx);
  std::int32_t left = ClampToWorkArea(leftTwips_ + dx, false);
  const std::int32_t top = ClampToWorkArea(topTwips_ + dy, true);
  const std::int32_t screenRight = ui::ScreenWidth() * kTwipsPerPixel - window_->Width() * kTwipsPerPixel;
  if (left < 0) left = 0;
  if (left > screenRight) left = screenRight;
  MoveTwips(left, top);
}

void frmMain::BackgroundMouseDown(const ui::MouseEvent& e) {
  if (Pressing || e.button != ui::kLeftButton) return;
  Pressing = true;
  GrabX = e.x;
  GrabY = e.y;
  BackgroundMouseMove(e);
}

void frmMain::BackgroundMouseMove(const ui::MouseEvent&) {
  if (!Pressing) return;
  const auto x = CursorPos(0), y = CursorPos(1);
  if (!x || !y) return;
  DragTargetX = *x - GrabX;
  DragTargetY = *y - GrabY;
  if (!tMove_->Enabled()) tMove_->SetEnabled(true);
}

void frmMain::BackgroundMouseUp(const ui::MouseEvent& e) {
  // The glide goes on towards the last target.
  if (e.button == ui::kLeftButton) Pressing = false;
}

void frmMain::KeysTick() {
  if (HotKeyComplete(kHotKeyShow)) {
    if (!hotKeyLatch_[kHotKeyShow] && FadeDirection == FadeState::Idle && !holdWatch_ && !SettingsOpen) {
      hotKeyLatch_[kHotKeyShow] = true;
      if (FadeAlpha != 0) {
        ShowSideBar(false);
      } else {
        window_->Show();
        ShowSideBar(true);
        tKeyHold_->SetEnabled(true);
        holdWatch_ = true;
      }
    }
  } else {
    hotKeyLatch_[kHotKeyShow] = false;
  }

  // The screenshot is taken when the combination is released: one press, one picture.
  if (HotKeyComplete(kHotKeyScreenshot)) {
    if (!hotKeyLatch_[kHotKeyScreenshot] && !SettingsOpen) hotKeyLatch_[kHotKeyScreenshot] = true;
  } else if (hotKeyLatch_[kHotKeyScreenshot]) {
    hotKeyLatch_[kHotKeyScreenshot] = false;
    std::uint8_t kind = clsScreenshot::kConfiguredKind;
    try {
      if (gScreenshot) gScreenshot->TakeScreenshot(kind);
    } catch (...) {
    }
  }
}

void frmMain::KeyHoldTick() {
  // Still held 300 ms after the show: the bar only peeks and hides on release.
  if (HotKeyComplete(kHotKeyShow)) tKeyHolding_->SetEnabled(true);
  else holdWatch_ = false;
  tKeyHold_->SetEnabled(false);
}

void frmMain::KeyHoldingTick() {
  if (HotKeyComplete(kHotKeyShow)) return;
  ShowSideBar(false);
  tKeyHolding_->SetEnabled(false);
  holdWatch_ = false;
}

}  // namespace velvane
