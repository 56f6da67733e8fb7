// The settings window, the hot-key capture and the about box of the running velvane.exe, used with real clicks and
// key presses.
#include "blackbox/harness.h"

namespace blackbox {
namespace {

constexpr DWORD kDialogLimitMs = 5000;
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A visible top-level window of the process with this caption; nullptr when there is none.
HWND FindTopWindow(DWORD processId, const std::wstring& caption) {
  for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, caption.c_str()); w;
       w = FindWindowExW(nullptr, w, nullptr, caption.c_str())) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

HWND WaitForTopWindow(DWORD processId, const std::wstring& caption) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(processId, caption)) != nullptr; }, kDialogLimitMs);
  return found;
}

std::vector<HWND> Children(HWND parent, const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND child : ChildWindows(parent))
    if (ClassName(child) == className) found.push_back(child);
  return found;
}

HWND ChildByText(HWND parent, const std::wstring& text) {
  for (HWND child : ChildWindows(parent))
    if (WindowText(child) == text) return child;
  return nullptr;
}

// A left click in the middle of the window, through the system's input queue.
void Click(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  Sleep(50);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  Sleep(50);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

// Held long enough for the side bar's 50 ms key polling to see it.
void Key(WORD key, bool up) {
  keybd_event(static_cast<BYTE>(key), 0, up ? KEYEVENTF_KEYUP : 0, 0);
  Sleep(150);
}

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class Dialogs : public BlackBoxTest {
protected:
  void SetUp() override {
    BlackBoxTest::SetUp();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Velvane");
    installation_.Configure({});
  }
  void TearDown() override {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Velvane");
    BlackBoxTest::TearDown();
  }
  std::wstring Text(const wchar_t* key) const {
    return LanguageText(installation_.Path(L"lang\\english\\velvane.txt"), key).value_or(key);
  }
  // The side bar shown, then one of its text buttons clicked; the window it opens.
  HWND OpenFromSideBar(SideBar& bar, const wchar_t* buttonKey, const wchar_t* captionKey) const {
    EXPECT_TRUE(bar.HandOver(L"-show"));
    const HWND button = ChildByText(bar.Window(), Text(buttonKey));
    if (!button) return nullptr;
    Click(button);
    return WaitForTopWindow(bar.ProcessId(), Text(captionKey));
  }
};

// The stored state shows; ticks and OK write it, the start-with-Windows entry quoted and naming this velvane.exe.
TEST_F(Dialogs, SettingsShowTheStoredStateAndOkWritesIt) {
  installation_.SetSetting(L"TXT", L"Txt0", L"pic_");
  installation_.SetSetting(L"CHK", L"Chk5", L"1");
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND cfg = OpenFromSideBar(bar, L"_main:oconfiguration", L"_cfg:title");
  ASSERT_NE(cfg, nullptr) << Utf8(DescribeWindowsOf(bar.ProcessId()));

  const HWND winStart = ChildByText(cfg, Text(L"_cfg:winstart")), fade = ChildByText(cfg, Text(L"_cfg:doanim"));
  const HWND top = ChildByText(cfg, Text(L"_cfg:alwaysontop")), keepToDo = ChildByText(cfg, Text(L"_cfg:save2do"));
  ASSERT_TRUE(winStart && fade && top && keepToDo);
  EXPECT_FALSE(Checked(winStart));
  EXPECT_FALSE(Checked(fade));
  EXPECT_TRUE(Checked(keepToDo));
  EXPECT_TRUE(Checked(top));
  EXPECT_EQ(ControlText(Children(cfg, L"Edit").at(0)), L"pic_");
  EXPECT_EQ(ListBoxItems(Children(cfg, L"ListBox").at(1)), (std::vector<std::wstring>{L"English", L"Espa\u00f1ol"}));

  Click(winStart);
  Click(keepToDo);
  ASSERT_TRUE(WaitUntil([&] { return Checked(winStart) && !Checked(keepToDo); }, kDialogLimitMs));
  Click(ChildByText(cfg, Text(L"_btn:accept")));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(cfg); }, kDialogLimitMs));
  EXPECT_EQ(installation_.Setting(L"CHK", L"Chk2"), L"0");
  EXPECT_EQ(installation_.Setting(L"CHK", L"Chk5"), L"1");
  EXPECT_EQ(installation_.Setting(L"TXT", L"Txt0"), L"pic_");
  EXPECT_EQ(installation_.Setting(L"LANG", L"Active"), L"english");
  wchar_t run[1024] = {};
  DWORD size = sizeof run;
  RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Velvane", RRF_RT_REG_SZ, nullptr, run, &size);
  EXPECT_EQ(CompareStringOrdinal(run, -1, (L"\"" + installation_.Program() + L"\"").c_str(), -1, TRUE), CSTR_EQUAL)
      << Utf8(run);
  EXPECT_TRUE(bar.Close());
}

