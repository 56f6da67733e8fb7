// The forms layer against real windows (messages from outside, pixels, user input), the real registry's Run key and
// the system's answers for the data folder.
#include <windows.h>
#include <shlobj.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "core/autostart.h"
#include "platform/files.h"
#include "platform/user_folders.h"
#include "test_support.h"
#include "ui/forms.h"
#include "ui/testing.h"
#include "win32_support.h"

namespace velvane::ui {
namespace {

template <class WindowOrControl>
HWND HwndOf(const WindowOrControl& w) { return reinterpret_cast<HWND>(w.NativeHandle()); }

using test::DispatchOne;
using test::Pump;

WindowSpec Spec(int width, int height) {
  return {.caption = L"_main:title", .clientWidth = width, .clientHeight = height, .borderless = true, .layered = true,
          .font = {}, .iconPath = {}};
}

// A hidden window to put the controls on; message boxes and dialogs are the real ones here.
class UiWin32 : public ::testing::Test {
protected:
  void SetUp() override {
    testing::Reset();
    testing::SetScripted(false);
  }
  void TearDown() override { testing::Reset(); }
  Window window{Spec(300, 200)};
};

// DROPFILES followed by the wide, double-zero-terminated list, as the shell builds it, posted to the target.
void PostDrop(HWND target, const std::vector<std::wstring>& files, POINT at) {
  std::wstring list;
  for (const auto& f : files) list += f + L'\0';
  const size_t bytes = (list.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  *drop = {sizeof(DROPFILES), at, FALSE, TRUE};
  std::memcpy(drop + 1, list.c_str(), bytes);
  GlobalUnlock(memory);
  PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

TEST_F(UiWin32, DroppedFilesArriveInOrderAtTheControlUnderThePoint) {
  Label& title = window.AddLabel(L"lbl(1)", {10, 10, 100, 20}, L"Files");
  Label& shelf = window.AddLabel(L"lblFiles(1)", {10, 40, 150, 17});
  shelf.SetAcceptFiles(true);
  std::vector<std::vector<std::wstring>> drops;
  title.onFilesDropped = shelf.onFilesDropped = [&](const std::vector<std::wstring>& files) { drops.push_back(files); };
  const std::vector<std::wstring> files{L"C:\\one.txt", L"C:\\two words.txt", L"D:\\three"};
  PostDrop(HwndOf(shelf), files, {5, 5});
  // Dropped on the window: the control at the point takes them, if it takes files.
  PostDrop(HwndOf(window), {L"C:\\x"}, {20, 45});
  PostDrop(HwndOf(window), {L"C:\\y"}, {20, 15});
  Pump();
  EXPECT_EQ(drops, (std::vector<std::vector<std::wstring>>{files, {L"C:\\x"}}));
}

TEST_F(UiWin32, TypedCharactersPassTheKeyPressFilter) {
  TextBox& box = window.AddTextBox(L"txtExec", {10, 10, 150, 20});
  int changes = 0;
  std::vector<int> released;
  box.onChange = [&] { ++changes; };
  box.onKeyPress = [](wchar_t* ch) {
    if ((*ch < 32 || *ch > 250) && *ch != 8) *ch = 0;
  };
  box.onKeyUp = [&](const KeyEvent& key) { released.push_back(key.keyCode); };
  const HWND edit = HwndOf(box);
  for (wchar_t ch : {L'a', L'\t', L'b', L'\r', static_cast<wchar_t>(27), static_cast<wchar_t>(251), L'c'})
    SendMessageW(edit, WM_CHAR, ch, 1);
  EXPECT_EQ(box.Text() + L"|" + test::WindowText(edit) + L"|" + std::to_wstring(changes), L"abc|abc|3");
  EXPECT_EQ(box.SelStart(), 3) << "the caret follows the typing";
  SendMessageW(edit, WM_CHAR, 8, 1);
  EXPECT_EQ(box.Text(), L"ab");
  SendMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
  SendMessageW(edit, WM_SYSKEYUP, VK_RETURN, 0xE0000001);  // Alt+Enter
  EXPECT_EQ(released, (std::vector<int>{VK_RETURN, VK_RETURN}));
}

TEST_F(UiWin32, CheckBoxListTicksOnTheBoxAndOnSpace) {
  ListBox& list = window.AddListBox(L"lstToDo", {10, 10, 186, 146}, true);
  for (const wchar_t* item : {L"first", L"second", L"third"}) list.AddItem(item);
  std::vector<int> rows;
  list.onItemCheck = [&](int row) { rows.push_back(row); };
  const HWND hwnd = HwndOf(list);
  const int rowHeight = static_cast<int>(SendMessageW(hwnd, LB_GETITEMHEIGHT, 0, 0));
  auto click = [&](int x, int row) {
    const LPARAM at = MAKELPARAM(x, row * rowHeight + rowHeight / 2);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
  };
  click(100, 0);  // the text: selects, does not tick
  EXPECT_TRUE(rows.empty() && list.ListIndex() == 0);
  click(6, 2);  // the box of the third row
  EXPECT_TRUE(rows == std::vector<int>{2} && list.Checked(2) && list.ListIndex() == 2);
  SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_TRUE(rows == (std::vector<int>{2, 2}) && !list.Checked(2));
  EXPECT_EQ(SendMessageW(hwnd, LB_GETCOUNT, 0, 0), 3);
}

TEST_F(UiWin32, LabelMouseIsCapturedAndClicksAndADragOfTheBackgroundKeepsTheMouse) {
  Label& label = window.AddLabel(L"lblBtn(4)", {20, 30, 100, 17}, L"Hide");
  std::vector<std::string> log;
  auto logged = [&](const char* what) {
    return [&log, what](const MouseEvent& e) {
      log.push_back(what + std::to_string(e.button) + " " + std::to_string(e.x) + "," + std::to_string(e.y));
    };
  };
  label.onMouseDown = logged("down ");
  label.onMouseUp = logged("up ");
  label.onClick = [&] { log.push_back("click"); };
  window.onMouseMove = logged("move ");
  for (const HWND hwnd : {HwndOf(label), HwndOf(window)}) {
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
    EXPECT_EQ(GetCapture(), hwnd);
    SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-30), 250));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(6, 4));
    EXPECT_NE(GetCapture(), hwnd);
  }
  const HWND hwnd = HwndOf(label);
  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 3));
  SendMessageW(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(5, 3));
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(300, 3));  // let go outside the label: no click
  // Positions outside the window stay signed.
  EXPECT_EQ(log, (std::vector<std::string>{"down 1 5,3", "up 1 6,4", "click", "move 1 -30,250", "down 2 5,3",
                                           "up 2 5,3", "down 1 5,3", "up 1 300,3"}));
}

