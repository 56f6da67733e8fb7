#pragma once
// The list tests' throw-away installation, a model without entries in its language table over a side bar that does
// nothing, and a panel.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "common/data_store.h"
#include "common/lang.h"
#include "core/side_bar_view.h"
#include "core/velvane.h"
#include "test_support.h"
#include "ui/testing.h"

namespace velvane::test {

// The message boxes shown so far, each as "title|text|style".
inline std::vector<std::wstring> Boxes() {
  std::vector<std::wstring> boxes;
  for (const auto& box : ui::testing::MessageLog())
    boxes.push_back(box.title + L"|" + box.text + L"|" + std::to_wstring(box.style));
  return boxes;
}

// A side bar view that does nothing; tests override what they watch.
struct NullView : SideBarView {
  void Open(Velvane&) override {}  void SetShown(bool) override {}  void SetAlpha(std::uint8_t) override {}
  void SetTopMost(bool) override {}  void StartFade() override {}  void EndDrag() override {}  void BringForward() override {}
  std::wstring NotesText() const override { return {}; }  void SetNotesText(const std::wstring&) override {}
  void AppendNote(const std::wstring&) override {}  void ShowScreenshotKind(std::uint8_t) override {}
  void Launch(const std::wstring&) override {}  int Message(const std::wstring&, int, const std::wstring&) override { return 0; }
};

class ListsFixture : public ::testing::Test {
protected:
  void SetUp() override {
    app.store.Open(Folders::Of(dir_.Path()));
    DefaultDir = dir_.Path() + L"\\docs\\";
    std::filesystem::create_directories(Native(DataDir));
    app.settings.SkinName = L"plain";
    ui::testing::Reset();
  }

  TempDir dir_;
  NullView view;
  Velvane app{view};
  const std::wstring& DataDir = app.store.folders.DataDir;
  std::array<bool, kOptionCount>& OptChk = app.settings.OptChk;
  std::wstring& DefaultDir = app.settings.DefaultDir;
  ui::Window panel{{.caption = {}, .clientWidth = 800, .clientHeight = 341, .font = {}, .iconPath = {}}};

};

}  // namespace velvane::test
