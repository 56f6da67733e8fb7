// The side bar's start, settings, fading, dragging, hot keys and command verbs, through the headless forms.
#include <tuple>

#include "platform/clipboard.h"
#include "core/commands.h"
#include "core/notes.h"
#include "unit/sidebar_support.h"

namespace velvane {
namespace {

using SideBar = test::SideBarInstallation;

// Rows, key filter and info line (start hidden, captions and colours: the black-box tests on velvane.exe).
TEST_F(SideBar, PanelRowsLauncherBoxAndInfoLine) {
  Start("");
  frmMain& f = Bar();
  EXPECT_EQ(f.lblBtn(5).Text(), L"_main:oclose");  // a key missing from the language file stays as it is
  for (int i = 1; i <= 6; ++i) EXPECT_TRUE(f.imgLock(i).HasPicture());  // the rows' places: the pictures' tests
  EXPECT_EQ(f.Window().Find(L"imgLock(7)"), nullptr);

  // The euro sign, S caron and the en dash have ANSI codes 128, 138 and 150; 251 and 255 are past the limit; letters
  // outside Windows-1252 are kept.
  ui::TextBox& box = f.txtExec();
  for (wchar_t ch : {L'a', L'\u20AC', L'\u0160', L'\u2013', L'\u00FA', L'\u4E2D', L'\b'})
    EXPECT_EQ(box.NotifyKeyPress(ch), ch);
  for (wchar_t ch : {L'\t', L'\u00FB', L'\u00FF'}) EXPECT_EQ(box.NotifyKeyPress(ch), 0);

  int row = 0;
  for (const std::wstring& text : {std::wstring(L"one\r\ntwo"), std::wstring(100000, L'x')}) {
    ASSERT_TRUE(platform::WriteClipboardText(text));
    ui::testing::FireTimer(f.tClipb());
    f.lblClip(++row).onMouseMove(ui::MouseEvent{});
    EXPECT_EQ(f.lblInfo().Text(), text) << "row " << row;  // whole
  }
}

// Numbers are taken by their leading number, rounded half to even (the hot keys' saving: the dialogs' tests). A
// byte setting out of range ends the start (a missing skin picture: the black-box and the forms' tests).
TEST_F(SideBar, SettingsLoadByTheirRulesAndOneOutOfRangeEndsTheStart) {
  Configure("[SS]\r\nType=300\r\n");
  EXPECT_EQ(StartOn(L""), StartupResult::Failed);
  ASSERT_EQ(ui::testing::MessageLog().size(), 1u);
  EXPECT_EQ(ui::testing::MessageLog()[0].text.rfind(L"Error on loading. Now exiting.\rError # 6 - ", 0), 0u);
  Stop();
  Start("[CHK]\r\nChk1=1.0\r\nChk2=2\r\nChk3=yes\r\nChk4=1abc\r\n[PATH]\r\nScreens=C:\\shots\r\n[SS]\r\nType=1.5\r\n"
        "[KEYS1]\r\nKey0=17\r\nKey1=123.5\r\n[KEYS2]\r\nKey0=0\r\n");
  EXPECT_EQ(Set().OptChk, (std::array<bool, kOptionCount>{true, false, false, true, false}));
  EXPECT_EQ(Set().ScreensDir + L"|" + std::to_wstring(Set().ScreenshotType), L"C:\\shots\\|2");
  EXPECT_EQ(Bar().Window().Alpha(), 0);  // fading on: the first fade-in starts from nothing
  EXPECT_FALSE(Bar().imgSS().HasPicture());  // there is no ss_2.bmp
  EXPECT_EQ((std::array<int, 3>{Set().HotKeys[0].key0, Set().HotKeys[0].key1, Set().HotKeys[1].key0}),
            (std::array{17, 124, 0}));
}

// What interrupted saves left goes at the start: the data folder's "*.new~", and in the screenshot folder (the user's)
// only a screenshot's, the prefix and a number before ".bmp.new~". An editor's backup and other files stay.
TEST_F(SideBar, TheStartSweepsOnlyWhatInterruptedSavesLeft) {
  const std::wstring shots = dir_.Path() + L"\\shots\\";
  const std::wstring files[] = {DataDir + L"notes.qdt.new~", DataDir + L"config.qdt~",    shots + L"shot_12.bmp.new~",
                                shots + L"shot_a.bmp.new~",  shots + L"my12.bmp.new~",   shots + L"shot_12.bmp"};
  for (const std::wstring& file : files) test::WriteBytes(file, "x");
  Start("[PATH]\r\nScreens=" + std::string(shots.begin(), shots.end()) + "\r\n[TXT]\r\nTxt0=shot_\r\n");
  std::wstring left;
  for (const std::wstring& file : files) left += test::Exists(file) ? file.substr(file.rfind(L'\\') + 1) + L" " : L"";
  EXPECT_EQ(left, L"config.qdt~ shot_a.bmp.new~ my12.bmp.new~ shot_12.bmp ");
}

// A fade runs from the other end in nine ticks, a hide saves at its start (the fade's ends: the black-box tests);
// without the system's animations there is none.
TEST_F(SideBar, ShowAndHideWithAndWithoutFade) {
  Start("[CHK]\r\nChk1=1\r\n[SS]\r\nType=1\r\n");
  ui::Window& w = Bar().Window();
  for (const bool show : {true, false}) {
    Set().ScreenshotType = 0;
    ShowSideBar(App(), show);
    EXPECT_TRUE(w.Visible());
    EXPECT_EQ(w.Alpha(), show ? 0 : 255);
    EXPECT_EQ(Config(L"SS", L"Type"), show ? L"1" : L"0");
    int ticks = 0;
    while (ui::testing::FireTimer(Bar().tTAnim()) && ticks < 100) ++ticks;
    EXPECT_EQ(ticks, 9);
    EXPECT_EQ(w.Visible(), show);
  }
  ui::testing::SetClientAreaAnimation(false);  // as Windows would say it: at once, even from a transparent start
  ShowSideBar(App(), true);
  EXPECT_TRUE(w.Visible() && w.Alpha() == 255 && App().FadeDirection == FadeState::Idle);
  ui::testing::SetClientAreaAnimation(true);
  Set().OptChk[kOptFade] = false;
  Set().OptChk[kOptTopMost] = true;
  ShowSideBar(App(), true);
  EXPECT_EQ(App().FadeAlpha, 255);
  ShowSideBar(App(), false);
  EXPECT_TRUE(w.TopMost());
}

TEST_F(SideBar, DragGlidesTowardsThePointerAndStaysInTheWorkArea) {
  Start("");
  frmMain& f = Bar();
  f.MoveTwips(0, 0);
  f.BackgroundMouseDown({ui::kRightButton, 0, 10, 10});
  EXPECT_FALSE(f.Pressing);
  DragTo(190, 10, 1);  // 180 pixels to the right
  EXPECT_FALSE(f.Pressing);
  EXPECT_EQ(f.LeftTwips(), 150);  // 180 / 1.2 twips: one eighteenth of the way in pixels
  for (int i = 0; i < 400; ++i) ui::testing::FireTimer(f.tMove());
  EXPECT_EQ(f.Window().Left(), 180);

  DragTo(5000, 5000);  // far past the bottom right corner: the window stops at the work area's edges
  EXPECT_EQ(f.Window().Left() + f.Window().Width(), 1280);
  EXPECT_EQ(f.Window().Top() + f.Window().Height(), 994);
  f.BackgroundMouseDown({ui::kLeftButton, 0, 10, 10});
  ShowSideBar(App(), true);
  EXPECT_FALSE(f.Pressing);  // a show ends the drag
  // A step is the distance left over 1.2, rounded half to even (2.5 gives 2).
  EXPECT_EQ((std::array{SlideStep(10, 4), SlideStep(10, 9), SlideStep(4, 10), SlideStep(3, 0)}),
            (std::array{5, 1, -5, 2}));
}

// The end of the Windows session and the close button save too. "-show", "-quit", "-addnote", empty hand-offs and
// their code page are checked by the black-box tests.
TEST_F(SideBar, CommandsRunTheirVerbsAndTheSessionsEndAndTheCloseButtonSave) {
  Start("[CHK]\r\nChk2=1\r\nChk3=1\r\n");
  frmMain& f = Bar();
  // Trimmed at the ends only, verbs in any case; "-addtodo" without its argument and an unknown verb do nothing.
  for (const wchar_t* command : {L"  -addtodo  buy milk ", L"-ADDTODO call back", L"-addtodo", L"-deltodo 300",
                                 L"-deltodo 1", L"-addtimer 0,5,0,Tea", L"-save"})
    App().router.ReceiveCommand(command);
  EXPECT_EQ(test::ReadBytes(DataDir + L"todo.qdt"), " buy milk\r[END]\r\n");
  EXPECT_TRUE(ui::testing::MessageLog().empty());
  App().router.ReceiveCommand(L"-addtodo tea");
  ASSERT_TRUE(f.Window().NotifyQueryEndSession());
  f.Window().NotifyEndSession();
  EXPECT_EQ(test::ReadBytes(DataDir + L"todo.qdt"), "tea\r buy milk\r[END]\r\n");
  f.txtNotes().SetText(L"keep me");
  f.lblBtn(5).onClick();
  EXPECT_EQ(test::ReadBytes(DataDir + L"notes.qdt"), "keep me\r\n");
  EXPECT_EQ(ui::testing::QuitRequested(), 0);
}

// A save that cannot write names its files and keeps what they should hold: the close button keeps the side bar then,
// and the next save writes it all. A hide does not say the same causes twice; the close button always says them.
TEST_F(SideBar, AFailedSaveNamesTheFilesAndKeepsTheirContentsForTheNextSave) {
  Start("[CHK]\r\nChk2=1\r\nChk3=1\r\nChk4=1\r\n");
  frmMain& f = Bar();
  App().router.ReceiveCommand(L"-addtodo kept");
  f.txtNotes().SetText(L"noted");
  ASSERT_TRUE(App().shelf.AddFile(L"C:\\shelved.txt"));
  std::filesystem::remove_all(test::Native(DataDir));
  f.lblBtn(5).onClick();
  ShowSideBar(App(), false);
  EXPECT_EQ(ui::testing::QuitRequested(), std::nullopt);
  ASSERT_EQ(ui::testing::MessageLog().size(), 1u);
  EXPECT_EQ(ui::testing::MessageLog()[0].text.rfind(L"These files could not be saved.", 0), 0u) << "a language file "
                                                                                                 "without the key";
  const DataStore& store = App().store;
  for (const std::wstring& file : {store.notes.Path(), store.toDo.Path(), store.shelf.Path()})
    EXPECT_NE(ui::testing::MessageLog()[0].text.find(file), std::wstring::npos) << test::Native(file);
  f.lblBtn(5).onClick();
  EXPECT_EQ(ui::testing::MessageLog().size(), 2u);
  std::filesystem::create_directories(test::Native(DataDir));
  f.lblBtn(5).onClick();
  EXPECT_EQ(ui::testing::QuitRequested(), 0);
  EXPECT_EQ(ui::testing::MessageLog().size(), 2u);
  EXPECT_EQ(test::ReadBytes(store.notes.Path()) + test::ReadBytes(store.toDo.Path()) + test::ReadBytes(store.shelf.Path()),
            "noted\r\nkept\r[END]\r\nC:\\shelved.txt\r[END]\r\n");
}

TEST_F(SideBar, CommandsHandedOverDuringStartUpWaitForTheListsAndKeepTheirOrder) {
  test::WriteBytes(DataDir + L"todo.qdt", "from file\r[END]\r\n");
  App().router.Hold(L"-addtodo first handed");
  App().router.Hold(L"-addtodo second handed");
  Start("[CHK]\r\nChk2=1\r\n", L"-addtodo own");
  ASSERT_EQ(App().toDo.Count(), 4);
  EXPECT_EQ(App().toDo.Item(1) + L"|" + App().toDo.Item(2) + L"|" + App().toDo.Item(3),
            L"second handed|first handed|own");
  // Once started, a hand-off runs at once: a second start's own payload, or the system code page's bytes of an
  // older sender.
  Bar().Window().onCopyData(kHandOffUtf16, HandOffPayload(L"-addtodo \u041F\u0440\u0438 \u4E2D \U0001F600"));
  EXPECT_EQ(App().toDo.Item(1), L"\u041F\u0440\u0438 \u4E2D \U0001F600");
  Bar().Window().onCopyData(kHandOffAnsi, "-addtodo caf\xE9");
  EXPECT_EQ(App().toDo.Item(1), L"caf\u00E9");

  // One that arrives while the start's own command waits in a message box waits for the start to end.
  Stop();
  ui::testing::WhileNextMsgBox([this] {
    Bar().Window().onCopyData(kHandOffAnsi, "-addtodo handed meanwhile");
    EXPECT_EQ(App().toDo.Count(), 1) << "it ran before the start ended";
  });
  Start("[CHK]\r\nChk2=1\r\n", L"-exec unknown");  // asks whether to add the program
  EXPECT_EQ(App().toDo.Item(1), L"handed meanwhile");
}

// A hand-off that comes in while a held command runs (a command showing a box lets it in) joins the queue and runs
// after it; each held command is copied before it runs, never read from the queue that grows meanwhile.
TEST(CommandRouter, HandOffsArrivingWhileHeldCommandsRunJoinTheQueueInOrder) {
  struct View final : test::NullView {
    Velvane* app = nullptr;
    std::wstring notes;
    int arrivals = 0;
    void BringForward() override {
      if (++arrivals <= 9) app->router.HandOff(kHandOffAnsi, "-addnote " + std::to_string(arrivals));
    }
    void AppendNote(const std::wstring& text) override { notes += text; }
  } view;
  Velvane app(view);
  view.app = &app;
  app.router.Hold(L"-addnote first ");
  app.router.CompleteStartup(L"-addnote own ");
  EXPECT_EQ(view.notes, L"ownfirst123456789");
}

// A quick press of the show key toggles the bar, once however long it is held; held past the hold check it shows the
// bar only until released; nothing while the settings are open. A key tapped alone never completes the pair later.
TEST_F(SideBar, ShowKeyTogglesOnAQuickPressAndPeeksWhileHeld) {
  Start("[KEYS1]\r\nKey0=17\r\nKey1=123\r\n");
  frmMain& f = Bar();
  enum Tick { kKeys, kHold, kHolding };  // the key polling, the hold check, the peek's own polling
  const std::tuple<bool, Tick, bool> steps[] = {  // the keys down, the timer that ticks, the bar then visible
      {true, kKeys, true}, {true, kKeys, true}, {false, kKeys, true}, {false, kHold, true},  // a quick press shows
      {true, kKeys, false}, {false, kKeys, false},                                          // pressed again: hides
      {true, kKeys, true}, {true, kHold, true}, {true, kHolding, true}, {false, kHolding, false},  // a peek
      {true, kKeys, false}};                                                                // the settings are open
  for (size_t i = 0; i < std::size(steps); ++i) {
    const auto& [down, tick, visible] = steps[i];
    if (i + 1 == std::size(steps)) frmCfg::ShowDialog(App());
    platform::testing::SetKeyDown(17, down);
    platform::testing::SetKeyDown(123, down);
    if (tick == kKeys) f.KeysTick();
    if (tick == kHolding) f.KeyHoldingTick();
    if (tick == kHold) {
      f.KeyHoldTick();
      EXPECT_EQ(f.tKeyHolding().Enabled(), down) << "step " << i;
    }
    EXPECT_EQ(f.Window().Visible(), visible) << "step " << i;
  }
  frmCfg::Discard();
  platform::testing::ResetInput();
  platform::testing::TapKey(123);  // F12 alone
  f.KeysTick();
  f.KeysTick();
  platform::testing::SetKeyDown(17, true);  // later Ctrl alone, for Ctrl+C elsewhere
  f.KeysTick();
  EXPECT_FALSE(f.Window().Visible());
  platform::testing::ResetInput();
}

// The screenshot key acts once, on release; it does nothing while the settings are open, but a press latched before
// they opened still acts. Kind 2 takes no picture but uses up a number, which shows that the key acted.
TEST_F(SideBar, ScreenshotKeyActsOnReleaseExceptWhileTheSettingsAreOpen) {
  Start("[KEYS2]\r\nKey0=17\r\nKey1=122\r\n[TXT]\r\nTxt1=1\r\n[SS]\r\nType=2\r\n");
  const std::tuple<bool, bool, const wchar_t*> steps[] = {  // settings open, keys down, the number after the tick
      {true, true, L"1"}, {true, false, L"1"}, {false, true, L"1"}, {false, true, L"1"}, {true, true, L"1"},
      {true, false, L"2"}, {false, true, L"2"}, {false, false, L"3"}};
  for (size_t i = 0; i < std::size(steps); ++i) {
    const auto& [open, down, number] = steps[i];
    if (open) frmCfg::ShowDialog(App());
    else frmCfg::Discard();
    platform::testing::SetKeyDown(17, down);
    platform::testing::SetKeyDown(122, down);
    Bar().KeysTick();
    EXPECT_EQ(Config(L"TXT", L"Txt1"), number) << "step " << i;
  }
  platform::testing::ResetInput();
}

}  // namespace
}  // namespace velvane