// A timer ticks until switched off; top-most never shows a hidden window (alpha: the black-box tests).
TEST_F(UiWin32, TimersAndTopMost) {
  Timer& timer = window.AddTimer(L"tClipb", 10, true);
  int ticks = 0;
  timer.onTick = [&] { ++ticks; };
  Pump(300);
  EXPECT_GT(ticks, 2);
  timer.SetEnabled(false);
  Pump(20);
  ticks = 0;
  Pump(150);
  EXPECT_EQ(ticks, 0);

  const HWND hwnd = HwndOf(window);
  window.SetTopMost(true);
  EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  window.SetTopMost(false);
  EXPECT_FALSE((GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) || IsWindowVisible(hwnd));
}

TEST_F(UiWin32, CloseRequestFromOutsideAsksFirstButTheEndOfTheSessionDoesNot) {
  bool allow = false;
  int unloads = 0;
  window.onQueryUnload = [&] { return allow; };
  window.onUnload = [&] { ++unloads; };
  const HWND hwnd = HwndOf(window);
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd) && SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0) == FALSE);
  allow = true;
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(!IsWindow(hwnd) && window.NativeHandle() == 0);

  Window ending(Spec(100, 50));  // the end of the session closes without a further question
  ending.onQueryUnload = [] { return false; };
  ending.onEndSession = [&] { unloads += 10; };
  ending.onUnload = [&] { ++unloads; };
  SendMessageW(HwndOf(ending), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(unloads, 12);
}

