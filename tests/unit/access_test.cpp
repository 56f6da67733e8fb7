// The side bar for the keyboard and for screen readers, through the headless forms: what the keys do, what the
// controls are called where the language file lacks a name, and the system's high contrast and animation settings
// (put in place by the test: Wine cannot switch them on). The reading from another process, the Tab order and the
// focus ring: the black-box tests on velvane.exe.
#include "platform/clipboard.h"
#include "ui/focus_ring.h"
#include "unit/sidebar_support.h"

namespace velvane {
namespace {

using SideBar = test::SideBarInstallation;

bool Key(ui::Window& w, int key, int shift = 0) { return w.NotifyDialogKey({key, shift}); }

// The first tool takes the focus when the bar comes forward, without its hint; the keys then do what the mouse does:
// Space locks, Tab reaches the entry with its hint, Delete drops it, Enter on "+" opens the to-do box, Esc leaves it
// unwritten and then hides the bar. Names the language file lacks are English, the bar is the program's name.
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
  EXPECT_FALSE(Key(w, ui::kKeyDelete));  // not a dialog key: the row's own
  w.FocusedControl()->NotifyKeyDown({ui::kKeyDelete, 0});
  EXPECT_EQ(App().clipboard.ClipbText(1), L"");
  EXPECT_FALSE(f.lblClip(1).TabStop()) << "an empty row is passed over";

  ui::Control& add = *w.Find(L"img");
  add.Focus();
  EXPECT_EQ(add.Accessible().name, L"Add a to-do item");
  EXPECT_TRUE(Key(w, ui::kKeyReturn));
  ui::Control& entry = *w.Find(L"txtToDo");
  ASSERT_TRUE(entry.HasFocus());
  entry.SetText(L"never written");
  EXPECT_TRUE(Key(w, ui::kKeyEscape));
  EXPECT_TRUE(!entry.Visible() && add.HasFocus() && App().toDo.Count() == 0 && w.Visible());
  EXPECT_TRUE(Key(w, ui::kKeyEscape));
  EXPECT_FALSE(w.Visible());
}

// High contrast: the system's colours for text and backgrounds, no skin picture. Animations off: no fade, even with
// the fade option on, and a bar left transparent by it shows at once.
TEST_F(SideBar, HighContrastColoursAndNoAnimations) {
  Start("[CHK]\r\nChk1=1\r\n");
  frmMain& f = Bar();
  const ui::SystemColors system{{0, 0, 0}, {255, 255, 0}, {26, 235, 255}, {0, 0, 0}};
  ui::testing::SetHighContrast(system);
  EXPECT_FALSE(f.Window().ShowsPicture());
  EXPECT_EQ(f.Window().ShownBackColor(), system.window);
  EXPECT_EQ(f.lblBtn(MainButton::Hide).ShownForeColor(), system.windowText);
  EXPECT_EQ(f.txtNotes().ShownBackColor(), system.window);
  ui::testing::SetHighContrast(std::nullopt);
  EXPECT_EQ(f.txtNotes().ShownBackColor(), Set().BoxColors[0]);

  ui::testing::SetClientAreaAnimation(false);
  ASSERT_EQ(f.Window().Alpha(), 0);
  ShowSideBar(App(), true);
  EXPECT_TRUE(f.Window().Visible() && f.Window().Alpha() == 255 && App().FadeDirection == FadeState::Idle);
  ShowSideBar(App(), false);
  EXPECT_FALSE(f.Window().Visible());
}

// The ring stands out by 3:1 from light and dark skins, and from a light box on a dark one.
TEST(FocusRing, StandsOutFromWhatLiesOnEitherSide) {
  const Color dark{33, 36, 42}, tile{64, 70, 81}, paper{229, 233, 239}, white{255, 255, 255}, face{212, 208, 200};
  for (const auto& [outside, inside] : {std::pair(dark, tile), {paper, paper}, {dark, white}, {dark, face}}) {
    const Color ring = ui::FocusRingColor({outside, outside}, {inside});
    EXPECT_GE(std::min(ui::ContrastRatio(ring, outside), ui::ContrastRatio(ring, inside)), 3.0);
  }
}

}  // namespace
}  // namespace velvane
