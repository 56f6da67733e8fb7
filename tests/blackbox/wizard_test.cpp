// The real first-run wizard, driven from outside with mouse clicks: velvane.exe's first start opens it, a language
// is chosen, the pages are walked through, the program search reads a prepared cache, and Finish starts the side bar.
#include "blackbox/harness.h"

namespace blackbox {
namespace {

constexpr wchar_t kLanguageCaption[] = L"Choose your languaje";
constexpr wchar_t kCacheKey[] = L"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
// A click waits this long for the window to answer (a page change, a message box).
constexpr DWORD kClickLimitMs = 3000;

constexpr wchar_t kMessageBoxClass[] = L"#32770";

// A visible top-level window with this caption (and class, when given); nullptr when there is none.
HWND TopWindow(const std::wstring& caption, const wchar_t* className = nullptr) {
  const HWND w = FindWindowW(className, caption.c_str());
  return w && IsWindowVisible(w) ? w : nullptr;
}

HWND Child(HWND parent, const wchar_t* className, const std::wstring& text) {
  for (HWND child : ChildWindows(parent))  // classes compared as the system does, without case
    if (lstrcmpiW(ClassName(child).c_str(), className) == 0 && WindowText(child) == text) return child;
  return nullptr;
}

// A left click at a point of the screen, through the system's input queue as a user's would come.
void ClickAt(POINT at) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dx = input[1].mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input[0].mi.dy = input[1].mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  SendInput(1, &input[0], sizeof(INPUT));
  Sleep(60);
  SendInput(1, &input[1], sizeof(INPUT));
}

void Click(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// The process that owns a window, opened to wait for its end.
class WindowProcess {
public:
  explicit WindowProcess(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    handle_ = OpenProcess(SYNCHRONIZE, FALSE, id);
  }
  ~WindowProcess() {
    if (handle_) CloseHandle(handle_);
  }
  WindowProcess(const WindowProcess&) = delete;
  WindowProcess& operator=(const WindowProcess&) = delete;
  bool WaitForExit(DWORD ms) const { return handle_ && WaitForSingleObject(handle_, ms) == WAIT_OBJECT_0; }

private:
  HANDLE handle_ = nullptr;
};

class RealWizard : public BlackBoxTest {
protected:
  void SetUp() override {
    BlackBoxTest::SetUp();
    installation_.SetSetting(L"INIT", L"FirstTime", L"0");
    installation_.SetSetting(L"LANG", L"Options", L"2");
    installation_.SetSetting(L"LANG", L"Op1", L"English|english");
    installation_.SetSetting(L"LANG", L"Op2", L"Espa\u00f1ol|spanish");
  }
  void TearDown() override {
    RegDeleteKeyW(HKEY_CURRENT_USER, kCacheKey);
    BlackBoxTest::TearDown();
  }
  std::wstring Text(const wchar_t* language, const wchar_t* key) const {
    return LanguageText(installation_.Path(L"lang\\") + language + L"\\primewiz.txt", key).value_or(L"?");
  }
  HWND WaitForWindow(const std::wstring& caption) const {
    HWND w = nullptr;
    WaitUntil([&] { return (w = TopWindow(caption)) != nullptr; }, kStartLimitMs, 20);
    Sleep(300);  // the window takes clicks once it has been drawn
    return w;
  }
};

// velvane.exe's first start opens the wizard and ends; a language is chosen, the pages walked through, the search
// run over a prepared cache, and Finish marks the first run done and starts the side bar.
TEST_F(RealWizard, ChooseLanguageWalkThePagesSearchAndFinish) {
  HKEY cache = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kCacheKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &cache, nullptr),
            ERROR_SUCCESS);
  const auto put = [&](const wchar_t* name, const wchar_t* data) {
    RegSetValueExW(cache, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                   static_cast<DWORD>((wcslen(data) + 1) * sizeof(wchar_t)));
  };
  put(L"C:\\windows\\notepad.exe", L"Notepad");
  put(L"@shell32.dll,-8964", L"Resource");
  put(L"C:\\windows\\system32\\calc.exe", L"Calculator");
  RegCloseKey(cache);

