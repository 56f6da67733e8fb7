// Later starts of velvane.exe hand their command line to the side bar that runs, down to the list files. (A failed
// start: the held settings of reliability_test.cpp; the first run's hand-over to the wizard: wizard_test.cpp.)
#include "blackbox/harness.h"

namespace blackbox {
namespace {

class HandOff : public BlackBoxTest {};

// Without the fade the first start's own verb runs once the side bar exists; later starts' "-show" and "-hide" act at
// once, in any case, and a hide saves; no arguments, blanks or an unknown verb keep the bar as it is. Items and notes
// that fit Windows-1252 reach their files in it, byte for byte as ever, at a save only, and come back after a
// restart. With the fade a show ends fully opaque and a hide fully transparent and hidden, round after round.
TEST_F(HandOff, VerbsWithAndWithoutFadeAndListsInWindows1252) {
  const std::wstring item = L"Caf\u00e9 f\u00fcr 2 \u20ac";
  const std::string ansi = "Caf\xE9 f\xFCr 2 \x80";
  const auto file = [&](const wchar_t* name) { return ReadBytes(installation_.DataFile(name)).value_or("(no file)"); };
  {
    SideBar bar(installation_, L"-show");
    ASSERT_TRUE(bar.Started());
    const HWND w = bar.Window();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }, kHandOffLimitMs));
    EXPECT_EQ(LayeredAlpha(w), 255);
    for (const wchar_t* nothing : {L"", L"   ", L"-quit"}) {
      ASSERT_TRUE(bar.HandOver(nothing));
      EXPECT_TRUE(IsWindowVisible(w)) << Utf8(nothing);
    }
    ASSERT_TRUE(bar.HandOver(L"-addtodo buy milk"));
    ASSERT_TRUE(bar.HandOver(L"-addtodo " + item));
    ASSERT_TRUE(bar.HandOver(L"-addnote Buy stamps"));
    EXPECT_EQ(file(L"todo.qdt") + file(L"notes.qdt"), "(no file)(no file)") << "written before any save";
    ASSERT_TRUE(bar.HandOver(L"-hide"));
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(installation_.Setting(L"SS", L"Type"), L"0") << "a hide saves the screenshot kind";
    ASSERT_TRUE(bar.HandOver(L""));
    EXPECT_FALSE(IsWindowVisible(w));
    ASSERT_TRUE(bar.HandOver(L"-save"));
    EXPECT_FALSE(IsWindowVisible(w)) << "a save does not show the bar";
    // Newest first, each item ended by CR alone; the notes get the writer's CR LF after the box's text.
    EXPECT_EQ(file(L"todo.qdt"), ansi + "\rbuy milk\r[END]\r\n");
    EXPECT_EQ(file(L"notes.qdt"), "\r\n\r\nBuy stamps\r\n");
    EXPECT_EQ(file(L"tempfiles.qdt"), "[END]\r\n");
    ASSERT_TRUE(bar.HandOver(L"-deltodo 2"));
    ASSERT_TRUE(bar.HandOver(L"-save"));
    EXPECT_EQ(file(L"todo.qdt"), ansi + "\r[END]\r\n");
    ASSERT_TRUE(bar.HandOver(L"-SHOW"));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_TRUE(bar.Close());
  }
  const std::string todo = file(L"todo.qdt"), notes = file(L"notes.qdt");
  installation_.Configure({.fade = true});
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND w = bar.Window();
  EXPECT_FALSE(IsWindowVisible(w)) << "the side bar starts hidden";
  const HWND list = ChildAt(w, L"ListBox", 358, 30, 186, 146);
  ASSERT_NE(list, nullptr) << "no to-do list";
  EXPECT_EQ(ListBoxItems(list), std::vector<std::wstring>{item});
  // What was loaded is saved again unchanged.
  ASSERT_TRUE(bar.HandOver(L"-save"));
  EXPECT_EQ(file(L"todo.qdt"), todo);
  EXPECT_EQ(file(L"notes.qdt"), notes);
  for (int round = 1; round <= 2; ++round) {
    ASSERT_TRUE(bar.HandOver(L"-show"));
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(w) == 255 && IsWindowVisible(w); }, kFadeLimitMs))
        << "alpha " << int{LayeredAlpha(w)} << " after " << kFadeLimitMs << " ms";
    ASSERT_TRUE(bar.HandOver(L"-hide"));
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(w) == 0 && !IsWindowVisible(w); }, kHideLimitMs))
        << "alpha " << int{LayeredAlpha(w)} << (IsWindowVisible(w) ? ", visible" : ", hidden");
  }
  EXPECT_EQ(installation_.Setting(L"SS", L"Type"), L"0") << "a hide after a fade saves too";
}

}  // namespace
}  // namespace blackbox