TEST_F(UiWin32, LabelTextChangesWithoutErasingThePictureAndHighContrastTakesTheSystemsColours) {
  const test::TempDir dir;
  const std::uint32_t picture = 0x1E78C8, back = 0xFF00FF, white = 0xFFFFFF;
  test::WriteBytes(dir / L"i_main.bmp", test::BitmapFile(240, 80, 30, 120, 200));
  WindowSpec spec = Spec(240, 80);
  spec.back = Color{255, 0, 255};  // must never show: the picture covers the whole window
  Window skinned(spec);
  skinned.SetPicture(dir / L"i_main.bmp");
  Label& label = skinned.AddLabel(L"lblInfo", {10, 10, 220, 24}, L"WWWWWWWWWW");
  label.SetFont(Font{.points = 12, .bold = true});
  label.SetForeColor(Color{255, 255, 255});
  skinned.AddTextBox(L"txtToDo", {10, 45, 100, 22}).SetBackColor(Color{10, 200, 10});
  skinned.Move(60, 60);
  skinned.SetTopMost(true);
  skinned.Show();
  RedrawWindow(HwndOf(skinned), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(200);
  auto shoot = [] { return test::CaptureScreen({60 + 10, 60 + 10, 60 + 230, 60 + 34}); };
  const test::Picture before = shoot();
  EXPECT_GT(before.Count(white), 40) << "the text is drawn";

  // Every state the screen passes through while the change is painted, one dispatched message at a time.
  label.SetText(L"W");
  std::vector<test::Picture> states{shoot()};
  for (int quiet = 0; quiet < 20; Sleep(5)) {
    quiet += !DispatchOne();
    states.push_back(shoot());
  }
  const test::Picture after = states.back();
  EXPECT_NE(after, before) << "the new text was painted";
  for (const test::Picture& state : states)
    EXPECT_TRUE(state == before || state == after) << "an erased or half-drawn state showed between the two texts";
  EXPECT_EQ(after.Count(back), 0);
  EXPECT_GT(after.Count(white), 5);
  EXPECT_EQ(test::CaptureScreen({60 + 50, 60 + 10, 60 + 230, 60 + 34}).Count(picture), 180 * 24)
      << "right of the new, shorter text only the picture is left";
  EXPECT_EQ(test::CaptureScreen({60 + 90, 60 + 55, 60 + 91, 60 + 56}).At(0, 0), 0x0AC80Au) << "the text box's colour";
  // Where Windows says high contrast is on (put in place here: Wine cannot): the system's colours, no picture.
  testing::SetHighContrast(SystemColors{{0, 0, 0}, {255, 255, 0}, {26, 235, 255}});
  RedrawWindow(HwndOf(skinned), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(200);
  const test::Picture contrast = shoot();
  EXPECT_TRUE(contrast.Count(picture) == 0 && contrast.Count(0xFFFF00) > 5) << "yellow text on black, no picture";
  EXPECT_EQ(test::CaptureScreen({60 + 90, 60 + 55, 60 + 91, 60 + 56}).At(0, 0), 0u) << "the box in the window colour";
  skinned.Close();
}

// The answer of the call that shows a window of the class and title, acted on from another thread (or WM_QUIT: 10 s).
template <class Call>
auto AnswerOf(const wchar_t* windowClass, const std::wstring& title, const std::function<void(HWND)>& action,
              Call call) {
  std::atomic<bool> found{false};
  std::thread watcher([&, waiting = GetCurrentThreadId()] {
    for (int i = 0; i < 1000; ++i) {
      const HWND hwnd = FindWindowW(windowClass, title.c_str());
      if (hwnd && IsWindowVisible(hwnd)) {
        found = true;
        Sleep(50);
        return action(hwnd);
      }
      Sleep(10);
    }
    PostThreadMessageW(waiting, WM_QUIT, 0, 0);
  });
  const auto answer = call();
  watcher.join();
  EXPECT_TRUE(found) << "the window never showed";
  return answer;
}

// The save dialog and our input box answer what was chosen or typed, or nothing.
TEST_F(UiWin32, SaveDialogAndInputBoxAnswer) {
  const FileDialogOptions options{
      .title = L"Save the selection", .filter = L"TXT - Text files|*.txt|All files|*.*", .initialDir = {}};
  const auto cancel = [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); };
  EXPECT_EQ(AnswerOf(L"#32770", options.title, cancel, [&] { return ShowSaveDialog(options); }), std::nullopt);

  std::wstring prompt, initial;
  const auto ask = [] { return InputBox(L"Type the folder:", L"Screenshot folder", L"C:\\Shots"); };
  const auto typed = AnswerOf(L"VelvaneInputBox", L"Screenshot folder", [&](HWND box) {
    const HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    prompt = test::WindowText(FindWindowExW(box, nullptr, L"Static", nullptr));
    initial = test::WindowText(edit);
    SetWindowTextW(edit, L"D:\\Shots");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }, ask);
  EXPECT_EQ(prompt + L"|" + initial, L"Type the folder:|C:\\Shots");
  EXPECT_EQ(typed, std::optional<std::wstring>(L"D:\\Shots"));
  const auto close = [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); };
  EXPECT_EQ(AnswerOf(L"VelvaneInputBox", L"Screenshot folder", close, ask), std::nullopt);
}

