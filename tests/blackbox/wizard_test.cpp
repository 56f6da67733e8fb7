// The real first-run wizard, driven from outside with mouse clicks.
#include <memory>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

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
  std::wstring Text(const std::wstring& key) const {
    return installation_.Text(key.c_str(), L"spanish", L"primewiz.txt");
  }
  static HWND WaitForTopWindow(const std::wstring& caption) {
    const HWND w = WaitForWindow([&] { return TopWindow(caption); }, kStartLimitMs);
    Sleep(300);  // the window takes clicks once it has been drawn
    return w;
  }
};

// velvane.exe's first start opens the wizard and ends; a language is chosen, the pages walked through, and Finish
// marks the first run done and starts the side bar.
TEST_F(RealWizard, ChooseLanguageWalkThePagesAndFinish) {
  Process velvane = Process::Start(installation_, L"");
  ASSERT_TRUE(velvane);
  EXPECT_TRUE(velvane.WaitForExit(kHandOffLimitMs));
  EXPECT_EQ(velvane.ExitCode(), 0u);
  const HWND language = WaitForTopWindow(L"Choose your languaje");
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
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == 1; }, kWindowLimitMs));
  Click(ChildByText(language, L"OK", L"BUTTON"));

  const HWND pages = WaitForTopWindow(Text(L"_title"));
  ASSERT_NE(pages, nullptr) << "no page window";
  EXPECT_EQ(installation_.Setting(L"LANG", L"Active"), L"spanish");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(language); }, kWindowLimitMs)) << "the language window stays";
  const HWND next = ChildAt(pages, L"BUTTON", 408, 376, 93, 21);
  ASSERT_NE(next, nullptr);
  for (int page = 2; page <= 9; ++page) {
    const std::wstring title = Text(L"_t:0" + std::to_wstring(page));
    Click(next);
    ASSERT_TRUE(WaitUntil([&] { return ChildByText(pages, title, L"VelvaneLabel") != nullptr; }, kWindowLimitMs))
        << "page " << page << ": the title did not become " << Utf8(title);
  }
  // The title changes before the buttons: the caption is waited for, not read at once.
  EXPECT_TRUE(WaitUntil([&] { return WindowText(next) == Text(L"_btn:finish"); }, kWindowLimitMs)) << Utf8(WindowText(next));
  Click(next);
  EXPECT_TRUE(Ended(wizard, kCloseLimitMs));
  EXPECT_EQ(installation_.Setting(L"INIT", L"FirstTime"), L"1");
  const HWND bar = WaitForWindow([] { return FindSideBar(); }, kStartLimitMs);
  ASSERT_NE(bar, nullptr) << "no side bar";
  const ProcessHandle sideBar = ProcessOf(bar);
  PostMessageW(bar, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Ended(sideBar, kCloseLimitMs));
}

}  // namespace
}  // namespace blackbox