  Process velvane = Process::Start(installation_.Program(), L"", installation_.Folder());
  ASSERT_TRUE(velvane);
  EXPECT_TRUE(velvane.WaitForExit(kHandOffLimitMs));
  const HWND language = WaitForWindow(kLanguageCaption);
  ASSERT_NE(language, nullptr) << "no language window";
  EXPECT_EQ(FindSideBar(), nullptr);
  WindowProcess wizard(language);
  const HWND list = ChildAt(language, L"LISTBOX", 4, 4, 169, 167);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ListBoxItems(list), (std::vector<std::wstring>{L"English", L"Espa\u00f1ol"}));
  RECT item{};
  SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ClientToScreen(list, &at);
  ClickAt(at);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == 1; }, kClickLimitMs));
  Click(Child(language, L"BUTTON", L"OK"));

  const HWND pages = WaitForWindow(Text(L"spanish", L"_title"));
  ASSERT_NE(pages, nullptr) << "no page window";
  EXPECT_EQ(installation_.Setting(L"LANG", L"Active"), L"spanish");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(language); }, kClickLimitMs)) << "the language window stays";
  const HWND next = ChildAt(pages, L"BUTTON", 408, 376, 93, 21);
  const HWND previous = Child(pages, L"BUTTON", Text(L"spanish", L"_btn:prev"));
  const HWND search = Child(pages, L"BUTTON", Text(L"spanish", L"_btn:doexecsearch"));
  ASSERT_TRUE(next && previous && search);
  for (int page = 1; page <= 9; ++page) {
    SCOPED_TRACE(page);
    const std::wstring title = Text(L"spanish", (L"_t:0" + std::to_wstring(page)).c_str());
    if (page > 1) {
      Click(next);
      ASSERT_TRUE(WaitUntil([&] { return Child(pages, L"VelvaneLabel", title) != nullptr; }, kClickLimitMs))
          << "the title did not become " << Utf8(title);
    }
    EXPECT_NE(Child(pages, L"VelvaneLabel", title), nullptr);
    EXPECT_EQ(IsWindowEnabled(previous) != FALSE, page > 1);
    EXPECT_EQ(IsWindowVisible(search) != FALSE, page == 6);
    EXPECT_EQ(WindowText(next), Text(L"spanish", page == 9 ? L"_btn:finish" : L"_btn:next"));
    if (page != 6) continue;
    Click(search);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = TopWindow(WindowText(pages), kMessageBoxClass)) != nullptr; },
                          kClickLimitMs));
    std::wstring message;
    for (HWND child : ChildWindows(box))
      if (ClassName(child) == L"Static" && WindowText(child).size() > message.size()) message = WindowText(child);
    EXPECT_NE(message.find(L" 2 "), std::wstring::npos) << Utf8(message);
    Click(Child(box, L"Button", L"OK"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kClickLimitMs));
    const std::wstring exec = installation_.DataFile(L"exec.qdt");
    wchar_t value[MAX_PATH] = {};
    GetPrivateProfileStringW(L"INIT", L"Total", L"", value, MAX_PATH, exec.c_str());
    EXPECT_STREQ(value, L"2");
    GetPrivateProfileStringW(L"E1", L"Exec", L"", value, MAX_PATH, exec.c_str());
    EXPECT_STREQ(value, L"notepad");
  }
  Click(next);  // Finish
  EXPECT_TRUE(wizard.WaitForExit(kCloseLimitMs));
  EXPECT_EQ(installation_.Setting(L"INIT", L"FirstTime"), L"1");
  HWND bar = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (bar = FindSideBar()) != nullptr; }, kStartLimitMs)) << "no side bar";
  WindowProcess sideBar(bar);
  PostMessageW(bar, WM_CLOSE, 0, 0);
  EXPECT_TRUE(sideBar.WaitForExit(kCloseLimitMs));
}

}  // namespace
}  // namespace blackbox
