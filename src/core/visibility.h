#pragma once
// Showing and hiding the side bar: the one way it is done, on the side bar's view.
#include <cstdint>

namespace velvane {
struct Velvane;

enum class FadeState : std::uint8_t { Idle = 0, FadingOut = 1, FadingIn = 2 };

// The one way the side bar is shown or hidden; every hide saves through SaveAll.
void ShowSideBar(Velvane& app, bool show);

}  // namespace velvane
