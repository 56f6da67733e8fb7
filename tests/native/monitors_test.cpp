// The side bar and the screenshots on a desktop of several monitors and at another scale, on the headless twins.
#include "platform/screen_capture_testing.h"
#include "unit/sidebar_support.h"

namespace velvane {
namespace {

namespace pt = platform::testing;

// The primary monitor with a task bar at the bottom, and a second one left of it (negative coordinates), taller.
const ui::Monitor kPrimary{{0, 0, 1280, 1024}, {0, 0, 1280, 994}};
const ui::Monitor kLeft{{-1920, -100, 1920, 1200}, {-1920, -100, 1920, 1160}};

class Monitors : public test::SideBarInstallation {
protected:
  void SetUp() override {
    SideBarInstallation::SetUp();
    ui::testing::SetMonitors({kPrimary, kLeft});
  }
};

TEST_F(Monitors, TheBarAppearsOnThePointersMonitorAndIsDraggedOntoAnother) {
  pt::SetCursor(-500, 300);
  Start("");
  ui::Window& w = Bar().Window();
  EXPECT_EQ(std::pair(w.Left(), w.Top()), std::pair(-1920 + (1920 - 800) / 2, -100 + (1200 - 341) / 2));

  DragTo(300 + 10, 200 + 10);  // onto the primary monitor, crossing the border
  EXPECT_EQ(std::pair(w.Left(), w.Top()), std::pair(300, 200));
  DragTo(-700 + 10, 500 + 10);  // back, mostly onto the left monitor: it ends inside that one's work area
  EXPECT_EQ(std::pair(w.Left(), w.Top()), std::pair(-800, 500));
  DragTo(-1000 + 10, 1000 + 10);  // below the primary's bottom: the taller monitor's work area holds it
  EXPECT_EQ(std::pair(w.Left(), w.Top()), std::pair(-1000, 1000 - 341 + 60));
  DragTo(-9000, 5000);  // far past the corner: stopped at the edges of the work area
  EXPECT_EQ(std::pair(w.Left(), w.Top() + w.Height()), std::pair(-1920, 1060));
}

// A bar left on a monitor that went away comes back, when the displays change and when it is shown.
TEST_F(Monitors, ABarOutsideEveryMonitorComesBackOntoTheNearest) {
  pt::SetCursor(-500, 300);
  Start("");
  frmMain& f = Bar();
  for (const bool byShow : {false, true}) {
    ui::testing::SetMonitors({kPrimary, kLeft});
    f.MoveTwips(-1500 * 15, 900 * 15);
    ui::testing::SetMonitors({kPrimary});
    if (byShow) ShowSideBar(App(), true);
    else f.Window().NotifyDisplayChange();
    EXPECT_EQ(std::pair(f.Window().Left(), f.Window().Top()), std::pair(0, 994 - 341)) << byShow;
  }
  ui::testing::SetMonitors({kPrimary, kLeft});
  f.MoveTwips(-2 * 15, 900 * 15);  // partly on the primary's work area: left where it is
  f.Window().NotifyDisplayChange();
  EXPECT_EQ(f.Window().Left(), -2);
  f.MoveTwips(-3000 * 15, 100 * 15);  // beyond the left monitor, which is the nearer: onto it
  f.Window().NotifyDisplayChange();
  EXPECT_EQ(std::pair(f.Window().Left(), f.Window().Top()), std::pair(-1920, 100));
}

// At 150% the bar is 1200 x 512 pixels, its twips are 10 to a pixel, and a change of scale keeps it in place.
TEST_F(Monitors, TheGlideWorksInTwipsOfTheMonitorsScale) {
  ui::testing::SetMonitors({{{0, 0, 2560, 1440}, {0, 0, 2560, 1400}}});
  ui::testing::SetDpi(144);
  Start("");
  frmMain& f = Bar();
  EXPECT_EQ(std::pair(f.Window().Width(), f.Window().Height()), std::pair(1200, 512));
  f.MoveTwips(0, 0);
  DragTo(190, 10, 1);
  EXPECT_EQ(std::pair(f.LeftTwips(), f.Window().Left()), std::pair(150, 15));  // 180 / 1.2 twips, 10 to a pixel

  f.MoveTwips(1800, 0);
  f.DragTargetX = f.Window().Left();
  ui::testing::SetDpi(96);  // the window went to a 100% monitor at the same place
  f.Window().NotifyDpiChanged();
  ui::testing::FireTimer(f.tMove());
  EXPECT_EQ(std::pair(f.LeftTwips(), f.Window().Left()), std::pair(180 * 15, 180));
}

// The screen kind takes every monitor from the top-left corner of all; the foreground kind the visible frame.
TEST_F(Monitors, CapturesCoverTheVirtualScreenAndTheVisibleFrame) {
  pt::ResetFakeDisplay();
  pt::TheFakeDisplay().virtualScreen = platform::WindowBounds{-3, -1, 4, 2};
  EXPECT_EQ(App().screenshot.CaptureScreen().Pixels().width, 7);
  pt::TheFakeDisplay().windows[0x42] = {100, 50, 400, 250};
  pt::TheFakeDisplay().visibleFrames[0x42] = {107, 50, 393, 243};
  pt::TheFakeDisplay().foreground = 0x42;
  (void)App().screenshot.CaptureActiveWindow();
  const auto& shots = pt::TheFakeDisplay().captures;
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_TRUE(shots[0].left == -3 && shots[0].top == -1 && shots[0].width == 7 && shots[0].height == 3);
  EXPECT_TRUE(shots[1].left == 7 && shots[1].top == 0 && shots[1].width == 286 && shots[1].height == 193);
}

}  // namespace
}  // namespace velvane
