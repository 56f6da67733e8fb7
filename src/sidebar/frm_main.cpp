#include "sidebar/frm_main.h"
// The side bar's construction: the window, its controls bound to the lists that fill them, and the window's own
// events (hand-over of command lines, closing, the end of the session). The other jobs sit in frm_main_*.cpp.

#include "common/numbers.h"
#include "common/text.h"
#include "core/commands.h"
#include "core/config.h"
#include "core/notes.h"
#include "core/services.h"
#include "core/startup.h"
#include "core/visibility.h"
#include "platform/codepage.h"

namespace velvane {

bool SettingsOpen = false;

namespace {

std::unique_ptr<frmMain>& Instance() {
  static std::unique_ptr<frmMain> form;
  return form;
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

  // First appearance: centred on the monitor that holds the pointer.
  window_->CenterOnScreen();
  MoveTwips(ToTwips(window_->Left()), ToTwips(window_->Top()));

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
  window_->onDpiChanged = [this] { DpiChanged(); };
  window_->onDisplayChange = [this] { BringOntoMonitor(); };
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

}  // namespace velvane
