// The settings window, the hot-key capture and the about box, driven through the headless forms.
#include <algorithm>
#include <tuple>

#include "core/autostart.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "unit/sidebar_support.h"

namespace velvane {
namespace {

using platform::RegistryRoot;
using Texts = std::vector<std::wstring>;

// The side bar's installation with a second skin, an about picture and the hot-key capture's texts.
class Dialogs : public test::SideBarInstallation {
protected:
  void SetUp() override {
    SideBarInstallation::SetUp();
    SetAutostart(false);  // the registry is the machine's own under Wine
    for (const wchar_t* name : {L"Test\\About.bmp", L"Other\\i_main.bmp", L"Other\\lock_on.bmp", L"Other\\lock_off.bmp",
                                L"Other\\ss_0.bmp", L".hidden\\i_main.bmp"})
      test::WriteBytes(SkinDir + name, test::BitmapFile(1, 1, 0, 0, 0));
    test::WriteBytes(SkinDir + L"notes.txt", "a file among the skins");
    test::WriteBytes(SkinDir + L"Test\\skin.txt",
                     "[TEXT0]\r\nRed=10\r\n[TEXT1]\r\nRed=200\r\n[TEXT2]\r\nRed=20\r\n[BACKGROUND]\r\nRed=30\r\n");
    test::WriteBytes(LangDir + L"english\\velvane.txt", "_keys:msg1=First key\r\n_keys:msg2=Second key\r\n"
                                                       "_keys:title=Hot key\r\n_keys:donewin=Done\r\n[END]\r\n");
  }
  void TearDown() override {
    SideBarInstallation::TearDown();
    SetAutostart(false);
    platform::RawDeleteValue(platform::kRegCurrentUser, kStartupApprovedKey, kRunValue);
  }
  void Start(const std::string& lang = "Options=2\r\nOp1=English|english\r\nOp2=Spanish|spanish\r\n") {
    Configure("[CHK]\r\nChk1=0\r\nChk2=1\r\nChk3=0\r\nChk4=1\r\nChk5=0\r\n[TXT]\r\nTxt0=shot_\r\nTxt1=7\r\n"
              "[PATH]\r\nScreens=C:\\shots\r\n[KEYS1]\r\nKey0=17\r\nKey1=123\r\n[KEYS2]\r\nKey0=17\r\nKey1=122\r\n",
              lang);
    ASSERT_EQ(StartOn(L""), StartupResult::Run);
  }
  static std::wstring RunValue() { return platform::ReadRegString(RegistryRoot::CurrentUser, kRunKey, kRunValue); }
};

// OK writes every key and reloads them; the close box writes nothing, but a hot key captured meanwhile stays in use.
TEST_F(Dialogs, SettingsShowTheStoredStateOkWritesItAndTheCloseBoxDoesNot) {
  Start();
  SetAutostart(true);
  frmCfg& cfg = frmCfg::ShowDialog(App());
  EXPECT_EQ(&frmCfg::ShowDialog(App()), &cfg);  // a second open brings the same window forward
  const std::array<bool, 6> stored{true, false, true, false, true, false};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(cfg.chk[i]->Value(), stored[i]) << "chk(" << i << ")";
  EXPECT_EQ(cfg.txt[0]->Text() + L"|" + cfg.txt[1]->Text() + L"|" + cfg.lblPath->Text() + L"|" +
                std::to_wstring(cfg.lstLang->ListIndex()),
            L"shot_|7|C:\\shots\\|0");
  // Every name a person sees in the skins folder (not .hidden: a leading dot hides it under Wine and on POSIX), a plain
  // file too, whatever the order of the listing.
  std::vector<std::wstring> skins;
  for (int i = 0; i < cfg.lstSkins->ItemCount(); ++i) skins.push_back(cfg.lstSkins->Item(i));
  std::sort(skins.begin(), skins.end());
  EXPECT_EQ(skins, (std::vector<std::wstring>{L"Other", L"Test", L"notes.txt"}));
  EXPECT_EQ(cfg.lstSkins->Item(cfg.lstSkins->ListIndex()), L"Test");

  for (size_t i = 0; i < 6; ++i) cfg.chk[i]->SetValue(!stored[i]);
  cfg.txt[0]->SetText(L"my pic");
  cfg.txt[1]->SetText(L"x12");
  cfg.lblPath->SetText(L"D:\\pictures");
  cfg.lstLang->SetListIndex(1);
  for (int i = 0; i < cfg.lstSkins->ItemCount(); ++i)
    if (cfg.lstSkins->Item(i) == L"Other") cfg.lstSkins->SetListIndex(i);
  Set().HotKeys[kShowHotKey] = {18, 65};  // as a capture leaves them
  cfg.cmd[0]->NotifyClick();
  EXPECT_EQ(frmCfg::Current(), nullptr);
  // Section, key and value; the start-with-Windows box lives in the registry only.
  const std::array<const wchar_t*, 3> written[] = {
      {L"CHK", L"Chk0", L""}, {L"CHK", L"Chk1", L"1"}, {L"CHK", L"Chk2", L"0"}, {L"CHK", L"Chk3", L"1"},
      {L"CHK", L"Chk4", L"0"}, {L"CHK", L"Chk5", L"1"}, {L"TXT", L"Txt0", L"my pic"}, {L"TXT", L"Txt1", L"x12"},
      {L"PATH", L"Screens", L"D:\\pictures"}, {L"LANG", L"Active", L"spanish"}, {L"XTRA", L"Skin", L"Other"},
      {L"KEYS1", L"Key0", L"18"}, {L"KEYS1", L"Key1", L"65"}, {L"KEYS2", L"Key1", L"122"}};
  for (const auto& [section, key, value] : written) EXPECT_EQ(Config(section, key), value) << section << " " << key;
  EXPECT_EQ(RunValue(), L"");
  // Reloaded at once: the side bar works with the new values.
  const Settings& now = Set();
  EXPECT_EQ(std::tuple(now.OptChk[kOptFade], now.OptChk[kOptKeepToDo], now.ScreensDir, now.SkinName, now.ScreenshotNumber),
            std::tuple(true, false, L"D:\\pictures\\", L"Other", L"x12"));
  frmCfg::ShowDialog(App()).chk[0]->SetValue(true);
  frmCfg::Current()->OnAccept();
  EXPECT_EQ(RunValue(), RunCommandFor(platform::ExecutablePath()));

  const std::string before = test::ReadBytes(ConfigFile());
  frmCfg& again = frmCfg::ShowDialog(App());
  for (ui::CheckBox* box : again.chk) box->SetValue(!box->Value());
  again.lstLang->SetListIndex(0);
  again.cmd[3]->NotifyClick();
  frmKeyPress* keys = frmKeyPress::Current();
  ASSERT_NE(keys, nullptr);
  EXPECT_GE(keys->Form().Left(), again.Form().Left() + again.Form().Width());  // beside the settings, not inside
  keys->Form().NotifyKeyUp({90, 0});
  keys->Form().NotifyKeyUp({16, 0});
  again.Form().Close();
  EXPECT_EQ(test::ReadBytes(ConfigFile()), before);
  EXPECT_NE(RunValue(), L"");
  EXPECT_EQ((std::pair<int, int>(Set().HotKeys[kScreenshotHotKey].key0, Set().HotKeys[kScreenshotHotKey].key1)), std::pair(90, 16));
}

// OK that cannot write config.qdt says so, naming the file, and keeps the window with the choices made: nothing
// reverts, nothing is applied. OK meeting values out of range completes: the window closes, the values are named and
// each setting keeps its last good value.
TEST_F(Dialogs, OkThatCannotWriteKeepsTheChoicesAndOkWithValuesOutOfRangeNamesThem) {
  Start();
  test::WriteBytes(SkinDir + L"Other\\skin.txt", "[TEXT1]\r\nRed=300\r\nGreen=7\r\n");
  ASSERT_TRUE(App().store.config.Set({{L"SS", L"Type", L"256"}}));
  frmCfg& cfg = frmCfg::ShowDialog(App());
  for (int i = 0; i < cfg.lstSkins->ItemCount(); ++i)
    if (cfg.lstSkins->Item(i) == L"Other") cfg.lstSkins->SetListIndex(i);
  cfg.chk[kOptFade + 1]->SetValue(true);
  Set().HotKeys[kShowHotKey] = {18, 65};
  std::filesystem::rename(test::Native(ConfigFile()), test::Native(ConfigFile() + L".away"));
  std::filesystem::create_directory(test::Native(ConfigFile()));  // a folder in its place: neither read nor written
  cfg.OnAccept();
  ASSERT_EQ(frmCfg::Current(), &cfg);
  EXPECT_TRUE(cfg.chk[kOptFade + 1]->Value() && !Set().OptChk[kOptFade]);
  ASSERT_EQ(test::Boxes().size(), 1u);
  EXPECT_NE(test::Boxes()[0].find(ConfigFile() + L"\r\n"), std::wstring::npos);
  ui::testing::Reset();
  std::filesystem::remove(test::Native(ConfigFile()));
  std::filesystem::rename(test::Native(ConfigFile() + L".away"), test::Native(ConfigFile()));
  cfg.OnAccept();
  EXPECT_EQ(frmCfg::Current(), nullptr);
  EXPECT_EQ(Config(L"KEYS1", L"Key0") + Config(L"CHK", L"Chk1"), L"181");
  EXPECT_EQ(test::Boxes(), Texts{L"_cfg:title|_cfg:badvalue\r\n[SS] Type = 256\r\nskin.txt [TEXT1] Red = 300|48"});
  EXPECT_EQ(std::tuple(Set().ScreenshotType, Set().TextColors[1].r, Set().TextColors[1].g, Set().SkinName), std::tuple(0, 200, 7, L"Other"));
}

// Twenty languages at most, one without "|" shown empty, an unoffered one written empty; without any, OK keeps them.
TEST_F(Dialogs, LanguageAndSkinLists) {
  std::string options = "Options=22\r\n";
  for (int i = 1; i <= 22; ++i) {
    const std::string n = std::to_string(i);
    options += "Op" + n + (i == 3 ? "=no bar" : "=L" + n + "|l" + n) + "\r\n";
  }
  Start(options);
  frmCfg& cfg = frmCfg::ShowDialog(App());
  ASSERT_EQ(cfg.lstLang->ItemCount(), 20);
  EXPECT_EQ(cfg.lstLang->Item(2) + L"|" + cfg.lstLang->Item(19) + L"|" + std::to_wstring(cfg.lstLang->ListIndex()),
            L"|L20|-1");
  cfg.OnAccept();
  EXPECT_EQ(Config(L"LANG", L"Active"), L"");

  Stop();
  Start("Options=0\r\n");
  Set().SkinName = L"Gone";  // not among the skins: nothing selected
  frmCfg& bare = frmCfg::ShowDialog(App());
  EXPECT_EQ(ui::testing::QuitRequested(), std::nullopt);
  EXPECT_EQ(std::pair(bare.lstLang->ItemCount(), bare.lstSkins->ListIndex()), std::pair(0, -1));
  bare.OnAccept();
  EXPECT_EQ(Config(L"LANG", L"Active") + L"|" + Config(L"XTRA", L"Skin"), L"english|Test");
}

TEST_F(Dialogs, FolderComesFromADropOrTheInputBoxAndTheAboutBoxShowsTheSkinsPicture) {
  Start();
  frmCfg& cfg = frmCfg::ShowDialog(App());
  // The skin's colours: text colour 2 on the title, 0 on the other texts, its background behind them.
  const Settings& set = Set();
  EXPECT_TRUE(std::vector({cfg.lbl[0]->ForeColor(), cfg.lbl[1]->ForeColor(), cfg.chk[1]->ForeColor(), cfg.lblPath->ForeColor(),
                           cfg.chk[1]->BackColor(), cfg.Form().BackColor()}) ==
              std::vector({set.TextColors[2], set.TextColors[0], set.TextColors[0], set.TextColors[0], set.BackColor, set.BackColor}));
  const std::wstring file = dir_ / L"file.txt";
  test::WriteBytes(file, "x");
  cfg.lblPath->NotifyFilesDropped({file, dir_.Path()});
  EXPECT_EQ(cfg.lblPath->Text(), L"C:\\shots\\");
  cfg.lblPath->NotifyFilesDropped({L""});
  EXPECT_EQ(test::Boxes(), Texts{L"_cfg:title|_cfg:winnotafolder|48"});  // for the file only
  const std::wstring hidden = SkinDir + L".hidden";  // a hidden folder is a folder all the same
  cfg.lblPath->NotifyFilesDropped({hidden});
  EXPECT_EQ(cfg.lblPath->Text(), hidden);

  const std::pair<std::optional<std::wstring>, std::wstring> answers[] = {  // cancelled, nothing typed, a folder
      {std::nullopt, hidden}, {L"", hidden}, {L"E:\\typed", L"E:\\typed"}};
  for (const auto& [answer, shown] : answers) {
    ui::testing::PushInputBoxAnswer(answer);
    cfg.cmd[4]->NotifyClick();
    EXPECT_EQ(cfg.lblPath->Text(), shown);
  }
  EXPECT_EQ(ui::testing::InputBoxLog()[0].initial, hidden);
  EXPECT_EQ(ui::testing::InputBoxLog()[0].prompt, L"_cfg:winedit");
  cfg.cmd[5]->NotifyClick();
  cfg.OnAccept();
  EXPECT_EQ(Set().ScreensDir, L"E:\\typed\\");

  // The about box, opened from the settings, shows the skin's picture (caption, version, labels, closing on focus
  // loss: the black-box tests).
  ASSERT_NE(frmAbout::Current(), nullptr);
  frmAbout& about = *frmAbout::Current();
  EXPECT_EQ(about.Form().PicturePath(), SkinDir + L"Test\\About.bmp");
  EXPECT_EQ(about.lblData->Text(), L"_about:data\r\n" + dir_.Path() + L"\\data");  // where the data is kept
  about.img->NotifyClick();
  EXPECT_EQ(frmAbout::Current(), nullptr);
  Set().SkinName = L"Other";
  test::WriteBytes(SkinDir + L"Other\\About.bmp", "not a picture");
  EXPECT_EQ(frmAbout::ShowDialog(App()).Form().PicturePath(), L"");  // no picture, and the box opens all the same
}

// The capture by release order (key 0: the window loses the focus).
TEST_F(Dialogs, KeyCaptureStoresTheFirstTwoReleasedKeys) {
  Start();
  // The hot key asked for, the keys released, the pairs then in use, and whether the window still waits.
  const std::tuple<std::uint8_t, std::vector<int>, KeyPair, KeyPair, bool> cases[] = {
      {1, {65, 17}, {65, 17}, {17, 122}, false},   // the letter let go first is key 0
      {2, {17, 17}, {17, 123}, {17, 17}, false},   // the same key twice
      {1, {27}, {17, 123}, {17, 122}, false},      // Escape first
      {1, {65, 27}, {17, 123}, {17, 122}, false},  // Escape second
      {2, {65}, {17, 123}, {17, 122}, true},       // waiting for the second key
      {3, {65, 66}, {17, 123}, {17, 122}, false},  // no such hot key: nothing stored
      {1, {65, 0, 66}, {17, 123}, {17, 122}, false},  // the focus lost: closed, a later key too late
  };
  for (const auto& [key, released, one, two, open] : cases) {
    SCOPED_TRACE(testing::Message() << "hot key " << int{key} << ", " << released.size() << " keys");
    Set().HotKeys = {KeyPair{17, 123}, KeyPair{17, 122}};
    ui::testing::Reset();
    frmKeyPress::Discard();
    frmKeyPress& f = frmKeyPress::ShowDialog(App(), key);
    EXPECT_EQ(f.lbl->Text() + L"|" + std::to_wstring(f.lbl->ForeColor().r), L"First key|10");  // text colour 0
    for (int code : released)
      if (code == 0) f.Form().NotifyActivate(false);
      else f.Form().NotifyKeyUp({code, ui::kCtrlMask});
    EXPECT_EQ(frmKeyPress::Current() != nullptr, open);
    EXPECT_TRUE(!open || f.lbl->Text() == L"Second key") << "the open window asks for the second key";
    for (const auto& [now, expected] : {std::pair{Set().HotKeys[0], one}, std::pair{Set().HotKeys[1], two}})
      EXPECT_EQ(std::pair(now.key0, now.key1), std::pair(expected.key0, expected.key1));
    const bool confirmed = released.size() == 2 && released[1] != 27;
    EXPECT_EQ(test::Boxes(), confirmed ? Texts{L"Hot key|Done|64"} : Texts{});
  }
}

// The Run value names the running executable by its own name, quoted; a start never creates it. (A start refreshing
// it, and switching it off: the black-box and the Win32 tests.)
TEST_F(Dialogs, AutostartValueIsQuotedAndNeverCreatedByAStart) {
  EXPECT_EQ(RunCommandFor(L"C:\\Program Files\\Tools\\velvane.exe"), L"\"C:\\Program Files\\Tools\\velvane.exe\"");
  EXPECT_EQ(RunCommandFor(L"D:\\bar\\my.side.bar.EXE"), L"\"D:\\bar\\my.side.bar.exe\"");
  Start();
  EXPECT_FALSE(AutostartEnabled());
}

// The box shows unticked an entry the user switched off in the system's list of start-up programs; OK with the box
// ticked switches it on there too, and the Run value is written as ever.
TEST_F(Dialogs, StartWithWindowsBoxFollowsTheSystemsListOfStartUpPrograms) {
  Start();
  SetAutostart(true);
  const auto approve = [](std::string bytes) {
    platform::RawSetValue(platform::kRegCurrentUser, kStartupApprovedKey, kRunValue, {3, std::move(bytes)});
  };
  const std::string off("\x03\0\0\0\xd4\x0d\x43\x8d\xc8\x3b\xd9\x01", 12), on = '\x02' + std::string(11, '\0');
  const std::pair<std::string, bool> cases[] = {{off, false}, {on, true}, {'\x06' + std::string(11, '\0'), true}};
  for (const auto& [bytes, ticked] : cases) {
    approve(bytes);
    EXPECT_EQ(frmCfg::ShowDialog(App()).chk[0]->Value(), ticked) << int(bytes[0]);
    frmCfg::Discard();
  }
  approve(off);
  frmCfg::ShowDialog(App()).chk[0]->SetValue(true);
  frmCfg::ShowDialog(App()).OnAccept();  // the window already open
  const auto approved = platform::RawQueryValue(platform::kRegCurrentUser, kStartupApprovedKey, kRunValue);
  EXPECT_EQ(approved ? approved->bytes : "none", on);
  EXPECT_EQ(RunValue(), RunCommandFor(platform::ExecutablePath()));
}

}  // namespace
}  // namespace velvane
