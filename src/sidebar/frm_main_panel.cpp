#include "sidebar/frm_main.h"
// What the side bar's controls do when clicked, typed into or hovered: the clipboard rows and their locks, the file
// shelf, the to-do list, the notes, the launcher box, the screenshot icons and the text buttons.

#include "common/text.h"
#include "common/text_files.h"
#include "core/config.h"
#include "core/notes.h"
#include "core/velvane.h"
#include "core/visibility.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_add_exec.h"
#include "dialogs/frm_cfg.h"
#include "dialogs/frm_exec_list.h"
#include "platform/cp1252.h"
#include "platform/process.h"

namespace velvane {
namespace {

constexpr int kVkReturn = 13;
constexpr int kVkBack = 8;

constexpr wchar_t kSaveFailedKey[] = L"_savesel:failed";

// Language files older than this message lack its key; they get the English text.
std::wstring SaveFailedText(const clsLang& lang, const std::wstring& path) {
  std::wstring text = lang.lReplace(kSaveFailedKey);
  if (text == kSaveFailedKey) text = L"The selected text could not be saved. It is still in the notes.";
  return text + L"\r\n\r\n" + path;
}

}  // namespace

bool SaveNotesSelection(const clsLang& lang, const std::wstring& folder, ui::TextBox& box, const ui::Window* owner) {
  if (box.SelLength() <= 0) return false;
  const int start = box.SelStart();
  const std::wstring kept = box.SelText();

  ui::FileDialogOptions options;
  options.title = lang.lReplace(L"_savesel:title");
  options.filter = L"TXT - " + lang.lReplace(L"_ext:txt") + L"|*.txt|" + lang.lReplace(L"_ext:all") + L"|*.*";
  options.initialDir = folder;
  options.owner = owner;
  const auto file = ui::ShowSaveDialog(options);
  if (!file || file->empty()) return false;

  if (!WriteTextFile(*file, kept)) {
    ui::MsgBox(SaveFailedText(lang, *file), ui::kMbExclamation, lang.lReplace(L"_savesel:title"));
    return false;
  }
  // The text leaves the notes only now that it is safe in the file, and only where it still stands: a command that
  // arrived while the dialog was open may have changed the notes.
  const std::wstring& now = box.Text();
  if (static_cast<size_t>(start) + kept.size() <= now.size() && now.compare(static_cast<size_t>(start), kept.size(), kept) == 0) {
    box.SetSelection(start, static_cast<int>(kept.size()));
    box.ReplaceSelection(L"");
  }
  return true;
}

void frmMain::SetInfo(const std::wstring& text) { lblInfo_->SetText(text); }

void frmMain::WirePanel() {
  for (int row = 1; row <= clsClipboard::kTotal; ++row) {
    ui::Label& l = *lblClip_[static_cast<size_t>(row)];
    l.onMouseDown = [this, row, &l](const ui::MouseEvent& e) {
      if (row == clsClipboard::kTotal) return;  // the newest row cannot be picked or deleted
      if (e.button == ui::kLeftButton && !l.Text().empty()) app_->clipboard.SetToClipboard(static_cast<std::uint8_t>(row));
      else if (e.button == ui::kRightButton) app_->clipboard.DelClipb(static_cast<std::uint8_t>(row));
    };
    // The info line holds the entry's whole text, which a screen reader reads out; it shows what fits on its line.
    // A move over the same row compares the texts only.
    l.onMouseMove = [this, row](const ui::MouseEvent&) {
      SetInfo(app_->clipboard.ClipbText(static_cast<std::uint8_t>(row)));
    };
  }
  for (int row = 1; row < clsClipboard::kTotal; ++row) {
    ui::Image& lock = *imgLock_[static_cast<size_t>(row)];
    lock.onClick = [this, row] { app_->clipboard.InvertLock(static_cast<std::uint8_t>(row)); };
    lock.onMouseMove = [this](const ui::MouseEvent&) { SetInfo(app_->LangText(L"_info:lock")); };
  }

  auto dropFiles = [this](const std::vector<std::wstring>& files) {
    for (size_t i = 0; i < files.size() && i < static_cast<size_t>(clsTempFiles::kTotal); ++i) app_->shelf.AddFile(files[i], false);
  };
  for (int row = 1; row <= clsTempFiles::kTotal; ++row) {
    ui::Label& l = *lblFiles_[static_cast<size_t>(row)];
    l.onMouseDown = [this, row, &l](const ui::MouseEvent& e) {
      if (e.button == ui::kLeftButton && !l.Text().empty()) {
        app_->shelf.ExecTempFile(static_cast<std::uint8_t>(row));
        ShowSideBar(*app_, false);
      } else if (e.button == ui::kRightButton) {
        app_->shelf.DelFile(static_cast<std::uint8_t>(row));
      }
    };
    l.onMouseMove = [this, row](const ui::MouseEvent&) { SetInfo(app_->shelf.FilePath(static_cast<std::uint8_t>(row))); };
    l.onFilesDropped = dropFiles;
  }
  lblFDrop_->onFilesDropped = dropFiles;

  img_->onClick = [this] {
    txtToDo_->SetText(L"");
    txtToDo_->SetVisible(!txtToDo_->Visible());
    if (txtToDo_->Visible()) txtToDo_->Focus();
  };
  img_->onMouseMove = [this](const ui::MouseEvent&) { SetInfo(app_->LangText(L"_info:2doadd")); };
  txtToDo_->onKeyPress = [this](wchar_t* ch) {
    if (*ch != kVkReturn) return;
    *ch = 0;
    ToDoEntryDone();
  };

  auto focusColours = [this](ui::Control& c, std::function<void()> extraOnLost = {}) {
    c.onGotFocus = [this, &c] { c.SetBackColor(app_->settings.BoxColors[1]); };
    c.onLostFocus = [this, &c, extraOnLost] {
      if (extraOnLost) extraOnLost();
      c.SetBackColor(app_->settings.BoxColors[0]);
    };
  };
  focusColours(*txtToDo_, [this] { ToDoEntryDone(); });
  focusColours(*lstToDo_);
  focusColours(*txtNotes_);
  focusColours(*txtExec_);
  lstToDo_->onItemCheck = [this](int row) {
    if (row >= 0 && row < clsToDo::kCapacity) app_->toDo.DelToDo(static_cast<std::uint8_t>(row + 1));
  };

  imgSaveNote_->onClick = [this] { SaveSelectedNotes(); };
  imgSaveNote_->onMouseMove = [this](const ui::MouseEvent&) { SetInfo(app_->LangText(L"_info:nsave")); };

  txtExec_->onChange = [this] { lblAppName_->SetText(app_->exec.UpdateExec(txtExec_->Text())); };
  // Characters of Windows-1252 outside its codes 32 to 250 are dropped; its own characters from 128 up (the euro
  // sign, the dashes) are judged by their code there, not by their larger UTF-16 value. Letters of other scripts
  // are kept.
  txtExec_->onKeyPress = [](wchar_t* ch) {
    const auto code = platform::cp1252::EncodeExact(std::wstring_view(ch, 1));
    const int byte = code ? static_cast<unsigned char>(code->front()) : -1;
    if (byte >= 0 && (byte < 32 || byte > 250) && *ch != kVkBack) *ch = 0;
  };
  txtExec_->onKeyUp = [this](const ui::KeyEvent& e) { RunLauncherBox(e); };

  imgGoScreen_->onClick = [this] {
    platform::StartProgram(L"explorer " + app_->settings.ScreensDir);
    ShowSideBar(*app_, false);
  };
  imgGoScreen_->onMouseMove = [this](const ui::MouseEvent&) {
    SetInfo(ReplaceAll(app_->LangText(L"_info:ssopendir"), L"%p", app_->settings.ScreensDir));
  };
  imgSS_->onClick = [this] {
    // Only 0 and 1 exist; anything else steps towards them (255 wraps to 0 rather than overflowing).
    SetScreenshotType(*app_, app_->settings.ScreenshotType == 1 ? 0 : static_cast<std::uint8_t>(app_->settings.ScreenshotType + 1));
  };
  imgSS_->onMouseMove = [this](const ui::MouseEvent&) {
    SetInfo(app_->LangText(L"_info:sstype" + std::to_wstring(app_->settings.ScreenshotType)));
  };

  for (ui::Label* l : lbl_) l->onMouseMove = [this](const ui::MouseEvent&) { SetInfo(L""); };
  for (int i = 0; i < static_cast<int>(lblBtn_.size()); ++i) {
    lblBtn_[static_cast<size_t>(i)]->onMouseMove = [this, i](const ui::MouseEvent&) {
      SetInfo(L"");
      if (static_cast<MainButton>(i) == MainButton::AddExec) SetInfo(app_->LangText(L"_info:eadd"));
      else if (static_cast<MainButton>(i) == MainButton::ExecList) SetInfo(app_->LangText(L"_info:elist"));
    };
    lblBtn_[static_cast<size_t>(i)]->onClick = [this, i] { OnButton(static_cast<MainButton>(i)); };
  }
}

void frmMain::ToDoEntryDone() {
  if (!txtToDo_->Text().empty()) {
    app_->toDo.AddToDo(txtToDo_->Text());
    txtToDo_->SetText(L"");
  }
  txtToDo_->SetVisible(false);
}

void frmMain::SaveSelectedNotes() { SaveNotesSelection(app_->lang, app_->settings.DefaultDir, *txtNotes_); }

void frmMain::RunLauncherBox(const ui::KeyEvent& e) {
  if (e.keyCode != kVkReturn || txtExec_->Text().empty()) return;
  Launch(L"");
  txtExec_->SetText(L"");
  // Shift, Ctrl or Alt with Enter keeps the bar shown.
  if ((e.shift & (ui::kShiftMask | ui::kCtrlMask | ui::kAltMask)) == 0) ShowSideBar(*app_, false);
}

void frmMain::OnButton(MainButton button) {
  switch (button) {
    case MainButton::AddExec:
      frmAddExec::ShowDialog(*app_);
      ShowSideBar(*app_, false);
      break;
    case MainButton::ExecList:
      frmExecList::ShowDialog(*app_);
      ShowSideBar(*app_, false);
      break;
    case MainButton::About:
      ShowSideBar(*app_, false);
      frmAbout::ShowDialog(*app_);
      break;
    case MainButton::Settings:
      frmCfg::ShowDialog(*app_);
      ShowSideBar(*app_, false);
      break;
    case MainButton::Hide:
      ShowSideBar(*app_, false);
      break;
    case MainButton::Close:
      // What could not be saved stays in memory, and with it the program: the next close tries again, and says
      // again why it cannot end.
      if (SaveAll(*app_, SaveReport::Always)) ui::QuitApplication(0);
      break;
    case MainButton::Notepad:
      platform::StartProgram(L"notepad");
      ShowSideBar(*app_, false);
      break;
  }
}

}  // namespace velvane
