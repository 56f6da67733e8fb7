#include "sidebar/frm_main.h"
// Dragging the side bar by its background: the pointer sets a target, and the move timer glides the window towards
// it, a fraction of the way on each tick, inside the work area. With several monitors the bar may travel onto any of
// them and ends inside the work area of the one it is dragged to; a bar left outside every monitor (one was removed
// or moved) comes back onto the nearest.

#include "common/numbers.h"
#include "platform/input.h"
#include "ui/monitors.h"

namespace velvane {

std::int32_t SlideStep(std::int32_t target, std::int32_t current) {
  return ToInt32(RoundHalfEven((static_cast<double>(target) - current) / 1.2));
}

std::optional<std::int32_t> CursorPos(std::uint8_t axis) {
  if (axis > 1) return std::nullopt;
  const auto pos = platform::CursorPosition();
  if (!pos) return std::nullopt;
  return axis == 0 ? pos->first : pos->second;
}

double frmMain::TwipsPerPixel() const { return TwipsPerPixelAt(window_->Dpi()); }

std::int32_t frmMain::ToPixels(std::int32_t twips) const {
  return ToInt32(RoundHalfEven(twips / TwipsPerPixel()));
}

std::int32_t frmMain::ToTwips(std::int32_t pixels) const { return ToInt32(RoundHalfEven(pixels * TwipsPerPixel())); }

void frmMain::MoveTwips(std::int32_t left, std::int32_t top) {
  leftTwips_ = left;
  topTwips_ = top;
  window_->Move(ToPixels(left), ToPixels(top));
}

ui::Rect frmMain::PixelRect() const { return {window_->Left(), window_->Top(), window_->Width(), window_->Height()}; }

ui::Rect frmMain::ClampArea(const std::vector<ui::Monitor>& monitors) const {
  // The work area of the monitor the bar is heading for, widened by those of the monitors it still touches: it
  // glides from one monitor to the next without a jump, and ends inside the work area of the one it went to.
  const ui::Rect target{DragTargetX, DragTargetY, window_->Width(), window_->Height()};
  ui::Rect area = ui::MonitorOf(monitors, target).work;
  for (const ui::Monitor& m : monitors)
    if (ui::Overlaps(m.bounds, PixelRect())) area = ui::Union(area, m.work);
  return area;
}

std::int32_t frmMain::ClampToWorkArea(std::int32_t position, bool vertical) const {
  return ClampInto(position, vertical, ClampArea(ui::Monitors()));
}

std::int32_t frmMain::ClampInto(std::int32_t position, bool vertical, ui::Rect area) const {
  const int start = vertical ? area.y : area.x, length = vertical ? area.h : area.w;
  const std::int32_t first = ToTwips(start);
  const std::int32_t last = ToTwips(start + length) - ToTwips(vertical ? window_->Height() : window_->Width());
  if (position < first) return first;
  return last >= position ? position : last;
}

void frmMain::FollowStep() {
  // A target beyond the edge of its monitor's work area is taken at that edge, so the bar never ends across two.
  const std::vector<ui::Monitor> monitors = ui::Monitors();
  const ui::Rect wanted{DragTargetX, DragTargetY, window_->Width(), window_->Height()};
  const ui::Rect target = ui::MoveInto(wanted, ui::MonitorOf(monitors, wanted).work);
  DragTargetX = target.x;
  DragTargetY = target.y;
  // The step is added in twips, not pixels: each tick covers about 1/18 of the remaining distance at 96 dpi,
  // which gives the glide its length.
  const std::int32_t dx = SlideStep(DragTargetX, ToPixels(leftTwips_));
  const std::int32_t dy = SlideStep(DragTargetY, ToPixels(topTwips_));
  // The system is asked for its monitors once a tick.
  const ui::Rect area = ClampArea(monitors);
  std::int32_t left = ClampInto(leftTwips_ + dx, false, area);
  const std::int32_t top = ClampInto(topTwips_ + dy, true, area);
  // Never past the left or right end of the screen (all monitors together).
  const ui::Rect screen = ui::VirtualScreen(monitors);
  const std::int32_t screenLeft = ToTwips(screen.x);
  const std::int32_t screenRight = ToTwips(screen.x + screen.w) - ToTwips(window_->Width());
  if (left < screenLeft) left = screenLeft;
  if (left > screenRight) left = screenRight;
  MoveTwips(left, top);
}

void frmMain::BringOntoMonitor() {
  const std::vector<ui::Monitor> monitors = ui::Monitors();
  const ui::Rect now = PixelRect();
  for (const ui::Monitor& m : monitors)
    if (ui::Overlaps(m.work, now)) return;
  const ui::Rect back = ui::MoveInto(now, ui::MonitorOf(monitors, now).work);
  // A glide still running must not take the bar out again.
  DragTargetX = back.x;
  DragTargetY = back.y;
  MoveTwips(ToTwips(back.x), ToTwips(back.y));
}

void frmMain::DpiChanged() {
  // The system has moved and resized the window for the new scale: the twips follow its pixels.
  leftTwips_ = ToTwips(window_->Left());
  topTwips_ = ToTwips(window_->Top());
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
