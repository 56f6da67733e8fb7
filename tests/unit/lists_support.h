#pragma once
// The throw-away installation the list tests work in: program, data and skin folders below a temporary folder, an
// empty language table, scripted message boxes and file dialogs. Restores the globals it changes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/lang.h"
#include "common/settings_store.h"
#include "core/config.h"
#include "core/services.h"
#include "test_support.h"
#include "ui/testing.h"

namespace velvane::test {

class ListsFixture : public ::testing::Test {
protected:
  void SetUp() override {
    savedFolders_ = {AppDir, DataDir, LangDir, SkinDir};
    savedOptions_ = OptChk;
    savedSkin_ = SkinName;
    SetAppFoldersFrom(dir_.Path());
    std::filesystem::create_directories(Native(DataDir));
    SkinName = L"plain";
    OptChk = {};
    ui::testing::Reset();
    savedLang_ = std::move(gLang);
    gLang = std::make_unique<clsLang>();  // no entries: every key shows as itself
  }
  void TearDown() override {
    gLang = std::move(savedLang_);
    SkinName = savedSkin_;
    OptChk = savedOptions_;
    AppDir = savedFolders_[0];
    DataDir = savedFolders_[1];
    LangDir = savedFolders_[2];
    SkinDir = savedFolders_[3];
  }

  // A valid 1 x 1 bitmap in the active skin's folder.
  static void PutSkinBitmap(const std::wstring& name) {
    static const unsigned char kBitmap[58] = {
        'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header: size, reserved, offset of the pixels
        40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,  // info header: its size, 1 x 1, 1 plane, 24 bits
        0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0x10, 0x20, 0x30, 0};  // one pixel, padded to 4 bytes
    WriteBytes(SkinFolder() + L"\\" + name, std::string(reinterpret_cast<const char*>(kBitmap), sizeof(kBitmap)));
  }

  static ui::WindowSpec PanelSpec() {
    ui::WindowSpec spec;
    spec.clientWidth = 800;
    spec.clientHeight = 341;
    return spec;
  }

  TempDir dir_;

private:
  std::array<std::wstring, 4> savedFolders_;
  std::array<bool, 6> savedOptions_{};
  std::wstring savedSkin_;
  std::unique_ptr<clsLang> savedLang_;
};

}  // namespace velvane::test
