// The side bar's panel used with real clicks and keys.
#include "blackbox/harness.h"

namespace blackbox {
namespace {

using ToDoBox = BlackBoxTest;

// The entry box lies over the top of the to-do list: once the "+" has opened it, a click at its middle reaches the
// box, not the list below, and what is typed shows in it and becomes the newest item on Enter.
TEST_F(ToDoBox, OpenedOverTheListItTakesTheClickAndTheTypedText) {
  SideBar bar(installation_, L"-addtodo first");
  ASSERT_TRUE(bar.Started());
  ASSERT_TRUE(bar.HandOver(L"-show"));
  const HWND w = bar.Window();
  const HWND plus = ChildAt(w, L"VelvaneImage", 524, 8, 17, 17), box = ChildAt(w, L"Edit", 358, 30, 186, 21);
  const HWND list = ChildAt(w, L"ListBox", 358, 30, 186, 146);
  ASSERT_TRUE(plus && box && list) << DescribeWindowsOf(bar.ProcessId());
  Sleep(1000);  // Wine drops keys sent by SendInput for a moment after the focus changed
  Click(plus);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(box) != FALSE; }, kWindowLimitMs));
  RECT r{};
  GetWindowRect(box, &r);
  const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  POINT inWindow = middle;
  ScreenToClient(w, &inWindow);
  EXPECT_EQ(WindowFromPoint(middle), box);
  EXPECT_EQ(ChildWindowFromPointEx(w, inWindow, CWP_SKIPINVISIBLE), box);
  ClickAt(middle);
  for (const wchar_t ch : std::wstring(L"tea")) {
    INPUT in[2] = {};
    for (INPUT& i : in) i.type = INPUT_KEYBOARD, i.ki.wScan = ch, i.ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(50);
  }
  wchar_t typed[16] = {};  // asked of the box itself: the system keeps only its first text for other programs
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(box, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(typed)), typed == std::wstring(L"tea"); },
                        kWindowLimitMs)) << Utf8(typed);
  Key(VK_RETURN, false, 50), Key(VK_RETURN, true, 50);
  EXPECT_TRUE(WaitUntil([&] { return ListBoxItems(list) == std::vector<std::wstring>{L"tea", L"first"}; },
                        kWindowLimitMs));
}

}  // namespace
}  // namespace blackbox
