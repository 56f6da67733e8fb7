// The real first-run wizard, driven from outside with mouse clicks.
#include <memory>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

constexpr wchar_t kLanguageCaption[] = L"Choose your languaje";
constexpr wchar_t kCacheKey[] = L"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
constexpr DWORD kClickLimitMs = 3000;  // for the window to answer a click

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

// A left click at a point of the screen, through the system's input queue.
void ClickAt(POINT at) {
  SetCursorPos(at.x, at.y);
  Sleep(50);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  Sleep(60);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

void Click(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// The process that owns a window, opened to see its end later.
using ProcessHandle = std::unique_ptr<void, decltype(&CloseHandle)>;
ProcessHandle ProcessOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return {OpenProcess(SYNCHRONIZE, FALSE, id), &CloseHandle};
}
bool Ended(const ProcessHandle& process, DWORD ms) {
  return process && WaitForSingleObject(process.get(), ms) == WAIT_OBJECT_0;
}

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
  for (const auto& [path, name] : {std::pair{L"C:\\windows\\notepad.exe", L"Notepad"},
                                   std::pair{L"@shell32.dll,-8964", L"Resource"},
                                   std::pair{L"C:\\windows\\system32\\calc.exe", L"Calculator"}})
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kCacheKey, path, REG_SZ, name,
                              static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  Process velvane = Process::Start(installation_.Program(), L"", installation_.Folder());
  ASSERT_TRUE(velvane);
  EXPECT_TRUE(velvane.WaitForExit(kHandOffLimitMs));
  EXPECT_EQ(velvane.ExitCode(), 0u);
  const HWND language = WaitForWindow(kLanguageCaption);
  ASSERT_NE(language, nullptr) << "no language window";
  EXPECT_EQ(FindSideBar(), nullptr);
  const ProcessHandle wizard = ProcessOf(language);
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
    ASSERT_TRUE(WaitUntil([&] { return (box = TopWindow(WindowText(pages), L"#32770")) != nullptr; },
                          kClickLimitMs));
    std::wstring message;
    for (HWND child : ChildWindows(box))
      if (ClassName(child) == L"Static" && WindowText(child).size() > message.size()) message = WindowText(child);
    EXPECT_NE(message.find(L" 2 "), std::wstring::npos) << Utf8(message);
    Click(Child(box, L"Button", L"OK"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kClickLimitMs));
    wchar_t total[8] = {}, first[MAX_PATH] = {};
    GetPrivateProfileStringW(L"INIT", L"Total", L"", total, 8, installation_.DataFile(L"exec.qdt").c_str());
    GetPrivateProfileStringW(L"E1", L"Exec", L"", first, MAX_PATH, installation_.DataFile(L"exec.qdt").c_str());
    EXPECT_EQ(std::wstring(total) + L" " + first, L"2 notepad");
  }
  Click(next);  // Finish
  EXPECT_TRUE(Ended(wizard, kCloseLimitMs));
  EXPECT_EQ(installation_.Setting(L"INIT", L"FirstTime"), L"1");
  HWND bar = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (bar = FindSideBar()) != nullptr; }, kStartLimitMs)) << "no side bar";
  const ProcessHandle sideBar = ProcessOf(bar);
  PostMessageW(bar, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Ended(sideBar, kCloseLimitMs));
}

}  // namespace
}  // namespace blackbox
