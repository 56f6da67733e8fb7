// The to-do entry box, the settings window, the hot-key capture, the about box and the file dialog of the running
// velvane.exe, used with real clicks and key presses.
#include <algorithm>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class Dialogs : public BlackBoxTest {
protected:
  HWND Control(HWND window, const wchar_t* key) const { return ChildByText(window, installation_.Text(key)); }
  HWND Top(const SideBar& bar, const wchar_t* key) const { return TopWindow(installation_.Text(key), bar.ProcessId()); }
  // The side bar shown, then one of its text buttons clicked; the window it opens.
  HWND OpenFromSideBar(SideBar& bar, const wchar_t* buttonKey, const wchar_t* captionKey) const {
    EXPECT_TRUE(bar.HandOver(L"-show"));
    const HWND button = Control(bar.Window(), buttonKey);
    if (!button) return nullptr;
    Click(button);
    return WaitForWindow([&] { return Top(bar, captionKey); });
  }
  // Clicks the button and waits for the window to go.
  static bool ClickToClose(HWND window, HWND button) {
    Click(button);
    return WaitUntil([&] { return !IsWindow(window); }, kWindowLimitMs);
  }
};

// The version comes from the executable's own version resource. Hot key 1 captured by releasing F9, then Ctrl, works
// at once, before anything is saved; Cancel saves nothing. Ticks clicked and OK write the settings, the
// start-with-Windows entry quoted and naming this velvane.exe. The about box shows the version and goes when another
// window comes forward. The skins offered are those a person sees: not the desktop.ini Explorer hides among them.
TEST_F(Dialogs, HotKeyCaptureSettingsAndAboutBoxWithRealInput) {
  const std::wstring program = installation_.Program();
  std::vector<BYTE> info(GetFileVersionInfoSizeW(program.c_str(), nullptr));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(!info.empty() && GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) &&
              VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length))
      << "velvane.exe has no version resource";
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(2, 1)));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), 42);

  const std::wstring desktopIni = installation_.Path(L"skins\\desktop.ini");
  ASSERT_TRUE(WriteBytes(desktopIni, "[.ShellClassInfo]\r\n"));
  ASSERT_TRUE(SetFileAttributesW(desktopIni.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  HWND cfg = OpenFromSideBar(bar, L"_main:oconfiguration", L"_cfg:title");
  ASSERT_NE(cfg, nullptr) << DescribeWindowsOf(bar.ProcessId());
  const std::vector<std::wstring> skins = ListBoxItems(ChildAt(cfg, L"ListBox", 284, 88, 133, 74));
  EXPECT_TRUE(!skins.empty() && std::find(skins.begin(), skins.end(), L"desktop.ini") == skins.end());
  Click(Control(cfg, L"_cfg:showkeys"));
  const HWND keys = WaitForWindow([&] { return Top(bar, L"_keys:title"); });
  ASSERT_NE(keys, nullptr);
  for (const auto& [key, up] : {std::pair(VK_CONTROL, false), {VK_F9, false}, {VK_F9, true}, {VK_CONTROL, true}})
    Key(key, up);
  // The confirmation box carries the capture window's title.
  const HWND done = WaitForWindow([&] { return Control(Top(bar, L"_keys:title"), L"_keys:donewin"); });
  ASSERT_NE(done, nullptr);
  PostMessageW(GetParent(done), WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(keys) && !Top(bar, L"_keys:title"); }, kWindowLimitMs));
  ASSERT_TRUE(ClickToClose(cfg, Control(cfg, L"_btn:cancel")));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(bar.Window()); }, kHideLimitMs));
  Key(VK_F9, false);
  Key(VK_CONTROL, false);
  const bool shown = WaitUntil([&] { return IsWindowVisible(bar.Window()) != FALSE; }, kWindowLimitMs);
  Key(VK_CONTROL, true);
  Key(VK_F9, true);
  EXPECT_TRUE(shown) << "the captured hot key did not show the side bar";
  EXPECT_EQ(installation_.Setting(L"KEYS1", L"Key0"), L"17");

  cfg = OpenFromSideBar(bar, L"_main:oconfiguration", L"_cfg:title");
  ASSERT_NE(cfg, nullptr) << DescribeWindowsOf(bar.ProcessId());
  const HWND winStart = Control(cfg, L"_cfg:winstart"), keepToDo = Control(cfg, L"_cfg:save2do");
  ASSERT_TRUE(winStart && keepToDo && !Checked(winStart) && Checked(keepToDo)) << "the ticks as stored";
  Click(winStart);
  Click(keepToDo);
  ASSERT_TRUE(WaitUntil([&] { return Checked(winStart) && !Checked(keepToDo); }, kWindowLimitMs));
  ASSERT_TRUE(ClickToClose(cfg, Control(cfg, L"_btn:accept")));
  EXPECT_EQ(installation_.Setting(L"CHK", L"Chk2"), L"0");
  EXPECT_TRUE(RunValueNames(program));

  const HWND about = OpenFromSideBar(bar, L"_btn:about", L"_about:title");
  ASSERT_NE(about, nullptr) << DescribeWindowsOf(bar.ProcessId());
  EXPECT_NE(ChildByText(about, L"Velvane v1.2 - Build #42"), nullptr);
  EXPECT_NE(Control(about, L"_about:trans"), nullptr);
  const HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                     nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  const bool closed = WaitUntil([&] { return Pump(), !IsWindow(about); }, kWindowLimitMs);
  DestroyWindow(other);
  EXPECT_TRUE(closed) << "the about box stayed open";
  EXPECT_TRUE(bar.Close());
}

