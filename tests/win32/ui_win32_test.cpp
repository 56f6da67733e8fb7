// The forms layer against real windows: what other programs see, messages from outside, pixels, and user input.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"
#include "ui/forms.h"
#include "ui/testing.h"

namespace velvane::ui {
namespace {

HWND HwndOf(const Control& control) { return reinterpret_cast<HWND>(control.NativeHandle()); }
HWND HwndOf(const Window& window) { return reinterpret_cast<HWND>(window.NativeHandle()); }

std::wstring TextOf(HWND hwnd) {
  wchar_t buffer[512] = {};
  GetWindowTextW(hwnd, buffer, 512);
  return buffer;
}

// Dispatches what is queued, for at least the given time.
void Pump(int milliseconds = 0) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (milliseconds > 0) Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
}

WindowSpec Spec(int width, int height) {
  WindowSpec spec;
  spec.caption = L"_main:title";
  spec.clientWidth = width;
  spec.clientHeight = height;
  spec.borderless = true;
  spec.layered = true;
  return spec;
}

class UiWin32 : public ::testing::Test {
protected:
  void SetUp() override { testing::Reset(); }
};

TEST_F(UiWin32, EveryCaptionIsReadableFromOutside) {
  Window window(Spec(400, 200));
  Label& label = window.AddLabel(L"lbl(0)", {10, 10, 100, 20}, L"Clipboard");
  Image& image = window.AddImage(L"imgSS", {120, 10, 20, 20});
  image.SetText(L"Screenshot kind");
  TextBox& box = window.AddTextBox(L"txtExec", {10, 40, 100, 20});
  box.SetText(L"notepad");
  Button& button = window.AddButton(L"cmd(0)", {10, 70, 80, 24}, L"Accept");
  CheckBox& check = window.AddCheckBox(L"chk(1)", {10, 100, 150, 20}, L"Fade in and out");

  const std::pair<const Control*, const wchar_t*> captions[] = {
      {&label, L"Clipboard"}, {&image, L"Screenshot kind"}, {&box, L"notepad"}, {&button, L"Accept"},
      {&check, L"Fade in and out"}};
  for (const auto& [control, text] : captions) EXPECT_EQ(TextOf(HwndOf(*control)), text);
  EXPECT_EQ(GetParent(HwndOf(label)), HwndOf(window));

  label.SetText(L"Zwischenablage");
  window.SetCaption(L"Velvane");
  EXPECT_EQ(TextOf(HwndOf(label)), L"Zwischenablage");
  EXPECT_EQ(TextOf(HwndOf(window)), L"Velvane");
}

TEST_F(UiWin32, CopyDataFromAnotherThreadArrivesByteForByte) {
  Window window(Spec(100, 50));
  std::vector<std::string> received;
  window.onCopyData = [&](std::string_view bytes) { received.emplace_back(bytes); };
  const HWND target = HwndOf(window);

  auto send = [&](const void* data, DWORD size) {
    std::atomic<bool> done{false};
    DWORD_PTR result = 99;
    LRESULT sent = 0;
    std::thread sender([&] {
      COPYDATASTRUCT cds{0, size, const_cast<void*>(data)};
      sent = SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, 5000,
                                 &result);
      done = true;
    });
    while (!done) Pump(1);
    sender.join();
    EXPECT_NE(sent, 0);
    EXPECT_EQ(result, 0u);
  };

  const char command[] = "-addtodo buy milk";
  send(command, static_cast<DWORD>(std::strlen(command)));
  const char zero = 0;
  send(&zero, 1);
  send(command, 0);  // nothing to carry: ignored

  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0], "-addtodo buy milk");
  EXPECT_EQ(received[1], std::string(1, '\0'));
}