// Other captions, the window's released keys and the hand-offs' bytes are checked by the black-box tests.
TEST_F(UiWin32, ToolTipsAnImagesCaptionAndEmptyHandOffs) {
  Label& row = window.AddLabel(L"lblClip(1)", {10, 10, 100, 17}, L"a long clipb...");
  row.SetToolTip(L"a long clipboard text");
  Image& image = window.AddImage(L"imgSS", {120, 10, 20, 20});
  image.SetText(L"Screenshot kind");
  EXPECT_EQ(test::WindowText(HwndOf(image)), L"Screenshot kind");
  SendMessageW(HwndOf(row), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));  // the tips, and the common controls, come now
  HWND tips = nullptr;
  for (HWND h = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); h;
       h = FindWindowExW(nullptr, h, L"tooltips_class32", nullptr))
    if (GetWindow(h, GW_OWNER) == HwndOf(window)) tips = h;
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
  row.SetToolTip(L"");
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 0);

  std::vector<std::pair<std::uintptr_t, std::string>> handOffs;
  window.onCopyData = [&](std::uintptr_t tag, std::string_view bytes) { handOffs.emplace_back(tag, bytes); };
  char payload[] = "a\0";
  for (COPYDATASTRUCT data : {COPYDATASTRUCT{0, 0, nullptr}, COPYDATASTRUCT{0, 0, payload}, COPYDATASTRUCT{1200, 2, payload}})
    EXPECT_EQ(SendMessageW(HwndOf(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
  EXPECT_EQ(handOffs, (std::vector<std::pair<std::uintptr_t, std::string>>{{1200, std::string("a\0", 2)}}));
}

// As any other reader of the Run key sees it; its command and its round trip are checked by the settings tests.
TEST(AutostartWin32, RunValueIsAStringEndingWithItsZeroAndSwitchingOffKeepsTheSubKey) {
  const std::wstring subKey = std::wstring(kRunKey) + L"\\" + kRunValue;
  RegDeleteKeyW(HKEY_CURRENT_USER, subKey.c_str());
  SetAutostart(true);
  const auto stored = platform::RawQueryValue(platform::kRegCurrentUser, kRunKey, kRunValue);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->type, static_cast<std::uint32_t>(REG_SZ));
  EXPECT_EQ(stored->bytes, platform::codec::ToUtf16Le(RunCommandFor(platform::ExecutablePath()) + L'\0'));
  SetAutostart(false);
  EXPECT_FALSE(AutostartEnabled());
  EXPECT_TRUE(platform::RawKeyExists(platform::kRegCurrentUser, subKey));  // the sub-key stays
}

// Writing is tried with a file that is gone again at once; the local application-data folder is the user's.
TEST(UserFoldersWin32, WritableFoldersLocalAppDataAndNewFolders) {
  test::TempDir dir;
  EXPECT_TRUE(platform::CanWriteIn(dir.Path() + L"\\"));
  EXPECT_FALSE(platform::CanWriteIn(dir.Path() + L"\\missing\\"));
  EXPECT_EQ(platform::ListDirectory(dir.Path() + L"\\").size(), 2u);  // "." and ".." only
  const std::wstring local = platform::LocalAppDataFolder();
  EXPECT_TRUE(local.size() > 14 && local.substr(local.size() - 14) == L"\\AppData\\Local") << test::Native(local);
  EXPECT_TRUE(platform::MakeFolders(dir / L"Velvane\\data") && platform::CanWriteIn(dir / L"Velvane\\data\\"));
}

}  // namespace
}  // namespace velvane::ui
