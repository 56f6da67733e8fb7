// The settings window, the hot-key capture and the about box of the running velvane.exe, used with real clicks and
// key presses as a user would.
#include <algorithm>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

constexpr DWORD kDialogLimitMs = 5000;
constexpr DWORD kKeyHoldMs = 150;  // the side bar polls the keys every 50 ms

// A visible top-level window of the process with this caption; nullptr when there is none.
HWND FindTopWindow(DWORD processId, const std::wstring& caption) {
  struct Search {
    DWORD processId;
    const std::wstring* caption;
    HWND found;
  } search{processId, &caption, nullptr};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != s->processId || !IsWindowVisible(w) || WindowText(w) != *s->caption) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForTopWindow(DWORD processId, const std::wstring& caption) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(processId, caption)) != nullptr; }, kDialogLimitMs);
  return found;
}

HWND ChildByText(HWND parent, const std::wstring& text) {
  for (HWND child : ChildWindows(parent))
    if (WindowText(child) == text) return child;
  return nullptr;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND child : ChildWindows(parent))
    if (ClassName(child) == className) found.push_back(child);
  return found;
}

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

// A left click in the middle of the window, through the system's input queue.
void Click(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  Sleep(50);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Sleep(50);
  SendMouse(MOUSEEVENTF_LEFTUP);
}

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
  Sleep(kKeyHoldMs);
}

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::wstring Text(const Installation& installation, const wchar_t* key) {
  return LanguageText(installation.Path(L"lang\\english\\velvane.txt"), key).value_or(key);
}

std::wstring RunValue() {
  wchar_t data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Velvane", RRF_RT_REG_SZ,
                   nullptr, data, &size) != ERROR_SUCCESS)
    return L"";
  return data;
}

void RemoveRunValue() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE, &key) ==
      ERROR_SUCCESS) {
    RegDeleteValueW(key, L"Velvane");
    RegCloseKey(key);
  }
}

class Dialogs : public BlackBoxTest {
protected:
  void SetUp() override {
    BlackBoxTest::SetUp();
    RemoveRunValue();
    installation_.Configure({});
  }
  void TearDown() override {
    RemoveRunValue();
    BlackBoxTest::TearDown();
  }
  // The side bar shown, then one of its text buttons clicked; the window it opens.
  HWND OpenFromSideBar(SideBar& bar, const wchar_t* buttonKey, const wchar_t* captionKey) {
    EXPECT_TRUE(bar.HandOver(L"-show"));
    const HWND button = ChildByText(bar.Window(), Text(installation_, buttonKey));
    if (!button) return nullptr;
    Click(button);
    return WaitForTopWindow(bar.ProcessId(), Text(installation_, captionKey));
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

  const auto boxes = ChildrenOfClass(cfg, L"Button");
  const auto find = [&](const wchar_t* key) {
    const auto it = std::find_if(boxes.begin(), boxes.end(),
                                 [&](HWND b) { return WindowText(b) == Text(installation_, key); });
    return it == boxes.end() ? nullptr : *it;
  };
  const HWND winStart = find(L"_cfg:winstart"), fade = find(L"_cfg:doanim"), top = find(L"_cfg:alwaysontop");
  const HWND keepToDo = find(L"_cfg:save2do"), ok = find(L"_btn:accept");
  ASSERT_TRUE(winStart && fade && top && keepToDo && ok);
  EXPECT_FALSE(Checked(winStart));
  EXPECT_FALSE(Checked(fade));
  EXPECT_TRUE(Checked(keepToDo));
  EXPECT_TRUE(Checked(top));
  const auto edits = ChildrenOfClass(cfg, L"Edit");
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_EQ(ControlText(edits[0]), L"pic_");
  const auto lists = ChildrenOfClass(cfg, L"ListBox");
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_NE(ListBoxItems(lists[0]).size(), 0u);
  EXPECT_EQ(ListBoxItems(lists[1]), (std::vector<std::wstring>{L"English", L"Espa\u00f1ol"}));

  Click(winStart);
  Click(keepToDo);
  ASSERT_TRUE(WaitUntil([&] { return Checked(winStart) && !Checked(keepToDo); }, kDialogLimitMs));
  Click(ok);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(cfg); }, kDialogLimitMs));
  EXPECT_EQ(installation_.Setting(L"CHK", L"Chk2"), L"0");
  EXPECT_EQ(installation_.Setting(L"CHK", L"Chk5"), L"1");
  EXPECT_EQ(installation_.Setting(L"TXT", L"Txt0"), L"pic_");
  EXPECT_EQ(installation_.Setting(L"LANG", L"Active"), L"english");
  const std::wstring run = RunValue();
  EXPECT_EQ(CompareStringOrdinal(run.c_str(), -1, (L"\"" + installation_.Program() + L"\"").c_str(), -1, TRUE),
            CSTR_EQUAL)
      << Utf8(run);
  EXPECT_TRUE(bar.Close());
}