// DROPFILES followed by the wide, double-zero-terminated list, as the shell builds it.
HGLOBAL MakeDrop(const std::vector<std::wstring>& files, POINT at) {
  std::wstring list;
  for (const auto& f : files) list += f + L'\0';
  list += L'\0';
  const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = at;
  drop->fNC = FALSE;
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

TEST_F(UiWin32, DroppedFilesArriveInOrderAtTheControlUnderThePoint) {
  Window window(Spec(300, 200));
  Label& title = window.AddLabel(L"lbl(1)", {10, 10, 100, 20}, L"Files");
  Label& shelf = window.AddLabel(L"lblFiles(1)", {10, 40, 150, 17});
  shelf.SetAcceptFiles(true);
  std::vector<std::vector<std::wstring>> drops;
  shelf.onFilesDropped = [&](const std::vector<std::wstring>& files) { drops.push_back(files); };
  title.onFilesDropped = [&](const std::vector<std::wstring>& files) { drops.push_back(files); };
  const std::vector<std::wstring> files{L"C:\\one.txt", L"C:\\two words.txt", L"D:\\three"};

  PostMessageW(HwndOf(shelf), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files, {5, 5})), 0);
  Pump();
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0], files);

  // Dropped on the window: the control at the point takes them, if it takes files.
  PostMessageW(HwndOf(window), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\x"}, {20, 45})), 0);
  PostMessageW(HwndOf(window), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\y"}, {20, 15})), 0);
  Pump();
  ASSERT_EQ(drops.size(), 2u);
  EXPECT_EQ(drops[1], std::vector<std::wstring>{L"C:\\x"});
}

TEST_F(UiWin32, TypedCharactersPassTheKeyPressFilter) {
  Window window(Spec(200, 100));
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
  EXPECT_EQ(box.Text(), L"abc");
  EXPECT_EQ(TextOf(edit), L"abc");
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(box.SelStart(), 3) << "the caret follows the typing";
  SendMessageW(edit, WM_CHAR, 8, 1);
  EXPECT_EQ(box.Text(), L"ab");
  SendMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
  EXPECT_EQ(released, std::vector<int>{VK_RETURN});
  SendMessageW(edit, WM_SYSKEYUP, VK_RETURN, 0xE0000001);  // Alt+Enter
  EXPECT_EQ(released, (std::vector<int>{VK_RETURN, VK_RETURN}));
}

TEST_F(UiWin32, CheckBoxListTicksOnTheBoxAndOnSpace) {
  Window window(Spec(250, 200));
  ListBox& list = window.AddListBox(L"lstToDo", {10, 10, 186, 146}, true);
  for (const wchar_t* item : {L"first", L"second", L"third"}) list.AddItem(item);
  std::vector<int> rows;
  list.onItemCheck = [&](int row) { rows.push_back(row); };
  const HWND hwnd = HwndOf(list);
  const int rowHeight = static_cast<int>(SendMessageW(hwnd, LB_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(rowHeight, 12);
  auto click = [&](int x, int row) {
    const LPARAM at = MAKELPARAM(x, row * rowHeight + rowHeight / 2);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
  };

  click(100, 0);  // the text: selects, does not tick
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(list.ListIndex(), 0);
  click(6, 2);  // the box of the third row
  EXPECT_EQ(rows, std::vector<int>{2});
  EXPECT_TRUE(list.Checked(2));
  EXPECT_EQ(list.ListIndex(), 2);
  SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(rows, (std::vector<int>{2, 2}));
  EXPECT_FALSE(list.Checked(2));
  EXPECT_EQ(SendMessageW(hwnd, LB_GETCOUNT, 0, 0), 3);
}

TEST_F(UiWin32, LabelMouseIsCapturedAndClicksAndADragOfTheBackgroundKeepsTheMouse) {
  Window window(Spec(200, 100));
  Label& label = window.AddLabel(L"lblBtn(4)", {20, 30, 100, 17}, L"Hide");
  std::vector<std::string> log;
  label.onMouseDown = [&](const MouseEvent& e) {
    log.push_back("down " + std::to_string(e.button) + " " + std::to_string(e.x) + "," + std::to_string(e.y));
  };
  label.onMouseUp = [&](const MouseEvent& e) { log.push_back("up " + std::to_string(e.button)); };
  label.onClick = [&] { log.push_back("click"); };
  window.onMouseMove = [&](const MouseEvent& e) {
    log.push_back("move " + std::to_string(e.button) + " " + std::to_string(e.x) + "," + std::to_string(e.y));
  };
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
  EXPECT_EQ(log, (std::vector<std::string>{"down 1 5,3", "up 1", "click", "move 1 -30,250", "down 2 5,3", "up 2",
                                           "down 1 5,3", "up 1"}));
}

TEST_F(UiWin32, TimersTickFromTheMessageQueue) {
  Window window(Spec(100, 50));
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
}

TEST_F(UiWin32, TopMostAndAlphaNeverShowAHiddenWindow) {
  WindowSpec spec = Spec(100, 50);
  spec.layered = false;
  Window window(spec);
  const HWND hwnd = HwndOf(window);
  window.SetTopMost(true);
  window.SetAlpha(100);
  EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags)) << "alpha makes any window layered";
  EXPECT_EQ(alpha, 100);
  window.SetTopMost(false);
  EXPECT_FALSE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(UiWin32, CloseRequestFromOutsideAsksFirstButTheEndOfTheSessionDoesNot) {
  Window window(Spec(100, 50));
  bool allow = false;
  int unloads = 0;
  window.onQueryUnload = [&] { return allow; };
  window.onUnload = [&] { ++unloads; };
  const HWND hwnd = HwndOf(window);
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0), FALSE);
  allow = true;
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(window.NativeHandle(), 0);

  Window ending(Spec(100, 50));  // the end of the session closes without a further question
  ending.onQueryUnload = [] { return false; };
  ending.onEndSession = [&] { unloads += 10; };
  ending.onUnload = [&] { ++unloads; };
  SendMessageW(HwndOf(ending), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(unloads, 12);
}

// ---- Pixels on the screen ----

// The screen's pixels of a rectangle, row by row.
struct Capture {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  bool operator==(const Capture&) const = default;
};

Capture CaptureScreen(int left, int top, int width, int height) {
  Capture shot{width, height, std::vector<COLORREF>(static_cast<size_t>(width * height))};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), shot.pixels.data(), &info, DIB_RGB_COLORS);
  for (COLORREF& p : shot.pixels) p = RGB(GetBValue(p), GetGValue(p), GetRValue(p));  // BGRX in memory
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

