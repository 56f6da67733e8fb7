#include "core/visibility.h"

#include "core/config.h"
#include "core/side_bar_view.h"

namespace velvane {

std::uint8_t FadeAlpha = 0;
FadeState FadeDirection = FadeState::Idle;

void ShowSideBar(SideBarView& bar, bool show) {
  if (!OptChk[kOptFade]) {
    bar.SetShown(show);
    FadeAlpha = show ? 255 : 0;
    if (!show) SaveAll(bar);
  } else {
    FadeAlpha = show ? 0 : 255;
    FadeDirection = show ? FadeState::FadingIn : FadeState::FadingOut;
    bar.SetAlpha(FadeAlpha);
    bar.StartFade();
    // A show starts fully transparent; a hide keeps the window visible until the fade-out ends.
    if (show) bar.SetShown(true);
    else SaveAll(bar);
  }
  bar.SetTopMost(OptChk[kOptTopMost]);
  bar.EndDrag();
}

}  // namespace velvane
