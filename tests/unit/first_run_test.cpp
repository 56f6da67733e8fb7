// The first run: velvane.exe and the wizard starting each other, the wizard's windows, search and registry class
// (on the scripted registry natively, on Wine's under Wine).
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/startup.h"
#include "core/velvane.h"
#include "platform/scripted/test_hooks.h"
#include "platform/text_codec.h"
#include "sidebar/frm_main.h"
#include "test_support.h"
#include "ui/testing.h"
#include "wizard/c_registry.h"
#include "wizard/first_time.h"
#include "wizard/forms/frm_lang.h"
#include "wizard/forms/frm_main.h"
#include "wizard/forms/wizard_flow.h"

namespace velvane::wizard {
namespace {

namespace pt = platform::testing;

class Wizard : public ::testing::Test {
protected:
  void SetUp() override {
    ui::testing::Reset();
    pt::StartedPrograms().clear();
    for (int p = 1; p <= 8; ++p)
      test::WriteBytes(dir_ / (L"images\\t" + std::to_wstring(p) + L".bmp"), test::BitmapFile(4, 4, 0, 0, 0));
    test::WriteBytes(dir_ / L"velvane.exe", "MZ");
    test::WriteBytes(dir_ / L"lang\\english\\primewiz.txt",
                     "texts\r\n_title=Wizard\r\n_btn:next=Next\r\n_btn:finish=Done\r\n_btn:prev=Back\r\n_btn:doexecsearch=Find\r\n_win:searchdone=%n found, %n in "
                     "all\r\n_t:01=First\r\n_t:09=Last\r\n[END]\r\n");
  }
  void TearDown() override {
    frmLang::Discard(), frmMain::Discard();
    wiz_.instance.ReleaseInstanceLock();
  }
  // Starts the wizard with the first run not done yet and the [LANG] entries given; nothing started so far.
  WizardStart Start(const std::string& config, const std::string& lang = "Def=english\r\n") {
    wiz_.instance.ReleaseInstanceLock();
    pt::StartedPrograms().clear();
    test::WriteBytes(ConfigFile(), "[INIT]\r\nFirstTime=0\r\n[LANG]\r\n" + lang + config);
    return StartWizard(wiz_, dir_.Path());
  }
  std::wstring ConfigFile() const { return dir_ / L"data\\config.qdt"; }
  std::wstring ExecValue(const std::wstring& section, const wchar_t* key) const {
    return test::Setting(dir_ / L"data\\exec.qdt", section, key);
  }
  std::wstring ConfigValue(const wchar_t* section, const wchar_t* key) const {
    return test::Setting(ConfigFile(), section, key);
  }
  test::TempDir dir_;
  Primewiz wiz_;
};

// velvane.exe starts the wizard (or reports it missing) until FirstTime is 1 by the number rules; then the reverse.
TEST_F(Wizard, EachProgramStartsTheOtherByTheFirstRunMark) {
  velvane::frmMain bar;  // never opened: the wizard starts instead
  Velvane app(bar);
  Main(L"", app, dir_.Path());
  ASSERT_EQ(ui::testing::MessageLog().size(), 1u);
  const auto& box = ui::testing::MessageLog()[0];
  EXPECT_EQ(box.title + L"|" + std::to_wstring(box.style), L"Error|16");
  EXPECT_EQ(box.text.rfind(L"Error on loading. Now exiting.\rError # 53 - File not found\rDLL Error: ", 0), 0u) << box.text;
  EXPECT_NE(box.text.find(L"\rSource: "), std::wstring::npos);

  test::WriteBytes(dir_ / L"Primewiz.exe", "MZ");
  for (const char* value : {static_cast<const char*>(nullptr), "0", "", "abc", "0.0"}) {  // null: no config.qdt
    app.instance.ReleaseInstanceLock();
    pt::StartedPrograms().clear();
    if (value) test::WriteBytes(ConfigFile(), std::string("[INIT]\r\nFirstTime=") + value + "\r\n");
    EXPECT_EQ(Main(L"", app, dir_.Path()), StartupResult::Exit) << (value ? value : "no file");
    EXPECT_EQ(pt::StartedPrograms(), std::vector<std::wstring>{L"\"" + dir_.Path() + L"\\Primewiz.exe\""});
  }

  test::WriteBytes(ConfigFile(), "[INIT]\r\nFirstTime=1\r\n");
  pt::StartedPrograms().clear();
  EXPECT_EQ(StartWizard(wiz_, dir_.Path()), WizardStart::Exit);
  EXPECT_EQ(pt::StartedPrograms(), std::vector<std::wstring>{L"\"" + dir_.Path() + L"\\velvane.exe\""});

  ASSERT_EQ(Start("Options=1\r\nOp1=E|english\r\n"), WizardStart::Run);
  EXPECT_EQ(StartWizard(wiz_, dir_.Path()), WizardStart::Exit);
  EXPECT_TRUE(pt::StartedPrograms().empty());
}

// An option shows the text before its first "|" and writes the rest; without options the default is taken at once.
// Finish writes FirstTime=1 and nothing else and starts the side bar; the close box ends without it.
TEST_F(Wizard, LanguageChoicePagesAndFinish) {
  ASSERT_EQ(Start("Options=0.7\r\nOp1=E|english\r\n"), WizardStart::Run);
  ASSERT_TRUE(frmLang::Current() && frmLang::Current()->lst->ItemCount() == 1);  // the count is rounded first
  frmLang::Current()->Form().Close();
  ASSERT_EQ(Start("Options=3\r\nOp1=English|english\r\nOp2=Two|two|x\r\nOp3=bare\r\nOp4=Hidden|h\r\n"),
            WizardStart::Run);
  frmLang& lang = *frmLang::Current();
  ASSERT_EQ(lang.lst->ItemCount(), 3);
  EXPECT_EQ(lang.lst->Item(1) + L"|" + lang.lst->Item(2), L"Two|");
  lang.cmd->NotifyClick();  // nothing chosen: ignored
  EXPECT_EQ(frmMain::Current(), nullptr);
  lang.lst->NotifyListIndex(1);
  lang.cmd->NotifyClick();
  EXPECT_EQ(ConfigValue(L"LANG", L"Active"), L"two|x");
  ASSERT_TRUE(frmLang::Current() == nullptr && frmMain::Current() != nullptr);
  EXPECT_EQ(frmMain::Current()->lbl[0]->Text(), L"First");

  for (const char* options : {"", "Options=0\r\n", "Options=none\r\n", "Options=0.5\r\nOp1=H|h\r\n"}) {
    frmMain::Current()->Form().Close();
    ASSERT_EQ(Start(options), WizardStart::Run) << options;
    ASSERT_TRUE(frmLang::Current() == nullptr && frmMain::Current() != nullptr);
    EXPECT_EQ(frmMain::Current()->Form().Caption(), L"Wizard");
    EXPECT_EQ(ConfigValue(L"LANG", L"Active"), L"english");
  }

  frmMain& w = *frmMain::Current();
  EXPECT_EQ(w.imgTop->Bounds().w, w.Form().ClientWidth());
  EXPECT_EQ(w.cmd[1]->Text() + L"|" + w.cmd[2]->Text(), L"Back|Find");
  for (int p = 1; p <= 9; ++p) {
    if (p > 1) w.cmd[0]->NotifyClick();
    EXPECT_TRUE(w.cmd[1]->Enabled() == (p > 1) && w.cmd[2]->Visible() == (p == 6)) << "page " << p;
    const std::wstring n = std::to_wstring(p), title = p == 1 ? L"First" : p == 9 ? L"Last" : L"_t:0" + n;
    EXPECT_EQ(w.lbl[0]->Text() + L"|" + w.lbl[1]->Text() + L"|" + w.cmd[0]->Text() + L"|" + w.img->PicturePath(),
              title + L"|_b:0" + n + (p < 9 ? L"|Next|" : L"|Done|") +
                  dir_ / (L"images\\t" + (p < 9 ? n : L"1") + L".bmp"));
  }
  w.cmd[1]->NotifyClick();
  w.cmd[0]->NotifyClick();
  EXPECT_EQ(w.lbl[0]->Text() + L"|" + w.lbl[1]->Text() + L"|" + w.cmd[0]->Text(), L"Last|_b:09|Done");
  std::string expected = test::ReadBytes(ConfigFile());
  expected.replace(expected.find("FirstTime=0"), 11, "FirstTime=1");
  w.cmd[0]->NotifyClick();
  EXPECT_EQ(test::ReadBytes(ConfigFile()), expected);
  EXPECT_EQ(pt::StartedPrograms().size(), 1u);
  EXPECT_EQ(frmMain::Current(), nullptr);

  ASSERT_EQ(Start(""), WizardStart::Run);
  frmMain::Current()->Form().Close();
  EXPECT_EQ(ConfigValue(L"INIT", L"FirstTime"), L"0");
  EXPECT_TRUE(pt::StartedPrograms().empty());

  // Neither options nor a default nor a language folder: the pages show, the active language is left alone.
  std::filesystem::remove_all(test::Native(dir_ / L"lang"));
  ASSERT_EQ(Start("", "Active=spanish\r\n"), WizardStart::Run);
  EXPECT_TRUE(frmMain::Current() && ConfigValue(L"LANG", L"Active") == L"spanish");
}

class Search : public Wizard {
protected:
  ~Search() override { test::DeleteUserKeys({kMuiCacheKey, kMuiCacheCurrentKey}); }
  // Written in the order both registries enumerate them.
  static void Cache(const wchar_t* key, const std::vector<std::pair<std::wstring, std::wstring>>& values) {
    for (const auto& [name, data] : values)
      platform::RawSetValue(platform::kRegCurrentUser, key, name, {kRegSz, platform::codec::ToUtf16Le(data + L'\0')});
  }
  std::wstring Entry(int i) const {  // "Exec|Name|Path" of section Ei
    const std::wstring section = L"E" + std::to_wstring(i);
    return ExecValue(section, L"Exec") + L"|" + ExecValue(section, L"Name") + L"|" + ExecValue(section, L"Path");
  }
};

// Only drive-letter paths are programs; a second search gives the same file; at most 255 entries.
TEST_F(Search, TakesDriveLetterPathsFromEitherCache) {
  Cache(kMuiCacheKey, {{L"@shell32.dll,-100", L"resource"}, {L"C:\\T\\a.b.exe", L"Dots"}, {L"C:\\T\\noext", L"None"},
                       {L"D:calc.exe", L"Calc"}, {L"\\\\server\\x.exe", L"Network"}, {L"bare.exe", L"Bare"}});
  ASSERT_EQ(Start(""), WizardStart::Run);
  frmMain& w = *frmMain::Current();
  for (int run = 1; run <= 2; ++run) {
    w.cmd[2]->NotifyClick();
    EXPECT_EQ(ExecValue(L"INIT", L"Total") + L"," + Entry(1) + L"," + Entry(2) + L"," + Entry(3) + L"," + Entry(4),
              L"3,a|Dots|C:\\T\\a.b.exe,|None|C:\\T\\noext,D:calc.exe|Calc|D:calc.exe,||");
    ASSERT_EQ(ui::testing::MessageLog().size(), static_cast<size_t>(run));
    EXPECT_EQ(ui::testing::MessageLog().back().title + L"|" + ui::testing::MessageLog().back().text,
              L"Wizard|3 found, 3 in all");
  }

  // Without the older cache key the current one is read: display names under the path and ".FriendlyAppName", in
  // any script.
  test::DeleteUserKeys({kMuiCacheKey});
  const std::wstring app = L"C:\\" + test::kWorld + L"\\\u4E2D\u6587.exe";
  Cache(kMuiCacheCurrentKey,
        {{app + L".ApplicationCompany", L"Company"}, {app + L".FriendlyAppName", test::kWorld}, {L"LangID", L"x"}});
  test::WriteBytes(dir_ / L"data\\exec.qdt", "[INIT]\r\nTotal=1\r\n[E1]\r\nExec=old\r\n");
  ASSERT_TRUE(SearchPrograms(wiz_));
  EXPECT_EQ(Entry(1), L"\u4E2D\u6587|" + test::kWorld + L"|" + app);
  platform::RawDeleteValue(platform::kRegCurrentUser, kMuiCacheCurrentKey, app + L".FriendlyAppName");
  ASSERT_TRUE(SearchPrograms(wiz_));
  EXPECT_EQ(ExecValue(L"INIT", L"Total") + L"," + ExecValue(L"E1", L"Exec"), L"0,");

  for (int i = 0; i < 256; ++i) Cache(kMuiCacheKey, {{L"C:\\p\\" + std::to_wstring(1000 + i) + L".exe", L"P"}});
  FindPrograms(wiz_);
  EXPECT_EQ(wiz_.FoundCount, 255) << "the search stops at 255 entries";
  EXPECT_EQ(wiz_.FoundEntries[254].Exec, L"1254");
}


// Every stored type reads back by its rule; what cannot be read gives the default and leaves the type alone; a missing
// key has no values.
constexpr wchar_t kKey[] = L"Software\\VelvaneTests\\Registry";

TEST(RegistryClass, ValuesReadByTheirStoredTypes) {
  struct Cleanup { ~Cleanup() { test::DeleteUserKeys({kKey}); } } cleanup;
  const std::string env = std::getenv("PATH");
  const std::tuple<std::uint32_t, std::string, RegVariant> cases[] = {  // stored type and bytes, value read
      {kRegSz, platform::codec::ToUtf16Le(L"Notepad \u00e9\0"), std::wstring(L"Notepad \u00e9")},
      {kRegSz, platform::codec::ToUtf16Le(L"no zero"), std::wstring(L"no zero")},  // stored without its zero
      {kRegExpandSz, platform::codec::ToUtf16Le(L"<%PATH%>\0"), L"<" + std::wstring(env.begin(), env.end()) + L">"},
      {kRegDword, std::string("\xFE\xFF\xFF\xFF", 4), std::int32_t{-2}},
      {kRegDwordBigEndian, std::string("\0\0\x01\x02", 4), std::int32_t{258}},
      {kRegBinary, std::string("\x01\0\xFF", 3), std::vector<std::uint8_t>{1, 0, 255}}};
  cRegistry reg;
  reg.ClassKey = static_cast<std::int32_t>(platform::kRegCurrentUser);
  reg.SectionKey = kKey;
  for (const auto& [type, bytes, value] : cases) {
    reg.ValueKey = L"v";
    ASSERT_EQ(platform::RawSetValue(platform::kRegCurrentUser, kKey, L"v", {type, bytes}), platform::RegStatus::Ok);
    EXPECT_EQ(reg.Value(), value) << type;
    EXPECT_EQ(reg.ValueType, static_cast<std::int32_t>(type));
  }
  reg.ValueKey = L"missing";
  reg.Default = std::wstring(L"fallback");
  EXPECT_EQ(reg.Value(), RegVariant{std::wstring(L"fallback")});
  EXPECT_EQ(reg.ValueType, kRegBinary);
  EXPECT_EQ(reg.EnumerateValues(), std::vector<std::wstring>{L"v"});
  reg.SectionKey = L"Software\\VelvaneTests\\Missing";
  EXPECT_TRUE(reg.EnumerateValues().empty());
}

}  // namespace
}  // namespace velvane::wizard
