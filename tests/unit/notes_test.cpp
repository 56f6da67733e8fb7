#include <gtest/gtest.h>

#include "common/errors.h"
#include "core/notes.h"
#include "platform/codepage.h"
#include "lists_support.h"

namespace velvane {
namespace {

TEST(NotesStrip, RemovesAtMostTwoTrailingControlCharacters) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"text\r\n", L"text"}, {L"text\r\n\r\n", L"text\r\n"}, {L"tabs\t\t", L"tabs"}, {L"x\t", L"x"},
      {L"\r\n", L""},         {L"\n", L"\n"} /* fewer than two characters stay */,  {L"ab\x0E", L"ab\x0E"}};
  for (const auto& [text, stripped] : cases) EXPECT_EQ(StripTrailingBreaks(text), stripped);
}

class NotesFixture : public test::ListsFixture {
protected:
  void SetUp() override {
    ListsFixture::SetUp();
    savedDefault_ = DefaultDir;
    DefaultDir = dir_.Path() + L"\\docs\\";
    BindNotes(&box);
  }
  void TearDown() override {
    BindNotes(nullptr);
    DefaultDir = savedDefault_;
    ListsFixture::TearDown();
  }

  ui::Window panel{PanelSpec()};
  ui::TextBox& box = panel.AddTextBox(L"txtNotes", {560, 32, 229, 277}, true);

private:
  std::wstring savedDefault_;
};
using NotesStorage = NotesFixture;
using NotesSelection = NotesFixture;

TEST_F(NotesStorage, RoundTripKeepsTrailingBreaksAndEmptyText) {
  OptChk[kOptKeepNotes] = true;
  for (const std::wstring text : {L"line\r\n", L"", L"tab\t", L"a\r\nb"}) {
    box.SetText(text);
    SaveNotes();
    EXPECT_EQ(test::ReadBytes(NotesFile()), platform::ToAnsi(text) + "\r\n");
    box.SetText(L"changed");
    LoadNotes();
    EXPECT_EQ(box.Text(), text);
  }
}

TEST_F(NotesStorage, OptionOffLeavesFileAndBoxUnlessForced) {
  test::WriteBytes(NotesFile(), "stored\r\n");
  box.SetText(L"typed");
  LoadNotes();
  SaveNotes();
  EXPECT_EQ(box.Text(), L"typed");
  EXPECT_EQ(test::ReadBytes(NotesFile()), "stored\r\n");

  SaveNotes(true);
  EXPECT_EQ(test::ReadBytes(NotesFile()), "typed\r\n");
  test::WriteBytes(NotesFile(), "x");  // written by another program, without the line end
  LoadNotes(true);
  EXPECT_EQ(box.Text(), L"x");
  std::filesystem::remove_all(test::Native(DataDir));
  EXPECT_THROW(SaveNotes(true), RuntimeError) << "a failed save reaches the caller";
}

TEST_F(NotesSelection, MovesTheSelectedTextIntoTheChosenFile) {
  std::filesystem::create_directories(test::Native(DefaultDir));
  box.SetText(L"keep MOVE keep");
  box.SetSelection(5, 4);
  const std::wstring target = DefaultDir + L"moved.txt";
  ui::testing::PushFileDialogAnswer(target);
  EXPECT_TRUE(SaveNotesSelection(box));
  EXPECT_EQ(test::ReadBytes(target), "MOVE\r\n");
  EXPECT_EQ(box.Text(), L"keep  keep");

  ASSERT_EQ(ui::testing::FileDialogLog().size(), 1u);
  EXPECT_EQ(ui::testing::FileDialogLog()[0].filter, L"TXT - _ext:txt|*.txt|_ext:all|*.*");
  EXPECT_EQ(ui::testing::FileDialogLog()[0].initialDir, DefaultDir);
}

TEST_F(NotesSelection, NothingSelectedACancelOrAFailedWriteKeepsTheNotes) {
  box.SetText(L"precious");
  EXPECT_FALSE(SaveNotesSelection(box));  // nothing selected: no dialog either
  box.SetSelection(0, 8);
  EXPECT_FALSE(SaveNotesSelection(box));  // no answer queued: cancelled
  EXPECT_EQ(ui::testing::FileDialogLog().size(), 1u);

  const std::wstring target = dir_.Path() + L"\\missing folder\\out.txt";
  ui::testing::PushFileDialogAnswer(target);
  EXPECT_FALSE(SaveNotesSelection(box));
  EXPECT_EQ(box.Text(), L"precious");
  EXPECT_FALSE(test::Exists(target));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].find(target + L"|" + std::to_wstring(ui::kMbExclamation)), std::wstring::npos);
}

}  // namespace
}  // namespace velvane
