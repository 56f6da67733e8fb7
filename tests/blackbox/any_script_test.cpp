// An installation in a folder named with Cyrillic letters and a blank, with a Cyrillic translation dropped in: it
// starts in that language, keeps the Cyrillic and Chinese that second starts hand over across a restart, opens a
// parked file with a Chinese name after a restart, and its Run value names its real path.
#include "blackbox/harness.h"

namespace blackbox {
namespace {

const std::wstring kRussian = L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439";       // the language folder
const std::wstring kClipboard = L"\u0411\u0443\u0444\u0435\u0440 \u043E\u0431\u043C\u0435\u043D\u0430";
const std::wstring kCyrillic = L"\u041F\u0440\u0438\u0432\u0435\u0442 \u0141\u00F3d\u017A";
const std::wstring kChinese = L"\u4E2D\u6587 \U0001F600";
const std::wstring kParked = L"\u4E2D\u6587 \u6587\u4EF6";  // a file's name
const std::string kUtf8Mark = "\xEF\xBB\xBF";

class AnyScript : public BlackBoxTest {
protected:
  AnyScript() : BlackBoxTest(L" \u0418\u0432\u0430\u043D \u041F\u0435\u0442\u0440\u043E\u0432") {}
};

TEST_F(AnyScript, InstalledUnderACyrillicNameKeepsHandedOverTextAndParkedFiles) {
  // An entry of an earlier place of the installation: the start names its own.
  const wchar_t moved[] = L"\"C:\\old\\velvane.exe\"";
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Velvane", REG_SZ, moved, sizeof moved);
  // The shipped configuration in UTF-16LE, the form in which the system's profile functions keep any script.
  const std::wstring config = FromCodePage(ReadBytes(installation_.ConfigFile()).value_or(""), 1252);
  ASSERT_TRUE(WriteBytes(installation_.ConfigFile(),
                         "\xFF\xFE" + std::string(reinterpret_cast<const char*>(config.data()), 2 * config.size())));
  installation_.Configure({.language = kRussian});
  ASSERT_TRUE(CreateDirectoryW(installation_.Path(L"lang\\" + kRussian).c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(installation_.Path(L"lang\\" + kRussian + L"\\velvane.txt"),
                         kUtf8Mark + "_main:clipboard=" + Utf8(kClipboard) + "\r\n[END]\r\n"));
  const std::wstring parked = installation_.Path(kParked + L".cmd");
  ASSERT_TRUE(WriteBytes(parked, "@echo opened> \"%~dp0opened.txt\"\r\n"));
  const std::string shelf = kUtf8Mark + Utf8(parked) + "\r[END]\r\n";
  ASSERT_TRUE(WriteBytes(installation_.DataFile(L"tempfiles.qdt"), shelf));
  {
    SideBar bar(installation_, L"-show");
    ASSERT_TRUE(bar.Started());
    // Shown by its own command, which runs once the start is complete, the Run value refreshed before it.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(bar.Window()) != FALSE; }, kHandOffLimitMs));
    EXPECT_NE(ChildByText(bar.Window(), kClipboard), nullptr) << DescribeWindowsOf(bar.ProcessId());
    EXPECT_TRUE(RunValueNames(installation_.Program()));
    for (const std::wstring& item : {kCyrillic, kChinese}) ASSERT_TRUE(bar.HandOver(L"-addtodo " + item));
    ASSERT_TRUE(bar.HandOver(L"-hide"));
    EXPECT_EQ(installation_.DataBytes(L"todo.qdt"),
              kUtf8Mark + Utf8(kChinese) + "\r" + Utf8(kCyrillic) + "\r[END]\r\n");
    EXPECT_EQ(installation_.DataBytes(L"tempfiles.qdt"), shelf);
    EXPECT_TRUE(bar.Close());
  }
  SideBar bar(installation_, L"-show");
  ASSERT_TRUE(bar.Started());
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(bar.Window()) != FALSE; }, kHandOffLimitMs));
  const HWND list = ChildAt(bar.Window(), L"ListBox", 358, 30, 186, 146);
  ASSERT_NE(list, nullptr) << "no to-do list";
  EXPECT_EQ(ListBoxItems(list), (std::vector<std::wstring>{kChinese, kCyrillic}));
  const HWND row = ChildByText(bar.Window(), L"CMD - " + kParked);
  ASSERT_NE(row, nullptr) << DescribeWindowsOf(bar.ProcessId());
  Click(row);
  EXPECT_TRUE(WaitUntil([&] { return FileExists(installation_.Path(L"opened.txt")); }, kWindowLimitMs));
}

}  // namespace
}  // namespace blackbox
