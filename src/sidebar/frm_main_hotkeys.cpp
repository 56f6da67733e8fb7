#include "sidebar/frm_main.h"
// The hot keys, polled by tKeys: the show combination toggles the side bar on a quick press and only peeks while it
// is held; the screenshot combination takes one picture when it is released.

#include "core/config.h"
#include "core/services.h"
#include "core/visibility.h"
#include "dialogs/frm_cfg.h"
#include "platform/input.h"
#include "common/text.h"

namespace velvane {
namespace {

constexpr std::uint8_t kHotKeyShow = 1;
constexpr std::uint8_t kHotKeyScreenshot = 2;

bool HotKeyComplete(std::uint8_t pair) {
  const KeyPair& keys = HotKeys[pair];
  // Both keys are read on every call: a read also clears the key's "pressed since the last read" state, so a key
  // tapped alone long ago must not complete the pair when the other one goes down. A code of 0 never reads as down.
  const bool first = platform::IsKeyDown(keys.key0);
  const bool second = platform::IsKeyDown(keys.key1);
  return first && second;
}

}  // namespace

void TakeHotKeyScreenshot() {
  static bool reporting = false;
  if (reporting || !gScreenshot) return;
  const std::wstring file = ScreenshotFile();
  std::uint8_t kind = clsScreenshot::kConfiguredKind;
  if (gScreenshot->TakeScreenshot(kind)) return;
  // A timer tick goes on while the box is open: a second failure must not stack a second box on the first.
  struct Reporting {
    bool& on;
    ~Reporting() { on = false; }
  } box{reporting = true};
  ui::MsgBox(ReplaceAll(LangText(L"_shot:failed"), L"%p", file), ui::kMbExclamation, LangText(L"_main:title"));
}

void frmMain::KeysTick() {
  if (HotKeyComplete(kHotKeyShow)) {
    if (!hotKeyLatch_[kHotKeyShow] && FadeDirection == FadeState::Idle && !holdWatch_ && !SettingsOpen()) {
      hotKeyLatch_[kHotKeyShow] = true;
      if (FadeAlpha != 0) {
        ShowSideBar(*this, false);
      } else {
        window_->Show();
        ShowSideBar(*this, true);
        tKeyHold_->SetEnabled(true);
        holdWatch_ = true;
      }
    }
  } else {
    hotKeyLatch_[kHotKeyShow] = false;
  }

  // The screenshot is taken when the combination is released: one press, one picture.
  if (HotKeyComplete(kHotKeyScreenshot)) {
    if (!hotKeyLatch_[kHotKeyScreenshot] && !SettingsOpen()) hotKeyLatch_[kHotKeyScreenshot] = true;
  } else if (hotKeyLatch_[kHotKeyScreenshot]) {
    hotKeyLatch_[kHotKeyScreenshot] = false;
    TakeHotKeyScreenshot();
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
  ShowSideBar(*this, false);
  tKeyHolding_->SetEnabled(false);
  holdWatch_ = false;
}

}  // namespace velvane
