#include "sidebar/frm_main.h"
// The fade: on each tick of tTAnim the side bar's alpha steps towards shown or hidden, and the timer stops there.

#include "core/visibility.h"

namespace velvane {
namespace {

constexpr int kFadeStep = 30;

}  // namespace

void SetWindowAlpha(ui::Window& window, std::uint8_t alpha) { window.SetAlpha(alpha); }

void frmMain::FadeStep() {
  switch (app_->FadeDirection) {
    case FadeState::Idle:
      tTAnim_->SetEnabled(false);
      return;
    case FadeState::FadingOut:
      if (app_->FadeAlpha >= kFadeStep) {
        app_->FadeAlpha = static_cast<std::uint8_t>(app_->FadeAlpha - kFadeStep);
      } else {
        app_->FadeAlpha = 0;
        app_->FadeDirection = FadeState::Idle;
        tTAnim_->SetEnabled(false);
        tMove_->SetEnabled(false);
        window_->Hide();
      }
      break;
    case FadeState::FadingIn:
      if (app_->FadeAlpha <= 255 - kFadeStep) {
        app_->FadeAlpha = static_cast<std::uint8_t>(app_->FadeAlpha + kFadeStep);
      } else {
        app_->FadeAlpha = 255;
        app_->FadeDirection = FadeState::Idle;
        tTAnim_->SetEnabled(false);
      }
      break;
  }
  SetWindowAlpha(*window_, app_->FadeAlpha);
}

}  // namespace velvane
