// Starting velvane.exe: the first run hands over to the wizard, a failed start says so and ends, and later starts
// hand their command line to the side bar that runs.
#include "blackbox/fake_wizard.h"
#include "blackbox/harness.h"

namespace blackbox {
namespace {

std::wstring ThisProgram() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

class Start : public BlackBoxTest {};

// Until the wizard has marked the first run done, velvane.exe starts the wizard beside it and ends without a side
// bar. A missing configuration counts as a first run as well.
TEST_F(Start, FirstRunStartsTheWizardAndEnds) {
  ASSERT_TRUE(CopyFileW(ThisProgram().c_str(), installation_.Path(kWizardProgram).c_str(), FALSE));
  const std::wstring note = installation_.Path(kWizardNote);
  const std::wstring config = installation_.ConfigFile();
  const auto shipped = ReadBytes(config);
  ASSERT_TRUE(shipped.has_value());

  struct Case {
    const char* name;
    bool withConfig;
  };
  for (const Case c : {Case{"FirstTime=0", true}, Case{"no config.qdt", false}}) {
    SCOPED_TRACE(c.name);
    DeleteFileW(note.c_str());
    if (c.withConfig) {
      ASSERT_TRUE(WriteBytes(config, *shipped));
      installation_.SetSetting(L"INIT", L"FirstTime", L"0");
    } else {
      ASSERT_TRUE(DeleteFileW(config.c_str()));
    }

    Process velvane = Process::Start(installation_.Program(), L"", installation_.Folder());
    ASSERT_TRUE(velvane);
    EXPECT_TRUE(velvane.WaitForExit(kHandOffLimitMs))
        << "velvane.exe still runs; its windows:" << Utf8(DescribeWindowsOf(velvane.Id()));
    EXPECT_EQ(velvane.ExitCode(), 0u);
    EXPECT_EQ(FindSideBar(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(note); }, kHandOffLimitMs)) << "the wizard did not start";
    // The wizard beside velvane.exe, not one found elsewhere.
    const auto line = ReadBytes(note);
    ASSERT_TRUE(line.has_value());
    EXPECT_NE(line->find(Utf8(installation_.Path(kWizardProgram))), std::string::npos) << *line;
  }
}

class HandOff : public BlackBoxTest {};

// Without the fade, "-show" and "-hide" from a second start act at once; the hide is a save point.
TEST_F(HandOff, ShowAndHideWithoutFade) {
  installation_.Configure({});
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  EXPECT_FALSE(IsWindowVisible(bar.Window())) << "the side bar starts hidden";

  ASSERT_TRUE(bar.HandOver(L"-show"));
  EXPECT_TRUE(IsWindowVisible(bar.Window()));
  EXPECT_EQ(LayeredAlpha(bar.Window()), 255);

  ASSERT_TRUE(bar.HandOver(L"-hide"));
  EXPECT_FALSE(IsWindowVisible(bar.Window()));
  EXPECT_EQ(installation_.Setting(L"SS", L"Type"), L"0") << "a hide saves the screenshot kind";

  // Verbs are not case-sensitive.
  ASSERT_TRUE(bar.HandOver(L"-SHOW"));
  EXPECT_TRUE(IsWindowVisible(bar.Window()));
  EXPECT_TRUE(bar.Close());
  EXPECT_EQ(FindSideBar(), nullptr);
}

// With the fade, a show ends fully opaque and a hide fully transparent and hidden.
TEST_F(HandOff, ShowAndHideWithFade) {
  installation_.Configure({.fade = true});
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND w = bar.Window();
  EXPECT_FALSE(IsWindowVisible(w));

  ASSERT_TRUE(bar.HandOver(L"-show"));
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(w) == 255; }, kFadeLimitMs))
      << "alpha " << int{LayeredAlpha(w)} << " after " << kFadeLimitMs << " ms";

  ASSERT_TRUE(bar.HandOver(L"-hide"));
  EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(w) == 0 && !IsWindowVisible(w); }, kHideLimitMs))
      << "alpha " << int{LayeredAlpha(w)} << (IsWindowVisible(w) ? ", visible" : ", hidden");
  EXPECT_EQ(installation_.Setting(L"SS", L"Type"), L"0");

  // And again: a second round starts from where the first ended.
  ASSERT_TRUE(bar.HandOver(L"-show"));
  EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(w) == 255 && IsWindowVisible(w); }, kFadeLimitMs));
}

// A second start without arguments only brings the bar forward: a hidden bar stays hidden, a shown one shown.
TEST_F(HandOff, NoArgumentsKeepVisibility) {
  installation_.Configure({});
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());

  ASSERT_TRUE(bar.HandOver(L""));
  EXPECT_FALSE(IsWindowVisible(bar.Window()));

  ASSERT_TRUE(bar.HandOver(L"-show"));
  ASSERT_TRUE(bar.HandOver(L""));
  EXPECT_TRUE(IsWindowVisible(bar.Window()));

  // Blanks alone and an unknown verb change nothing either.
  ASSERT_TRUE(bar.HandOver(L"   "));
  ASSERT_TRUE(bar.HandOver(L"-quit"));
  EXPECT_TRUE(IsWindowVisible(bar.Window()));
}

// A verb given to the first start runs once the side bar exists.
TEST_F(Start, FirstStartRunsItsOwnCommandLine) {
  installation_.Configure({});
  SideBar bar(installation_, L"-show");
  ASSERT_TRUE(bar.Started());
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(bar.Window()) != FALSE; }, kHandOffLimitMs));
}

// A start that fails says so in a message box and ends once the box is closed, leaving no side bar behind.
TEST_F(Start, FailedStartReportsAndEnds) {
  installation_.Configure({});
  const std::wstring skin = installation_.Setting(L"XTRA", L"Skin").value_or(L"");
  ASSERT_TRUE(DeleteFileW(installation_.Path(L"skins\\" + skin + L"\\i_main.bmp").c_str()));
  Process velvane = Process::Start(installation_.Program(), L"", installation_.Folder());
  ASSERT_TRUE(velvane);

  HWND box = nullptr;
  const auto findBox = [&] {
    box = nullptr;
    EnumWindows(
        [](HWND w, LPARAM found) {
          if (ClassName(w) != L"#32770" || !IsWindowVisible(w)) return TRUE;
          *reinterpret_cast<HWND*>(found) = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    DWORD owner = 0;
    if (box) GetWindowThreadProcessId(box, &owner);
    return box != nullptr && owner == velvane.Id();
  };
  ASSERT_TRUE(WaitUntil(findBox, kStartLimitMs, 20))
      << "no message box; windows:" << Utf8(DescribeWindowsOf(velvane.Id()));
  EXPECT_EQ(WindowText(box), L"Error");
  std::wstring message;
  for (HWND child : ChildWindows(box))
    if (ClassName(child) == L"Static" && WindowText(child).size() > message.size()) message = WindowText(child);
  EXPECT_EQ(message.rfind(L"Error on loading. Now exiting.\rError # ", 0), 0u) << Utf8(message);
  EXPECT_EQ(FindSideBar(), nullptr);

  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(velvane.WaitForExit(kCloseLimitMs)) << "still runs; windows:" << Utf8(DescribeWindowsOf(velvane.Id()));
  EXPECT_EQ(FindSideBar(), nullptr);
}

}  // namespace
}  // namespace blackbox
