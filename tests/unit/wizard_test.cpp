// The first-run wizard: its start, the language window, the pages and the finish, and the program search.
#include <gtest/gtest.h>

#include "common/settings_store.h"
#include "platform/codepage.h"
#include "platform/test_hooks.h"
#include "test_support.h"
#include "ui/testing.h"
#include "wizard/first_time.h"
#include "wizard/frm_lang.h"
#include "wizard/frm_main.h"

namespace velvane::wizard {
namespace {

namespace pt = platform::testing;

constexpr char kLanguageFile[] =
    "texts\r\n_title=Wizard\r\n_btn:next=Next\r\n_btn:finish=Done\r\n_btn:prev=Back\r\n"
    "_win:searchdone=%n found, %n in all\r\n_t:01=First\r\n_b:01=Body one\r\n_t:09=Last\r\n[END]\r\n";

class Wizard : public ::testing::Test {
protected:
  void SetUp() override {
    ui::testing::Reset();
    pt::StartedPrograms().clear();
    for (int n = 1; n <= 8; ++n) test::WriteBytes(dir_ / (L"images\\t" + std::to_wstring(n) + L".bmp"), test::BitmapFile(4, 4, 0, 0, 0));
    test::WriteBytes(dir_ / L"lang\\english\\primewiz.txt", kLanguageFile);
    test::WriteBytes(dir_ / L"velvane.exe", "MZ");
  }
  void TearDown() override {
    for (ui::Window* w : {frmLang::Current() ? &frmLang::Current()->Form() : nullptr,
                          frmMain::Current() ? &frmMain::Current()->Form() : nullptr})
      if (w) w->Close();
    ReleaseWizardLock();
  }
  void Config(const std::string& lang) {
    test::WriteBytes(dir_ / L"data\\config.qdt", "[INIT]\r\nFirstTime=0\r\n[LANG]\r\nDef=english\r\n" + lang);
  }
  std::string ConfigBytes() const { return test::ReadBytes(dir_ / L"data\\config.qdt"); }
  std::wstring Setting(const wchar_t* section, const wchar_t* key) const {
    return ReadSetting(dir_ / L"data\\config.qdt", section, key);
  }
  bool SideBarStarted() const {
    return pt::StartedPrograms() == std::vector<std::wstring>{L"\"" + dir_.Path() + L"\\velvane.exe\""};
  }
  test::TempDir dir_;
};

TEST_F(Wizard, FirstRunDoneStartsTheSideBarOnly) {
  test::WriteBytes(dir_ / L"data\\config.qdt", "[INIT]\r\nFirstTime=1\r\n");
  EXPECT_EQ(StartWizard(dir_.Path()), WizardStart::Exit);
  EXPECT_TRUE(SideBarStarted());
  EXPECT_EQ(frmLang::Current(), nullptr);
  EXPECT_EQ(frmMain::Current(), nullptr);
}

TEST_F(Wizard, ASecondWizardEndsSilently) {
  Config("Options=1\r\nOp1=English|english\r\n");
  ASSERT_EQ(StartWizard(dir_.Path()), WizardStart::Run);
  EXPECT_EQ(StartWizard(dir_.Path()), WizardStart::Exit);
  EXPECT_TRUE(pt::StartedPrograms().empty());
}

// The list shows the text before the first "|"; the choice writes everything after it. A language without its file
// is reported and the pages show their keys.
TEST_F(Wizard, LanguageChoice) {
  Config("Options=3\r\nOp1=English|english\r\nOp2=Two|two|x\r\nOp3=bare\r\nOp4=Hidden|hidden\r\n");
  ASSERT_EQ(StartWizard(dir_.Path()), WizardStart::Run);
  frmLang* lang = frmLang::Current();
  ASSERT_NE(lang, nullptr);
  EXPECT_EQ(lang->Form().Caption(), L"Choose your languaje");
  ASSERT_EQ(lang->lst->ItemCount(), 3);
  EXPECT_EQ(lang->lst->Item(0), L"English");
  EXPECT_EQ(lang->lst->Item(1), L"Two");
  EXPECT_EQ(lang->lst->Item(2), L"");

  const std::string before = ConfigBytes();
  lang->cmd->NotifyClick();  // nothing chosen: ignored
  EXPECT_EQ(ConfigBytes(), before);
  EXPECT_EQ(frmMain::Current(), nullptr);

  lang->lst->NotifyListIndex(1);
  lang->cmd->NotifyClick();
  EXPECT_EQ(Setting(L"LANG", L"Active"), L"two|x");
  EXPECT_EQ(frmLang::Current(), nullptr);
  ASSERT_NE(frmMain::Current(), nullptr);
  // "two|x" has no file: the default language's file is used.
  EXPECT_EQ(frmMain::Current()->lbl[0]->Text(), L"First");
  EXPECT_EQ(CurrentPage, 1);

  ReleaseWizardLock();
  frmMain::Current()->Form().Close();
  Config("Options=1\r\nOp1=bare\r\n");
  test::WriteBytes(dir_ / L"lang\\english\\primewiz.txt", "");
  std::filesystem::remove(test::Native(dir_ / L"lang\\english\\primewiz.txt"));
  ASSERT_EQ(StartWizard(dir_.Path()), WizardStart::Run);
  frmLang::Current()->lst->NotifyListIndex(0);
  frmLang::Current()->cmd->NotifyClick();
  EXPECT_EQ(Setting(L"LANG", L"Active"), L"bare");
  ASSERT_EQ(ui::testing::MessageLog().size(), 1u);
  EXPECT_EQ(ui::testing::MessageLog()[0].title, L"Error");
  EXPECT_EQ(frmMain::Current()->lbl[0]->Text(), L"_t:01");
}

// Without language options the default language is taken and the pages open at once.
TEST_F(Wizard, NoOptionsTakeTheDefaultLanguage) {
  for (const char* options : {"", "Options=0\r\n", "Options=none\r\n"}) {
    Config(options);
    ASSERT_EQ(StartWizard(dir_.Path()), WizardStart::Run) << options;
    EXPECT_EQ(frmLang::Current(), nullptr);
    ASSERT_NE(frmMain::Current(), nullptr);
    EXPECT_EQ(Setting(L"LANG", L"Active"), L"english");
    EXPECT_EQ(frmMain::Current()->Form().Caption(), L"Wizard");
    frmMain::Current()->Form().Close();
    ReleaseWizardLock();
  }
  test::WriteBytes(dir_ / L"data\\config.qdt", "[INIT]\r\nFirstTime=0\r\n");  // no Def either
  EXPECT_EQ(FallbackLanguage(), L"english");
}

TEST(WizardPages, Table) {
  for (int p = 1; p <= 9; ++p) {
    const PageLook look = PageFor(p);
    SCOPED_TRACE(p);
    EXPECT_EQ(look.picture, p == 9 ? 1 : p);
    EXPECT_EQ(look.titleKey, L"_t:0" + std::to_wstring(p));
    EXPECT_EQ(look.bodyKey, L"_b:0" + std::to_wstring(p));
    EXPECT_EQ(look.nextKey, p == 9 ? L"_btn:finish" : L"_btn:next");
    EXPECT_EQ(look.previousEnabled, p != 1);
    EXPECT_EQ(look.searchVisible, p == 6);
  }
}

// Next and Previous move one page; Finish writes FirstTime=1 and nothing else and starts the side bar; the close box
// ends without it.
TEST_F(Wizard, PagesAndFinish) {
  Config("Options=1\r\nOp1=English|english\r\n");
  ASSERT_EQ(StartWizard(dir_.Path()), WizardStart::Run);
  frmLang::Current()->lst->NotifyListIndex(0);
  frmLang::Current()->cmd->NotifyClick();
  frmMain& w = *frmMain::Current();
  EXPECT_FALSE(w.cmd[1]->Enabled());
  EXPECT_FALSE(w.cmd[2]->Visible());
  EXPECT_EQ(w.cmd[0]->Text(), L"Next");
  EXPECT_EQ(w.img->PicturePath(), dir_.Path() + L"\\images\\t1.bmp");
  EXPECT_EQ(w.imgTop->Bounds().w, w.Form().ClientWidth());
  for (int p = 2; p <= 9; ++p) {
    w.cmd[0]->NotifyClick();
    EXPECT_EQ(CurrentPage, p);
    EXPECT_TRUE(w.cmd[1]->Enabled());
    EXPECT_EQ(w.cmd[2]->Visible(), p == 6);
  }
  w.cmd[1]->NotifyClick();
  w.cmd[0]->NotifyClick();
  EXPECT_EQ(w.lbl[0]->Text(), L"Last");
  EXPECT_EQ(w.lbl[1]->Text(), L"_b:09");
  EXPECT_EQ(w.cmd[0]->Text(), L"Done");
  EXPECT_EQ(w.img->PicturePath(), dir_.Path() + L"\\images\\t1.bmp");
  EXPECT_TRUE(pt::StartedPrograms().empty());

  std::string expected = ConfigBytes();
  expected.replace(expected.find("FirstTime=0"), 11, "FirstTime=1");
  w.cmd[0]->NotifyClick();
  EXPECT_EQ(ConfigBytes(), expected);
  EXPECT_TRUE(SideBarStarted());
  EXPECT_EQ(frmMain::Current(), nullptr);

  ReleaseWizardLock();
  pt::StartedPrograms().clear();
  Config("Options=1\r\nOp1=English|english\r\n");
  ASSERT_EQ(StartWizard(dir_.Path()), WizardStart::Run);
  frmLang::Current()->lst->NotifyListIndex(0);
  frmLang::Current()->cmd->NotifyClick();
  frmMain::Current()->Form().Close();
  EXPECT_EQ(Setting(L"INIT", L"FirstTime"), L"0");
  EXPECT_TRUE(pt::StartedPrograms().empty());
}

// ---- The program search ----

class Search : public Wizard {
protected:
  void SetUp() override {
    Wizard::SetUp();
    Config("");  // straight to the pages
    ASSERT_EQ(StartWizard(dir_.Path()), WizardStart::Run);
  }
  void TearDown() override {
    for (const wchar_t* key : {kMuiCacheKey, kMuiCacheCurrentKey}) Clear(key);
    Wizard::TearDown();
  }
  static void Clear(const wchar_t* key) {
    cRegistry r;
    r.ClassKey = static_cast<std::int32_t>(platform::kRegCurrentUser);
    r.SectionKey = key;
    std::vector<std::wstring> names;
    std::int32_t count = 0;
    r.EnumerateValues(names, count);
    for (int i = 1; i <= count; ++i) (r.ValueKey = names[static_cast<size_t>(i)], r.DeleteValue());
    if (r.KeyExists()) r.DeleteKey();
  }
  // Values in the order both registries enumerate them.
  static void Cache(const wchar_t* key, const std::vector<std::pair<std::wstring, std::wstring>>& values) {
    for (const auto& [name, data] : values)
      platform::RawSetValue(platform::kRegCurrentUser, key, name, {1, platform::ToAnsi(data) + '\0'});
  }
  std::wstring Exec(const std::wstring& section, const wchar_t* key) const {
    return ReadSetting(dir_ / L"data\\exec.qdt", section, key);
  }
};

TEST_F(Search, TakesDriveLetterPaths) {
  Cache(kMuiCacheKey, {{L"@shell32.dll,-100", L"resource"},
                       {L"C:\\Tools\\a.b.exe", L"Dots"},
                       {L"C:\\Tools\\noext", L"No dot"},
                       {L"C:\\Tools\\notepad.exe", L"Notepad"},
                       {L"D:calc.exe", L"Calc"},
                       {L"\\\\server\\share\\x.exe", L"Network"},
                       {L"bare.exe", L"Bare"}});
  SearchPrograms();
  EXPECT_EQ(FoundCount, 4);
  EXPECT_EQ(Exec(L"INIT", L"Total"), L"4");
  const std::vector<std::vector<std::wstring>> expected = {{L"a", L"Dots", L"C:\\Tools\\a.b.exe"},
                                                           {L"", L"No dot", L"C:\\Tools\\noext"},
                                                           {L"notepad", L"Notepad", L"C:\\Tools\\notepad.exe"},
                                                           {L"D:calc.exe", L"Calc", L"D:calc.exe"}};
  for (size_t i = 0; i < expected.size(); ++i) {
    const std::wstring section = L"E" + std::to_wstring(i + 1);
    EXPECT_EQ((std::vector<std::wstring>{Exec(section, L"Exec"), Exec(section, L"Name"), Exec(section, L"Path")}),
              expected[i]);
  }
  EXPECT_EQ(Exec(L"E5", L"Path"), L"");

  // A second search gives the same file; the count message replaces every "%n".
  const std::string first = test::ReadBytes(dir_ / L"data\\exec.qdt");
  frmMain& w = *frmMain::Current();
  w.cmd[2]->NotifyClick();
  EXPECT_EQ(test::ReadBytes(dir_ / L"data\\exec.qdt"), first);
  EXPECT_EQ(FoundCount, 4);
  ASSERT_EQ(ui::testing::MessageLog().size(), 1u);
  EXPECT_EQ(ui::testing::MessageLog()[0].text, L"4 found, 4 in all");
  EXPECT_EQ(ui::testing::MessageLog()[0].title, L"Wizard");
  EXPECT_EQ(ui::testing::MessageLog()[0].style, ui::kMbInformation);
}

// Without the older cache key the current one is read: display names under the path and ".FriendlyAppName".
TEST_F(Search, ReadsTheCurrentCacheWhenTheOlderIsMissing) {
  Cache(kMuiCacheCurrentKey, {{L"C:\\x\\app.exe.ApplicationCompany", L"Company"},
                              {L"C:\\x\\app.exe.FriendlyAppName", L"App"},
                              {L"LangID", L"x"}});
  test::WriteBytes(dir_ / L"data\\exec.qdt", "[INIT]\r\nTotal=1\r\n[E1]\r\nExec=old\r\n");
  SearchPrograms();
  ASSERT_EQ(FoundCount, 1);
  EXPECT_EQ(Exec(L"E1", L"Exec"), L"app");
  EXPECT_EQ(Exec(L"E1", L"Name"), L"App");
  EXPECT_EQ(Exec(L"E1", L"Path"), L"C:\\x\\app.exe");

  Clear(kMuiCacheCurrentKey);
  SearchPrograms();
  EXPECT_EQ(FoundCount, 0);
  EXPECT_EQ(Exec(L"INIT", L"Total"), L"0");
  EXPECT_EQ(Exec(L"E1", L"Exec"), L"");
}

TEST_F(Search, StopsAt255Entries) {
  std::vector<std::pair<std::wstring, std::wstring>> values;
  for (int i = 0; i < 256; ++i) values.push_back({L"C:\\p\\" + std::to_wstring(1000 + i) + L".exe", L"P"});
  Cache(kMuiCacheKey, values);
  FindPrograms();
  EXPECT_EQ(FoundCount, 255);
  EXPECT_EQ(FoundEntries[255].Exec, L"1254");
}

}  // namespace
}  // namespace velvane::wizard
