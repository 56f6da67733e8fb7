// Starting velvane.exe: a failed start says so and ends, and later starts hand their command line to the side bar
// that runs. (The first run's hand-over to the wizard is in wizard_test.cpp.)
#include "blackbox/harness.h"

namespace blackbox {
namespace {

class Start : public BlackBoxTest {};

// A start that fails says so in a message box and ends once the box is closed, leaving no side bar behind.
TEST_F(Start, FailedStartReportsAndEnds) {
  installation_.Configure({});
  const std::wstring skin = installation_.Setting(L"XTRA", L"Skin").value_or(L"");
  ASSERT_TRUE(DeleteFileW(installation_.Path(L"skins\\" + skin + L"\\i_main.bmp").c_str()));
  Process velvane = Process::Start(installation_.Program(), L"", installation_.Folder());
  ASSERT_TRUE(velvane);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    box = FindWindowW(L"#32770", L"Error");
    DWORD owner = 0;
    GetWindowThreadProcessId(box, &owner);
    return box && owner == velvane.Id() && IsWindowVisible(box);
  }, kStartLimitMs, 20)) << "no message box; windows:" << Utf8(DescribeWindowsOf(velvane.Id()));
  std::wstring message;
  for (HWND child : ChildWindows(box))
    if (ClassName(child) == L"Static" && WindowText(child).size() > message.size()) message = WindowText(child);
  EXPECT_EQ(message.rfind(L"Error on loading. Now exiting.\rError # ", 0), 0u) << Utf8(message);
  EXPECT_EQ(FindSideBar(), nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(velvane.WaitForExit(kCloseLimitMs)) << "still runs; windows:" << Utf8(DescribeWindowsOf(velvane.Id()));
  EXPECT_EQ(FindSideBar(), nullptr);
}

class HandOff : public BlackBoxTest {};

// The first start's own verb runs once the side bar exists. Without the fade, later starts' "-show" and "-hide" act
// at once, in any case, and a hide saves; no arguments, blanks or an unknown verb keep the bar as it is.
TEST_F(HandOff, VerbsWithoutFade) {
  installation_.Configure({});
  SideBar bar(installation_, L"-show");
  ASSERT_TRUE(bar.Started());
  const HWND w = bar.Window();
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }, kHandOffLimitMs));
  EXPECT_EQ(LayeredAlpha(w), 255);
  for (const wchar_t* nothing : {L"", L"   ", L"-quit"}) {
    ASSERT_TRUE(bar.HandOver(nothing));
    EXPECT_TRUE(IsWindowVisible(w)) << Utf8(nothing);
  }
  ASSERT_TRUE(bar.HandOver(L"-hide"));
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_EQ(installation_.Setting(L"SS", L"Type"), L"0") << "a hide saves the screenshot kind";
  ASSERT_TRUE(bar.HandOver(L""));
  EXPECT_FALSE(IsWindowVisible(w));
  ASSERT_TRUE(bar.HandOver(L"-SHOW"));
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_TRUE(bar.Close());
  EXPECT_EQ(FindSideBar(), nullptr);
}

// With the fade a show ends fully opaque and a hide fully transparent and hidden, round after round.
TEST_F(HandOff, ShowAndHideWithFade) {
  installation_.Configure({.fade = true});
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND w = bar.Window();
  EXPECT_FALSE(IsWindowVisible(w)) << "the side bar starts hidden";
  for (int round = 1; round <= 2; ++round) {
    ASSERT_TRUE(bar.HandOver(L"-show"));
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(w) == 255 && IsWindowVisible(w); }, kFadeLimitMs))
        << "alpha " << int{LayeredAlpha(w)} << " after " << kFadeLimitMs << " ms";
    ASSERT_TRUE(bar.HandOver(L"-hide"));
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(w) == 0 && !IsWindowVisible(w); }, kHideLimitMs))
        << "alpha " << int{LayeredAlpha(w)} << (IsWindowVisible(w) ? ", visible" : ", hidden");
  }
  EXPECT_EQ(installation_.Setting(L"SS", L"Type"), L"0");
}

}  // namespace
}  // namespace blackbox
