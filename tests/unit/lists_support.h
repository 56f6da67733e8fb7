#pragma once
// The list tests' throw-away installation, empty language table and panel; the globals are restored afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

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
    saved_ = {AppDir, DataDir, LangDir, SkinDir, SkinName, DefaultDir, OptChk};
    SetAppFoldersFrom(dir_.Path());
    DefaultDir = dir_.Path() + L"\\docs\\";
    std::filesystem::create_directories(Native(DataDir));
    SkinName = L"plain";
    OptChk = {};
    ui::testing::Reset();
    savedLang_ = std::exchange(gLang, std::make_unique<clsLang>());  // no entries: every key shows as itself
  }
  void TearDown() override {
    gLang = std::move(savedLang_);
    std::tie(AppDir, DataDir, LangDir, SkinDir, SkinName, DefaultDir, OptChk) = saved_;
  }

  // The message boxes shown so far, each as "title|text|style".
  static std::vector<std::wstring> Boxes() {
    std::vector<std::wstring> boxes;
    for (const auto& box : ui::testing::MessageLog())
      boxes.push_back(box.title + L"|" + box.text + L"|" + std::to_wstring(box.style));
    return boxes;
  }

  TempDir dir_;
  ui::Window panel{{.caption = {}, .clientWidth = 800, .clientHeight = 341, .font = {}, .iconPath = {}}};

private:
  std::tuple<std::wstring, std::wstring, std::wstring, std::wstring, std::wstring, std::wstring, std::array<bool, 6>>
      saved_;
  std::unique_ptr<clsLang> savedLang_;
};

}  // namespace velvane::test
