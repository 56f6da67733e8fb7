#include "core/visibility.h"

#include "core/config.h"
#include "sidebar/frm_main.h"
#include "ui/forms.h"

namespace velvane {

std::uint8_t FadeAlpha = 0;
FadeState FadeDirection = FadeState::Idle;

void ShowSideBar(bool show) {
  frmMain& form = MainForm();
  ui::Window& window = form.Window();
  if (!OptChk[kOptFade]) {
    if (show) window.Show();
    else window.Hide();
    FadeAlpha = show ? 255 : 0;
    if (!show) SaveAll();
  } else {
    FadeAlpha = show ? 0 : 255;
    FadeDirection = show ? FadeState::FadingIn : FadeState::FadingOut;
    SetWindowAlpha(window, FadeAlpha);
    form.tTAnim().SetEnabled(true);
    // A show starts fully transparent; a hide keeps the window visible until the fade-out ends.
    if (show) window.Show();
    else SaveAll();
  }
  SetTopMost(window, OptChk[kOptTopMost]);
  // A bar left outside every monitor (one was unplugged while it was hidden) is shown on the nearest one.
  if (show) form.BringOntoMonitor();
  form.Pressing = false;
}

void SetWindowAlpha(ui::Window& window, std::uint8_t alpha) {
  try {
    window.SetAlpha(alpha);
  } catch (...) {
  }
}

void SetTopMost(ui::Window& window, bool topMost) { window.SetTopMost(topMost); }

}  // namespace velvane
