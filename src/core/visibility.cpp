#include "core/visibility.h"

#include "core/side_bar_view.h"
#include "core/velvane.h"

namespace velvane {

void ShowSideBar(Velvane& app, bool show) {
  SideBarView& bar = app.bar;
  if (!app.settings.OptChk[kOptFade] || !bar.Animated()) {
    // At once: a fade cut short, or the transparent start of a fade the system now forbids, leaves no trace.
    app.FadeDirection = FadeState::Idle;
    if (show) bar.SetAlpha(255);
    bar.SetShown(show);
    app.FadeAlpha = show ? 255 : 0;
    if (!show) SaveAll(app);
  } else {
    app.FadeAlpha = show ? 0 : 255;
    app.FadeDirection = show ? FadeState::FadingIn : FadeState::FadingOut;
    bar.SetAlpha(app.FadeAlpha);
    bar.StartFade();
    // A show starts fully transparent; a hide keeps the window visible until the fade-out ends.
    if (show) bar.SetShown(true);
    else SaveAll(app);
  }
  bar.SetTopMost(app.settings.OptChk[kOptTopMost]);
  bar.EndDrag();
}

}  // namespace velvane
