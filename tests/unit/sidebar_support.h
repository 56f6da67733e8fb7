#pragma once
// A small installation with a test skin and a language, where a side bar and its model start with the given
// settings; each stop leaves a fresh pair for the next start. Shared by the side bar's, the dialogs' and the fuzzing tests.
#include "core/startup.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_add_exec.h"
#include "dialogs/frm_cfg.h"
#include "dialogs/frm_exec_list.h"
#include "dialogs/frm_key_press.h"
#include "lists_support.h"
#include "platform/scripted/input_testing.h"
#include "platform/scripted/test_hooks.h"
#include "sidebar/frm_main.h"

namespace velvane::test {

class SideBarInstallation : public ::testing::Test {
protected:
  void SetUp() override {
    ui::testing::Reset();
    ui::testing::SetScreenSize(1280, 1024);
    ui::testing::SetWorkArea({0, 0, 1280, 994});
    platform::testing::StartedPrograms().clear();
    for (const wchar_t* name : {L"i_main.bmp", L"lock_on.bmp", L"lock_off.bmp", L"ss_0.bmp", L"ss_1.bmp"})
      WriteBytes(SkinDir + L"Test\\" + name, BitmapFile(1, 1, 0, 0, 0));
    WriteBytes(SkinDir + L"Test\\skin.txt", "[TEXT1]\r\nRed=200\r\nGreen=201\r\nBlue=202\r\n");
    WriteBytes(LangDir + L"english\\velvane.txt", "_main:clipboard=Clipboard\r\n_main:ohide=Hide\r\n[END]\r\n");
  }
  void TearDown() override { Stop(); }
  // config.qdt with the first run done, English (with the language options given) and the test skin, then the
  // given sections.
  void Configure(const std::string& settings, const std::string& languageOptions = "") {
    WriteBytes(DataDir + L"config.qdt", "[INIT]\r\nFirstTime=1\r\n[LANG]\r\nActive=english\r\n" + languageOptions +
                                            "[XTRA]\r\nSkin=Test\r\n" + settings);
  }
  void Start(const std::string& settings, const std::wstring& commandLine = L"") {
    Configure(settings);
    ASSERT_EQ(StartOn(commandLine), StartupResult::Run);
  }
  StartupResult StartOn(const std::wstring& commandLine) { return Main(commandLine, *app_, dir_.Path()); }
  // The side bar and its model go without saving (the instance lock with them), and a fresh pair waits.
  void Stop() {
    frmCfg::Discard(), frmAddExec::Discard(), frmExecList::Discard(), frmKeyPress::Discard(), frmAbout::Discard();
    app_.reset();
    bar_ = std::make_unique<frmMain>();
    app_ = std::make_unique<Velvane>(*bar_);
  }
  frmMain& Bar() { return *bar_; }
  Velvane& App() { return *app_; }
  Settings& Set() { return app_->settings; }
  std::wstring ConfigFile() const { return DataDir + L"config.qdt"; }
  std::wstring Config(const wchar_t* section, const wchar_t* key) const { return Setting(ConfigFile(), section, key); }
  // Grabs the background at 10, 10 and lets go with the pointer at x, y; the glide then runs that many ticks, each
  // covering about a twelfth to an eighteenth of the way left: a larger step is a jump.
  void DragTo(int x, int y, int ticks = 600) {
    frmMain& f = Bar();
    platform::testing::SetCursor(f.Window().Left() + 10, f.Window().Top() + 10);
    f.BackgroundMouseDown({ui::kLeftButton, 0, 10, 10});
    platform::testing::SetCursor(x, y);
    f.BackgroundMouseMove({ui::kLeftButton, 0, 10, 10});
    f.BackgroundMouseUp({ui::kLeftButton, 0, 10, 10});
    for (int i = 0; i < ticks; ++i) {
      const int before = f.Window().Left(), rest = std::abs(f.DragTargetX - before);
      ui::testing::FireTimer(f.tMove());
      ASSERT_LE(std::abs(f.Window().Left() - before), rest / 12 + 1) << "tick " << i << " from " << before;
    }
  }

  TempDir dir_;
  const Folders folders_ = Folders::Of(dir_.Path());  // what the start finds
  const std::wstring &DataDir = folders_.DataDir, &LangDir = folders_.LangDir, &SkinDir = folders_.SkinDir;
  std::unique_ptr<frmMain> bar_ = std::make_unique<frmMain>();
  std::unique_ptr<Velvane> app_ = std::make_unique<Velvane>(*bar_);
};

}  // namespace velvane::test
