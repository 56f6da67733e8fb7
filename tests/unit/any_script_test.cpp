// Text in any script through every store of the side bar. A text that fits Windows-1252 keeps the bytes of earlier
// versions; any other takes its marked Unicode form (UTF-8 in text files, UTF-16LE in profile files) and comes back
// whole after a reload. File, folder and language names take the text too. (The notes' selection moved to a file is
// written as the notes are.)
#include "core/notes.h"
#include "core/screenshot.h"
#include "unit/sidebar_support.h"

namespace velvane {
namespace {

using AnyScript = test::SideBarInstallation;

TEST_F(AnyScript, EveryStoreKeepsTheText) {
  const std::tuple<std::wstring, std::string, std::string> forms[] = {  // a text, its mark and bytes in a text file
      {test::kSpanish, "", test::kSpanishBytes}, {test::kWorld, test::kUtf8Mark, test::kWorldUtf8}};
  for (const auto& [text, mark, body] : forms) {
    SCOPED_TRACE(mark.empty() ? "1252" : "Unicode");
    const std::string bytes = mark + body;
    const std::wstring folder = dir_.Path() + L"\\" + text, parked = folder + L"\\" + text + L".txt";
    std::filesystem::remove_all(test::Native(DataDir));
    const std::wstring config = L"[INIT]\r\nFirstTime=1\r\n[LANG]\r\nActive=" + text + L"\r\n[XTRA]\r\nSkin=Test\r\n[CHK]\r\n"
                                L"Chk2=1\r\nChk3=1\r\nChk4=1\r\n[TXT]\r\nTxt0=" + text + L"\r\nTxt1=7\r\n[PATH]\r\nScreens=" + folder;
    test::WriteBytes(ConfigFile(), platform::codec::EncodeStored(config, platform::codec::UnicodeForm::Utf16Le));
    test::WriteBytes(LangDir + text + L"\\velvane.txt", mark + "_main:clipboard=" + body + "\r\n");
    test::WriteBytes(parked, "x");
    ASSERT_EQ(StartOn(L"-addtodo " + text), StartupResult::Run);
    EXPECT_EQ(Bar().lbl(0).Text(), text);
    Bar().txtNotes().SetText(text);
    ASSERT_TRUE(App().shelf.AddFile(parked, false));
    ASSERT_TRUE(App().exec.AddExec(L"\"" + folder + L"\\run.exe\" " + text, L"run", text));
    ASSERT_TRUE(SaveAll(App()));
    const DataStore& store = App().store;
    EXPECT_EQ(test::ReadBytes(store.toDo.Path()), bytes + "\r[END]\r\n");
    EXPECT_EQ(test::ReadBytes(store.notes.Path()), bytes + "\r\n");
    const std::string ascii(dir_.Path().begin(), dir_.Path().end());
    EXPECT_EQ(test::ReadBytes(store.shelf.Path()),
              mark + ascii + "\\" + body + "\\" + body + ".txt\r[END]\r\n");
    // exec.qdt's and config.qdt's bytes in either form: the launcher's and the settings store's tests.

    Stop();
    ASSERT_EQ(StartOn(L""), StartupResult::Run);
    EXPECT_EQ(App().toDo.Item(1) + L"|" + Bar().txtNotes().Text() + L"|" + App().shelf.FilePath(1),
              text + L"|" + text + L"|" + parked);
    EXPECT_EQ(App().exec.Entry(1).Name + L"|" + App().exec.Entry(1).Path,
              text + L"|\"" + folder + L"\\run.exe\" " + text);
    EXPECT_TRUE(App().screenshot.TakeScreenshot(Set(), App().store.config, clsScreenshot::kScreen).saved);
    EXPECT_TRUE(test::Exists(folder + L"\\" + text + L"7.bmp"));
    Stop();
  }
}

}  // namespace
}  // namespace velvane
