// The side bar's keys, names and high contrast through the headless forms (reading from another process, the Tab
// order and the focus ring: the black-box tests). Wine cannot switch high contrast on: the tests put it in place.
#include "platform/clipboard.h"
#include "ui/focus_ring.h"
#include "unit/sidebar_support.h"

namespace velvane {
namespace {

using SideBar = test::SideBarInstallation;

bool Key(ui::Window& w, int key) { return w.NotifyDialogKey({key, 0}); }

// Coming forward, the bar focuses the first tool without its hint; Space locks, Tab shows the entry's hint, Delete
// drops it, Enter on "+" opens the to-do box, Esc leaves it unwritten, then hides the bar. Missing names are English.
TEST_F(SideBar, KeysDoWhatTheMouseDoesAndNamesNeverShowARawKey) {
  Start("");
  frmMain& f = Bar();
  ui::Window& w = f.Window();
  ASSERT_TRUE(platform::WriteClipboardText(L"copied\r\ntext"));
  ui::testing::FireTimer(f.tClipb());
  ShowSideBar(App(), true);
  w.NotifyActivate(true);
  ASSERT_EQ(w.FocusedControl(), &f.imgLock(1));
  EXPECT_EQ(f.lblInfo().Text(), L"");
  EXPECT_EQ(w.AccessibleName() + L"|" + f.imgLock(1).Accessible().name + L"|" + f.lblClip(1).Accessible().name,
            L"Velvane|Lock entry 1|copied\r\ntext");
  EXPECT_TRUE(Key(w, ui::kKeySpace));
  EXPECT_TRUE(App().clipboard.Locked(1) && f.imgLock(1).Accessible().checked);
  EXPECT_TRUE(Key(w, ui::kKeyTab));
  EXPECT_EQ(f.lblInfo().Text(), L"copied\r\ntext");
  w.FocusedControl()->NotifyKeyDown({ui::kKeyDelete, 0});
  EXPECT_EQ(App().clipboard.ClipbText(1), L"");

  ui::Control& add = *w.Find(L"img");
  add.Focus();
  EXPECT_TRUE(Key(w, ui::kKeyReturn));
  ui::Control& entry = *w.Find(L"txtToDo");
  entry.SetText(L"never written");
  EXPECT_TRUE(Key(w, ui::kKeyEscape));
  EXPECT_TRUE(!entry.Visible() && add.HasFocus() && App().toDo.Count() == 0 && w.Visible()) << "Esc hid the bar";
  EXPECT_TRUE(Key(w, ui::kKeyEscape));
  EXPECT_FALSE(w.Visible());
}

// High contrast: the system's colours, no skin picture. The ring stands out by 3:1 from light and dark skins, a light
// box on a dark one and a dialog's classic buttons.
TEST_F(SideBar, HighContrastTakesTheSystemsColoursAndTheRingStandsOut) {
  Start("");
  frmMain& f = Bar();
  const ui::SystemColors system{{0, 0, 0}, {255, 255, 0}, {26, 235, 255}};
  ui::testing::SetHighContrast(system);
  EXPECT_TRUE(!f.Window().ShowsPicture() && f.Window().ShownBackColor() == system.window &&
              f.lblBtn(MainButton::Hide).ShownForeColor() == system.windowText &&
              f.txtNotes().ShownBackColor() == system.window);
  ui::testing::SetHighContrast(std::nullopt);
  EXPECT_EQ(f.txtNotes().ShownBackColor(), Set().BoxColors[0]);

  const Color dark{33, 36, 42}, tile{64, 70, 81}, paper{229, 233, 239}, white{255, 255, 255}, face{212, 208, 200};
  for (const auto& [outside, inside] : {std::pair(dark, tile), {paper, paper}, {dark, white}, {dark, face}}) {
    const Color ring = ui::FocusRingColor({outside, outside}, {inside});
    EXPECT_GE(std::min(ui::ContrastRatio(ring, outside), ui::ContrastRatio(ring, inside)), 3.0);
  }
}

}  // namespace
}  // namespace velvane
