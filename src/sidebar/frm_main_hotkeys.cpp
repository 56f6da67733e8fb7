#include "sidebar/frm_main.h"
// The hot keys, polled by tKeys: the show combination toggles the side bar on a quick press and only peeks while it
// is held; the screenshot combination takes one picture when it is released.

#include "core/velvane.h"
#include "dialogs/frm_cfg.h"
#include "platform/input.h"
#include "common/text.h"

namespace velvane {
namespace {

constexpr std::uint8_t kHotKeyShow = 1;
constexpr std::uint8_t kHotKeyScreenshot = 2;

bool HotKeyComplete(const Settings& settings, std::uint8_t pair) {
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
  const std::wstring file = ScreenshotFile(app.settings);
  std::uint8_t kind = clsScreenshot::kConfiguredKind;
  if (app.screenshot.TakeScreenshot(app.settings, kind)) return;
  // A timer tick goes on while the box is open: a second failure must not stack a second box on the first.
  struct Reporting {
    bool& on;
    ~Reporting() { on = false; }
  } box{reporting = true};
  ui::MsgBox(ReplaceAll(app.LangText(L"_shot:failed"), L"%p", file), ui::kMbExclamation, app.LangText(L"_main:title"));
}

void frmMain::KeysTick() {
  if (HotKeyComplete(app_->settings, kHotKeyShow)) {
    if (!hotKeyLatch_[kHotKeyShow] && app_->FadeDirection == FadeState::Idle && !holdWatch_ && !SettingsOpen()) {
      hotKeyLatch_[kHotKeyShow] = true;
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
    hotKeyLatch_[kHotKeyShow] = false;
  }

  // The screenshot is taken when the combination is released: one press, one picture.
  if (HotKeyComplete(app_->settings, kHotKeyScreenshot)) {
    if (!hotKeyLatch_[kHotKeyScreenshot] && !SettingsOpen()) hotKeyLatch_[kHotKeyScreenshot] = true;
  } else if (hotKeyLatch_[kHotKeyScreenshot]) {
    hotKeyLatch_[kHotKeyScreenshot] = false;
    TakeHotKeyScreenshot(*app_);
  }
}

void frmMain::KeyHoldTick() {
  // Still held 300 ms after the show: the bar only peeks and hides on release.
  if (HotKeyComplete(app_->settings, kHotKeyShow)) tKeyHolding_->SetEnabled(true);
  else holdWatch_ = false;
  tKeyHold_->SetEnabled(false);
}

void frmMain::KeyHoldingTick() {
  if (HotKeyComplete(app_->settings, kHotKeyShow)) return;
  ShowSideBar(*app_, false);
  tKeyHolding_->SetEnabled(false);
  holdWatch_ = false;
}

}  // namespace velvane
