#include "sidebar/frm_main.h"
// The hot keys, polled by tKeys: the show combination toggles the side bar on a quick press and only peeks while it
// is held; the screenshot combination takes one picture when it is released.

#include "core/velvane.h"
#include "dialogs/frm_cfg.h"
#include "platform/input.h"
#include "common/text.h"

namespace velvane {
namespace {

bool HotKeyComplete(const Settings& settings, HotKeyIndex pair) {
  const KeyPair& keys = settings.HotKeys[pair];
  // Both keys are read on every call: a read also clears the key's "pressed since the last read" state, so a key
  // tapped alone long ago must not complete the pair when the other one goes down. A code of 0 never reads as down.
  const bool first = platform::IsKeyDown(keys.key0);
  const bool second = platform::IsKeyDown(keys.key1);
  return first && second;
}

}  // namespace

void TakeHotKeyScreenshot(Velvane& app) {
  static bool reporting = false;
  if (reporting) return;
  const Screenshot shot = app.screenshot.TakeScreenshot(app.settings, app.store.config);
  if (shot.saved && shot.numbered) return;
  // A timer tick goes on while the box is open: a second failure must not stack a second box on the first.
  struct Reporting {
    bool& on;
    ~Reporting() { on = false; }
  } box{reporting = true};
  const std::wstring text = !shot.saved
                                ? ReplaceAll(app.LangText(L"_shot:failed"), L"%p", shot.file) + L"\r\n\r\n" + shot.saved.Reason()
                                : FileProblemsText(app, messages::kShotNumberUnsaved, {{app.store.config, shot.numbered}});
  ui::MsgBox(text, ui::kMbExclamation, app.LangText(L"_main:title"));
}

void frmMain::KeysTick() {
  if (HotKeyComplete(app_->settings, kShowHotKey)) {
    if (!hotKeyLatch_[kShowHotKey] && app_->FadeDirection == FadeState::Idle && !holdWatch_ && !SettingsOpen()) {
      hotKeyLatch_[kShowHotKey] = true;
      if (app_->FadeAlpha != 0) {
        ShowSideBar(*app_, false);
      } else {
        window_->Show();
        ShowSideBar(*app_, true);
        tKeyHold_->SetEnabled(true);
        holdWatch_ = true;
      }
    }
  } else {
    hotKeyLatch_[kShowHotKey] = false;
  }

  // The screenshot is taken when the combination is released: one press, one picture.
  if (HotKeyComplete(app_->settings, kScreenshotHotKey)) {
    if (!hotKeyLatch_[kScreenshotHotKey] && !SettingsOpen()) hotKeyLatch_[kScreenshotHotKey] = true;
  } else if (hotKeyLatch_[kScreenshotHotKey]) {
    hotKeyLatch_[kScreenshotHotKey] = false;
    TakeHotKeyScreenshot(*app_);
  }
}

void frmMain::KeyHoldTick() {
  // Still held 300 ms after the show: the bar only peeks and hides on release.
  if (HotKeyComplete(app_->settings, kShowHotKey)) tKeyHolding_->SetEnabled(true);
  else holdWatch_ = false;
  tKeyHold_->SetEnabled(false);
}

void frmMain::KeyHoldingTick() {
  if (HotKeyComplete(app_->settings, kShowHotKey)) return;
  ShowSideBar(*app_, false);
  tKeyHolding_->SetEnabled(false);
  holdWatch_ = false;
}

}  // namespace velvane