TEST_F(UiWin32, LabelTextChangesWithoutErasingThePicture) {
  const test::TempDir dir;
  const COLORREF picture = RGB(30, 120, 200);
  const COLORREF back = RGB(255, 0, 255);  // must never show: the picture covers the whole window
  test::WriteBytes(dir / L"i_main.bmp", test::BitmapFile(240, 80, 30, 120, 200));

  WindowSpec spec = Spec(240, 80);
  spec.back = Color{255, 0, 255};
  Window window(spec);
  window.SetPicture(dir / L"i_main.bmp");
  Label& label = window.AddLabel(L"lblInfo", {10, 10, 220, 24}, L"WWWWWWWWWW");
  Font font;
  font.points = 12;
  font.bold = true;
  label.SetFont(font);
  label.SetForeColor(Color{255, 255, 255});
  TextBox& box = window.AddTextBox(L"txtToDo", {10, 45, 100, 22});
  box.SetBackColor(Color{10, 200, 10});
  window.Move(60, 60);
  window.SetTopMost(true);
  window.Show();
  const HWND hwnd = HwndOf(window);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(200);

  auto shoot = [&] { return CaptureScreen(60 + 10, 60 + 10, 220, 24); };
  auto count = [&](const Capture& shot, COLORREF color, int fromX) {
    int n = 0;
    for (int y = 0; y < shot.height; ++y)
      for (int x = fromX; x < shot.width; ++x) n += shot.At(x, y) == color;
    return n;
  };
  const Capture before = shoot();
  const int area = 220 * 24;
  EXPECT_GT(count(before, RGB(255, 255, 255), 0), 40) << "the text is drawn";
  EXPECT_GT(count(before, picture, 0), area / 3) << "the picture shows through the label";
  EXPECT_EQ(count(before, back, 0), 0);

  // Every state the screen passes through while the change is painted, one dispatched message at a time.
  label.SetText(L"W");
  std::vector<Capture> states{shoot()};
  for (int quiet = 0; quiet < 20; Sleep(5)) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ++quiet;
      states.push_back(shoot());
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    states.push_back(shoot());
  }
  const Capture after = states.back();
  EXPECT_NE(after, before) << "the new text was painted";
  for (const Capture& state : states)
    EXPECT_TRUE(state == before || state == after) << "an erased or half-drawn state showed between the two texts";
  EXPECT_EQ(count(after, back, 0), 0);
  EXPECT_GT(count(after, RGB(255, 255, 255), 0), 5);
  // Right of the new, shorter text only the picture is left.
  EXPECT_EQ(count(after, picture, 40), 180 * 24);

  const Capture inBox = CaptureScreen(60 + 80, 60 + 50, 20, 10);
  EXPECT_EQ(inBox.At(10, 5), RGB(10, 200, 10)) << "the text box paints its back colour";
  window.Close();
}

// Runs the action on another thread once a window of the class and title shows; WM_QUIT ends the wait after 10 s.
class WhenShown {
public:
  WhenShown(const wchar_t* windowClass, std::wstring title, std::function<void(HWND)> action)
      : thread_([=, this, waiting = GetCurrentThreadId()] {
          for (int i = 0; i < 1000; ++i) {
            HWND hwnd = FindWindowW(windowClass, title.c_str());
            if (hwnd && IsWindowVisible(hwnd)) {
              found_ = true;
              Sleep(50);
              action(hwnd);
              return;
            }
            Sleep(10);
          }
          PostThreadMessageW(waiting, WM_QUIT, 0, 0);
        }) {}
  ~WhenShown() { thread_.join(); }
  bool Found() const { return found_; }

private:
  std::atomic<bool> found_{false};
  std::thread thread_;
};

