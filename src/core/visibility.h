#pragma once
// Showing and hiding the side bar: the one way it is done, on the side bar's view.
#include <cstdint>

namespace velvane {
class SideBarView;

enum class FadeState : std::uint8_t { Idle = 0, FadingOut = 1, FadingIn = 2 };

extern std::uint8_t FadeAlpha;      // the alpha last given to the side bar; 0 also means hidden
extern FadeState FadeDirection;

// The one way the side bar is shown or hidden; every hide saves through SaveAll.
void ShowSideBar(SideBarView& bar, bool show);

}  // namespace velvane
