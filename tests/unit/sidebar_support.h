#pragma once
// A small installation with a test skin and a language, where the side bar starts with the given settings; every
// global the side bar touches is put back afterwards. Shared by the side bar's, the dialogs' and the fuzzing tests.
#include <gtest/gtest.h>

#include "common/settings_store.h"
#include "core/config.h"
#include "core/services.h"
#include "core/startup.h"
#include "core/visibility.h"
#include "dialogs/frm_cfg.h"
#include "platform/scripted/test_hooks.h"
#include "sidebar/frm_main.h"
#include "test_support.h"
#include "ui/testing.h"

namespace velvane::test {

class SideBarInstallation : public ::testing::Test {
protected:
  void SetUp() override {
    ui::testing::Reset();
    ui::testing::SetScreenSize(1280, 1024);
    ui::testing::SetWorkArea({0, 0, 1280, 994});
    platform::testing::StartedPrograms().clear();
    SetAppFoldersFrom(dir_.Path());
    for (const wchar_t* name : {L"i_main.bmp", L"lock_on.bmp", L"lock_off.bmp", L"ss_0.bmp", L"ss_1.bmp"})
      WriteBytes(SkinDir + L"Test\\" + name, BitmapFile(1, 1, 0, 0, 0));
    WriteBytes(SkinDir + L"Test\\skin.txt", "[TEXT1]\r\nRed=200\r\nGreen=201\r\nBlue=202\r\n");
    WriteBytes(LangDir + L"english\\velvane.txt", "_main:clipboard=Clipboard\r\n_main:ohide=Hide\r\n[END]\r\n");
  }
  void TearDown() override {
    Stop();
    FadeAlpha = 0;
    FadeDirection = FadeState::Idle;
    OptChk = {};
    HotKeys = {};
  }
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
  StartupResult StartOn(const std::wstring& commandLine) { return Main(commandLine, *bar_, bar_->Router(), dir_.Path()); }
  // The side bar goes without saving, and a fresh one waits for the next start.
  void Stop() {
    frmCfg::Discard();
    bar_ = std::make_unique<frmMain>();
    DestroyServices();
    ReleaseInstanceLock();
  }
  frmMain& Bar() { return *bar_; }
  static auto Config(const wchar_t* section, const wchar_t* key) { return ReadSetting(ConfigFile(), section, key); }

  TempDir dir_;
  std::unique_ptr<frmMain> bar_ = std::make_unique<frmMain>();
};

}  // namespace velvane::test