using SideBarInUse = BlackBoxTest;

// The to-do box that the "+" opens lies over its list: a click at its middle reaches it, and typing shows there. The
// file dialog, which loads the most DLLs, loads none of those planted beside the programs (as in every black-box test).
TEST_F(SideBarInUse, ToDoBoxOverItsListAndTheFileDialog) {
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  ASSERT_TRUE(bar.HandOver(L"-show"));
  const HWND w = bar.Window();
  const HWND plus = ChildAt(w, L"VelvaneImage", 524, 8, 17, 17), box = ChildAt(w, L"Edit", 358, 30, 186, 21);
  ASSERT_TRUE(plus && box) << DescribeWindowsOf(bar.ProcessId());
  Sleep(1000);  // Wine drops keys sent by SendInput for a moment after the focus changed
  Click(plus);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(box) != FALSE; }, kWindowLimitMs));
  RECT r{};
  GetWindowRect(box, &r);
  const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  EXPECT_EQ(WindowFromPoint(middle), box);
  ClickAt(middle);
  for (const wchar_t ch : std::wstring(L"tea")) {
    INPUT key{INPUT_KEYBOARD, {.ki = {0, ch, KEYEVENTF_UNICODE, 0, 0}}};
    SendInput(1, &key, sizeof key);
  }
  wchar_t typed[16] = {};  // asked of the box itself: the system keeps only its first text for other programs
  const auto shows = [&] { return SendMessageW(box, WM_GETTEXT, 16, LPARAM(typed)), !wcscmp(typed, L"tea"); };
  EXPECT_TRUE(WaitUntil(shows, kWindowLimitMs)) << Utf8(typed);

  Click(ChildByText(w, installation_.Text(L"_main:eadd")));
  const HWND add = WaitForWindow([&] { return TopWindow(installation_.Text(L"_exec:title"), bar.ProcessId()); });
  ASSERT_NE(add, nullptr) << DescribeWindowsOf(bar.ProcessId());
  Click(ChildByText(add, installation_.Text(L"_exec:select")));
  const std::wstring title = installation_.Text(L"_exec:selectdialog");
  const HWND open = WaitForWindow([&] { return TopWindow(title, bar.ProcessId(), L"#32770"); });
  ASSERT_NE(open, nullptr) << "no file dialog: " << DescribeWindowsOf(bar.ProcessId());
  PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(open); }, kWindowLimitMs));
}

}  // namespace
}  // namespace blackbox
