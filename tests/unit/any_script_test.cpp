// Text in any script through every store of the side bar. A text that fits Windows-1252 keeps the bytes of earlier
// versions; any other takes its marked Unicode form (UTF-8 in text files, UTF-16LE in profile files) and comes back
// whole after a reload. File, folder and language names take the text too.
#include "core/notes.h"
#include "core/screenshot.h"
#include "unit/sidebar_support.h"

namespace velvane {
namespace {

using AnyScript = test::SideBarInstallation;

TEST_F(AnyScript, EveryStoreKeepsTheText) {
  struct Form {
    std::wstring text;
    std::string mark, body;  // its bytes in a text file
  };
  const Form forms[] = {{test::kSpanish, "", test::kSpanishBytes}, {test::kWorld, test::kUtf8Mark, test::kWorldUtf8}};
  for (const Form& form : forms) {
    SCOPED_TRACE(form.mark.empty() ? "1252" : "Unicode");
    const std::string bytes = form.mark + form.body;
    const std::wstring folder = dir_.Path() + L"\\" + form.text, parked = folder + L"\\" + form.text + L".txt";
    std::filesystem::remove_all(test::Native(DataDir));
    Configure("[CHK]\r\nChk2=1\r\nChk3=1\r\nChk4=1\r\n[TXT]\r\nTxt1=7\r\n");
    WriteSetting(ConfigFile(), L"LANG", L"Active", form.text);
    WriteSetting(ConfigFile(), L"PATH", L"Screens", folder);
    WriteSetting(ConfigFile(), L"TXT", L"Txt0", form.text);
    test::WriteBytes(LangDir + form.text + L"\\velvane.txt", form.mark + "_main:clipboard=" + form.body + "\r\n");
    test::WriteBytes(parked, "x");
    ASSERT_EQ(StartOn(L"-addtodo " + form.text), StartupResult::Run);
    EXPECT_EQ(Bar().lbl(0).Text(), form.text);
    Bar().txtNotes().SetText(form.text);
    ASSERT_TRUE(App().tempFiles.AddFile(parked, false));
    ASSERT_TRUE(App().exec.AddExec(L"\"" + folder + L"\\run.exe\" " + form.text, L"run", form.text));
    ASSERT_TRUE(SaveAll(App()));
    EXPECT_EQ(test::ReadBytes(clsToDo::FilePath()), bytes + "\r[END]\r\n");
    EXPECT_EQ(test::ReadBytes(NotesFile()), bytes + "\r\n");
    const std::string ascii(dir_.Path().begin(), dir_.Path().end());
    EXPECT_EQ(test::ReadBytes(clsTempFiles::ShelfFile()),
              form.mark + ascii + "\\" + form.body + "\\" + form.body + ".txt\r[END]\r\n");
    for (const std::wstring& profile : {clsExec::ExecFile(), ConfigFile()})
      EXPECT_EQ(test::ReadBytes(profile).starts_with("\xFF\xFE"), !form.mark.empty());
    const std::string exec = test::ReadBytes(clsExec::ExecFile());
    EXPECT_EQ(exec.find("Name=" + form.body + "\r\n") != std::string::npos, form.mark.empty());

    Stop();
    ASSERT_EQ(StartOn(L""), StartupResult::Run);
    EXPECT_EQ(App().toDo.Item(1) + L"|" + Bar().txtNotes().Text() + L"|" + App().tempFiles.FilePath(1),
              form.text + L"|" + form.text + L"|" + parked);
    EXPECT_EQ(App().exec.Entry(1).Name + L"|" + App().exec.Entry(1).Path,
              form.text + L"|\"" + folder + L"\\run.exe\" " + form.text);
    std::uint8_t kind = clsScreenshot::kScreen;
    EXPECT_TRUE(App().screenshot.TakeScreenshot(Set(), kind));
    EXPECT_TRUE(test::Exists(folder + L"\\" + form.text + L"7.bmp"));
    // The notes' selection saved to a file of the user's choice.
    ui::TextBox& notes = Bar().txtNotes();
    notes.SetSelection(0, static_cast<int>(form.text.size()));
    ui::testing::PushFileDialogAnswer(folder + L"\\saved.txt");
    ASSERT_TRUE(SaveNotesSelection(App().lang, Set().DefaultDir, notes));
    EXPECT_EQ(test::ReadBytes(folder + L"\\saved.txt"), bytes + "\r\n");
    Stop();
  }
}

}  // namespace
}  // namespace velvane