// The answer of the call that shows the window, with the action taken once it shows.
template <class Call>
auto AnswerOf(const wchar_t* windowClass, const std::wstring& title, std::function<void(HWND)> action, Call&& call) {
  WhenShown when(windowClass, title, std::move(action));
  const auto answer = call();
  EXPECT_TRUE(when.Found()) << "the window never showed";
  return answer;
}

std::wstring ChildText(HWND dialog, const wchar_t* cls, int index = 0) {
  HWND child = nullptr;
  for (int i = 0; i <= index; ++i) child = FindWindowExW(dialog, child, cls, nullptr);
  return child ? TextOf(child) : L"<none>";
}

class UiWin32Dialogs : public ::testing::Test {
protected:
  void SetUp() override {
    testing::Reset();
    testing::SetScripted(false);
  }
  void TearDown() override { testing::Reset(); }
};

TEST_F(UiWin32Dialogs, MessageBoxShowsTheTextAndAnswersTheButton) {
  std::wstring seen;
  const int answer = AnswerOf(L"#32770", L"Velvane box", [&](HWND box) {
    seen = ChildText(box, L"Static", 1);  // the icon comes first
    PostMessageW(box, WM_COMMAND, IDNO, 0);
  }, [] { return MsgBox(L"Add \"note\" to the list?", kMbYesNo | kMbQuestion, L"Velvane box"); });
  EXPECT_EQ(answer, kAnswerNo);
  EXPECT_EQ(seen, L"Add \"note\" to the list?");
}

TEST_F(UiWin32Dialogs, InputBoxAnswersTheTypedTextOrNothing) {
  std::wstring prompt, initial;
  const auto ask = [] { return InputBox(L"Type the folder:", L"Screenshot folder", L"C:\\Shots"); };
  const auto typed = AnswerOf(L"VelvaneInputBox", L"Screenshot folder", [&](HWND box) {
    prompt = ChildText(box, L"Static");
    initial = ChildText(box, L"Edit");
    SetWindowTextW(FindWindowExW(box, nullptr, L"Edit", nullptr), L"D:\\Shots");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }, ask);
  EXPECT_EQ(prompt, L"Type the folder:");
  EXPECT_EQ(initial, L"C:\\Shots");
  EXPECT_EQ(typed, std::optional<std::wstring>(L"D:\\Shots"));
  EXPECT_EQ(AnswerOf(L"VelvaneInputBox", L"Screenshot folder", [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); }, ask),
            std::nullopt);
}

TEST_F(UiWin32Dialogs, SaveDialogLoadsItsLibraryOnlyWhenShown) {
  EXPECT_EQ(GetModuleHandleW(L"comdlg32.dll"), nullptr) << "nothing imports the common dialogs at start";
  FileDialogOptions options;
  options.title = L"Save the selection";
  options.filter = L"TXT - Text files|*.txt|All files|*.*";
  const auto cancel = [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); };
  EXPECT_EQ(AnswerOf(L"#32770", options.title, cancel, [&] { return ShowSaveDialog(options); }), std::nullopt);
  EXPECT_NE(GetModuleHandleW(L"comdlg32.dll"), nullptr);
}

TEST_F(UiWin32, ToolTipsAndKeysOfTheWindowItself) {
  Window window(Spec(200, 100));
  Label& row = window.AddLabel(L"lblClip(1)", {10, 10, 100, 17}, L"a long clipb...");
  row.SetToolTip(L"a long clipboard text");
  HWND tips = nullptr;
  for (HWND h = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); h;
       h = FindWindowExW(nullptr, h, L"tooltips_class32", nullptr))
    if (GetWindow(h, GW_OWNER) == HwndOf(window)) tips = h;
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
  row.SetToolTip(L"");
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 0);

  std::vector<int> released;
  window.onKeyUp = [&](const KeyEvent& key) { released.push_back(key.keyCode); };
  SendMessageW(HwndOf(window), WM_KEYUP, 'Q', 0xC0000001);
  SendMessageW(HwndOf(window), WM_SYSKEYUP, VK_MENU, 0xC0000001);
  EXPECT_EQ(released, (std::vector<int>{'Q', VK_MENU}));
}

}  // namespace
}  // namespace velvane::ui
