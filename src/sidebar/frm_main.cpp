#include "sidebar/frm_main.h"
// The side bar's construction: the window, its controls tied to the lists that fill them, the window's own events
// (hand-over of command lines, closing, the end of the session), and what the core asks of it. The other jobs sit
// in frm_main_*.cpp.

#include "common/numbers.h"
#include "common/text.h"
#include "core/startup.h"
#include "core/velvane.h"
#include "dialogs/frm_add_exec.h"
#include "sidebar/list_rows.h"
#include "ui/dialog_layout.h"

namespace velvane {

void frmMain::Open(Velvane& app) {
  app_ = &app;
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

  // First appearance: centred on the monitor that holds the pointer.
  window_->CenterOnScreen();
  MoveTwips(ToTwips(window_->Left()), ToTwips(window_->Top()));

  // The lists tell the side bar when they change, and it draws them into its rows.
  clsClipboard& history = app_->clipboard;
  history.onChanged = [this] { ShowClipboardRows(app_->clipboard, lblClip_); };
  history.onLockChanged = [this](std::uint8_t num) {
    ShowClipboardLock(app_->clipboard, num, *imgLock_[num], app_->settings.SkinFolder());
  };
  app_->shelf.onChanged = [this] { ShowShelfRows(app_->shelf, lblFiles_); };
  app_->toDo.onChanged = [this] { ShowToDoRows(app_->toDo, *lstToDo_); };
  WirePanel();

  // Other instances hand their command lines over in WM_COPYDATA, and find this window by its mark.
  window_->onCopyData = [this](std::uintptr_t tag, std::string_view bytes) { app_->router.HandOff(tag, bytes); };
  window_->onQueryUnload = [this] { return OnQueryUnload(); };
  window_->onUnload = [] { ui::QuitApplication(0); };
  window_->onDpiChanged = [this] { DpiChanged(); };
  window_->onDisplayChange = [this] { BringOntoMonitor(); };
  // Logging off must not lose what was added since the last hide: the session's end saves like a hide does.
  window_->onEndSession = [this] { SaveAll(*app_); };
  MarkWindow(window_->NativeHandle());
}

bool frmMain::OnQueryUnload() {
  // Windows is ending or the window was asked to close: nothing is saved on this path.
  window_->onCopyData = nullptr;
  app_->instance.ReleaseInstanceLock();
  return true;
}

void frmMain::SetShown(bool shown) {
  if (shown) window_->Show();
  else window_->Hide();
  // A bar left outside every monitor (one was unplugged while it was hidden) is shown on the nearest one.
  if (shown) BringOntoMonitor();
}

void frmMain::SetAlpha(std::uint8_t alpha) { SetWindowAlpha(*window_, alpha); }

void frmMain::SetTopMost(bool topMost) { window_->SetTopMost(topMost); }

void frmMain::BringForward() { ActivateWindow(window_->NativeHandle()); }

void frmMain::AppendNote(const std::wstring& text) {
  txtNotes_->SetSelection(static_cast<int>(txtNotes_->Text().size()), 0);
  txtNotes_->ReplaceSelection(L"\r\n\r\n" + text);
}

void frmMain::ShowScreenshotKind(std::uint8_t kind) {
  ui::LoadPictureOrClear(*imgSS_, app_->settings.SkinFolder() + L"\\ss_" + std::to_wstring(kind) + L".bmp");
}

void frmMain::Launch(const std::wstring& name) {
  const std::wstring entry = name.empty() ? txtExec_->Text() : name;
  if (!app_->exec.DoExec(entry)) OfferNewExec(*app_, entry, window_.get());
}

int frmMain::Message(const std::wstring& text, int style, const std::wstring& title) {
  return ui::MsgBox(text, style, title);
}

}  // namespace velvane