// Hot key 1 captured by releasing F9, then Ctrl, works at once, before anything is saved; Cancel saves nothing.
TEST_F(Dialogs, CapturedHotKeyWorksAtOnce) {
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND cfg = OpenFromSideBar(bar, L"_main:oconfiguration", L"_cfg:title");
  ASSERT_NE(cfg, nullptr);
  Click(ChildByText(cfg, Text(L"_cfg:showkeys")));
  const HWND keys = WaitForTopWindow(bar.ProcessId(), Text(L"_keys:title"));
  ASSERT_NE(keys, nullptr);
  Key(VK_CONTROL, false);
  Key(VK_F9, false);
  Key(VK_F9, true);
  Key(VK_CONTROL, true);
  // The confirmation box carries the capture window's title.
  HWND done = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (done = ChildByText(FindTopWindow(bar.ProcessId(), Text(L"_keys:title")), Text(L"_keys:donewin")));
  }, kDialogLimitMs));
  PostMessageW(GetParent(done), WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(keys) && !FindTopWindow(bar.ProcessId(), Text(L"_keys:title")); },
                        kDialogLimitMs));
  Click(ChildByText(cfg, Text(L"_btn:cancel")));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(cfg); }, kDialogLimitMs));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(bar.Window()); }, kHideLimitMs));

  Key(VK_F9, false);
  Key(VK_CONTROL, false);
  const bool shown = WaitUntil([&] { return IsWindowVisible(bar.Window()) != FALSE; }, kDialogLimitMs);
  Key(VK_CONTROL, true);
  Key(VK_F9, true);
  EXPECT_TRUE(shown) << "the captured hot key did not show the side bar";
  EXPECT_EQ(installation_.Setting(L"KEYS1", L"Key0"), L"17");
  EXPECT_TRUE(bar.Close());
}

// The about box shows the version of the executable's own version resource and goes when another window comes
// forward.
TEST_F(Dialogs, AboutBoxShowsTheVersionAndClosesWhenLeft) {
  const std::wstring program = installation_.Program();
  std::vector<BYTE> info(GetFileVersionInfoSizeW(program.c_str(), nullptr));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(!info.empty() && GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) &&
              VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length))
      << "velvane.exe has no version resource";
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(2, 1)));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), 42);

  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND about = OpenFromSideBar(bar, L"_btn:about", L"_about:title");
  ASSERT_NE(about, nullptr) << Utf8(DescribeWindowsOf(bar.ProcessId()));
  EXPECT_NE(ChildByText(about, L"Velvane v1.2 - Build #42"), nullptr);
  EXPECT_NE(ChildByText(about, Text(L"_about:trans")), nullptr);

  const HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                     nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  const bool closed = WaitUntil([&] {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    return !IsWindow(about);
  }, kDialogLimitMs);
  DestroyWindow(other);
  EXPECT_TRUE(closed) << "the about box stayed open";
  EXPECT_TRUE(bar.Close());
}

}  // namespace
}  // namespace blackbox
