#pragma once
// Showing and hiding the side bar, and the small window routines around it.
#include <cstdint>

namespace velvane {
namespace ui { class Window; }

enum class FadeState : std::uint8_t { Idle = 0, FadingOut = 1, FadingIn = 2 };

extern std::uint8_t FadeAlpha;      // the alpha last given to the side bar; 0 also means hidden
extern FadeState FadeDirection;

// The one way the side bar is shown or hidden; every hide saves through SaveAll.
void ShowSideBar(bool show);

void SetWindowAlpha(ui::Window& window, std::uint8_t alpha);
void SetTopMost(ui::Window& window, bool topMost);

}  // namespace velvane