// Hot key 1 captured by releasing F9, then Ctrl, works at once, before anything is saved; Cancel saves nothing.
TEST_F(Dialogs, CapturedHotKeyWorksAtOnce) {
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND cfg = OpenFromSideBar(bar, L"_main:oconfiguration", L"_cfg:title");
  ASSERT_NE(cfg, nullptr);
  const HWND capture = ChildByText(cfg, Text(installation_, L"_cfg:showkeys"));
  ASSERT_NE(capture, nullptr);
  Click(capture);
  const HWND keys = WaitForTopWindow(bar.ProcessId(), Text(installation_, L"_keys:title"));
  ASSERT_NE(keys, nullptr);
  SendKey(VK_CONTROL, false);
  SendKey(VK_F9, false);
  SendKey(VK_F9, true);
  SendKey(VK_CONTROL, true);
  HWND done = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (done = ChildByText(FindTopWindow(bar.ProcessId(), Text(installation_, L"_keys:title")),
                                                        Text(installation_, L"_keys:donewin"))) != nullptr; },
                        kDialogLimitMs));
  PostMessageW(GetParent(done), WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(keys) && !FindTopWindow(bar.ProcessId(), Text(installation_, L"_keys:title")); },
                        kDialogLimitMs));
  Click(ChildByText(cfg, Text(installation_, L"_btn:cancel")));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(cfg); }, kDialogLimitMs));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(bar.Window()); }, kHideLimitMs));

  SendKey(VK_F9, false);
  SendKey(VK_CONTROL, false);
  const bool shown = WaitUntil([&] { return IsWindowVisible(bar.Window()) != FALSE; }, kDialogLimitMs);
  SendKey(VK_CONTROL, true);
  SendKey(VK_F9, true);
  EXPECT_TRUE(shown) << "the captured hot key did not show the side bar";
  EXPECT_EQ(installation_.Setting(L"KEYS1", L"Key0"), L"17");
  EXPECT_TRUE(bar.Close());
}

// The about box carries the version of the executable's own version resource, and goes when another window is
// brought forward.
TEST_F(Dialogs, AboutBoxShowsTheVersionAndClosesWhenLeft) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(installation_.Program().c_str(), &handle);
  ASSERT_GT(size, 0u) << "velvane.exe has no version resource";
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(installation_.Program().c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const std::wstring version = L"Velvane v" + std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L" - Build #" +
                               std::to_wstring(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(version, L"Velvane v1.2 - Build #42");

  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND about = OpenFromSideBar(bar, L"_btn:about", L"_about:title");
  ASSERT_NE(about, nullptr) << Utf8(DescribeWindowsOf(bar.ProcessId()));
  EXPECT_NE(ChildByText(about, version), nullptr);
  EXPECT_NE(ChildByText(about, Text(installation_, L"_about:trans")), nullptr);

  // A window of this test process takes the focus.
  const HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                     nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  const bool closed = WaitUntil(
      [&] {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        return !IsWindow(about);
      },
      kDialogLimitMs);
  DestroyWindow(other);
  EXPECT_TRUE(closed) << "the about box stayed open";
  EXPECT_TRUE(bar.Close());
}

}  // namespace
}  // namespace blackbox
