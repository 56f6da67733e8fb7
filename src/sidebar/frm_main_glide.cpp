#include "sidebar/frm_main.h"
// Dragging the side bar by its background: the pointer sets a target, and the move timer glides the window towards
// it, a fraction of the way on each tick, inside the work area.

#include "common/numbers.h"
#include "platform/input.h"

namespace velvane {

WorkAreaRect GetWorkArea(bool inTwips) {
  const ui::Rect area = ui::WorkArea();
  WorkAreaRect r{area.x, area.y, area.w, area.h};
  if (inTwips) {
    r.left = ToInt32(RoundHalfEven(static_cast<double>(r.left) * kTwipsPerPixel));
    r.top = ToInt32(RoundHalfEven(static_cast<double>(r.top) * kTwipsPerPixel));
    r.width = ToInt32(RoundHalfEven(static_cast<double>(r.width) * kTwipsPerPixel));
    r.height = ToInt32(RoundHalfEven(static_cast<double>(r.height) * kTwipsPerPixel));
  }
  return r;
}

std::int32_t SlideStep(std::int32_t target, std::int32_t current) {
  return ToInt32(RoundHalfEven((static_cast<double>(target) - current) / 1.2));
}

std::optional<std::int32_t> CursorPos(std::uint8_t axis) {
  if (axis > 1) return std::nullopt;
  const auto pos = platform::CursorPosition();
  if (!pos) return std::nullopt;
  return axis == 0 ? pos->first : pos->second;
}

void frmMain::MoveTwips(std::int32_t left, std::int32_t top) {
  leftTwips_ = left;
  topTwips_ = top;
  window_->Move(ToInt32(RoundHalfEven(left / static_cast<double>(kTwipsPerPixel))),
                ToInt32(RoundHalfEven(top / static_cast<double>(kTwipsPerPixel))));
}

std::int32_t frmMain::ClampToWorkArea(std::int32_t position, bool vertical) const {
  const WorkAreaRect area = GetWorkArea(true);
  if (vertical) {
    const std::int32_t bottom = area.top + area.height;
    const std::int32_t height = window_->Height() * kTwipsPerPixel;
    if (position < area.top) return area.top;
    return bottom - height >= position ? position : bottom - height;
  }
  const std::int32_t right = area.left + area.width;
  const std::int32_t width = window_->Width() * kTwipsPerPixel;
  if (position < area.left) return area.left;
  return right - width >= position ? position : right - width;
}

void frmMain::FollowStep() {
  const std::int32_t leftPx = ToInt32(RoundHalfEven(leftTwips_ / static_cast<double>(kTwipsPerPixel)));
  const std::int32_t topPx = ToInt32(RoundHalfEven(topTwips_ / static_cast<double>(kTwipsPerPixel)));
  // The step is added in twips, not pixels: each tick covers about 1/18 of the remaining distance at 96 dpi,
  // which gives the glide its length.
  const std::int32_t dx = SlideStep(DragTargetX, leftPx);
  const std::int32_t dy = SlideStep(DragTargetY, topPx);
  std::int32_t left = ClampToWorkArea(leftTwips_ + dx, false);
  const std::int32_t top = ClampToWorkArea(topTwips_ + dy, true);
  const std::int32_t screenRight = ui::ScreenWidth() * kTwipsPerPixel - window_->Width() * kTwipsPerPixel;
  if (left < 0) left = 0;
  if (left > screenRight) left = screenRight;
  MoveTwips(left, top);
}

void frmMain::BackgroundMouseDown(const ui::MouseEvent& e) {
  if (Pressing || e.button != ui::kLeftButton) return;
  Pressing = true;
  GrabX = e.x;
  GrabY = e.y;
  BackgroundMouseMove(e);
}

void frmMain::BackgroundMouseMove(const ui::MouseEvent&) {
  if (!Pressing) return;
  const auto x = CursorPos(0), y = CursorPos(1);
  if (!x || !y) return;
  DragTargetX = *x - GrabX;
  DragTargetY = *y - GrabY;
  if (!tMove_->Enabled()) tMove_->SetEnabled(true);
}

void frmMain::BackgroundMouseUp(const ui::MouseEvent& e) {
  // The glide goes on towards the last target.
  if (e.button == ui::kLeftButton) Pressing = false;
}

}  // namespace velvane
