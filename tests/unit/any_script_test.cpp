// Text in any script through every store of the side bar. A text that fits Windows-1252 keeps the bytes of earlier
// versions; any other takes its marked Unicode form (UTF-8 in text files, UTF-16LE in profile files) and comes back
// whole after a reload.
#include "core/notes.h"
#include "core/screenshot.h"
#include "platform/test_hooks.h"
#include "unit/sidebar_support.h"

namespace velvane {
namespace {

class AnyScript : public test::SideBarInstallation {
protected:
  struct Form {
    std::wstring text;
    std::string mark, body;  // its bytes in a text file
    bool Fits1252() const { return mark.empty(); }
    std::string Bytes() const { return mark + body; }
  };
  const Form forms_[2] = {{test::kSpanish, "", test::kSpanishBytes}, {test::kWorld, test::kUtf8Mark, test::kWorldUtf8}};
  static std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }
};

TEST_F(AnyScript, ListsNotesLauncherAndScreenshotFolderKeepTheText) {
  Start("[CHK]\r\nChk2=1\r\nChk3=1\r\nChk4=1\r\n");
  for (const Form& form : forms_) {
    SCOPED_TRACE(form.Fits1252() ? "1252" : "Unicode");
    const std::wstring folder = dir_.Path() + L"\\" + form.text;  // the file and folder names take the text too
    const std::wstring parked = folder + L"\\" + form.text + L".txt";
    test::WriteBytes(parked, "x");
    test::WriteBytes(folder + L"\\run.exe", "x");
    gToDo->AddToDo(form.text);
    MainForm().txtNotes().SetText(form.text);
    gTempFiles->DelFile(1);
    ASSERT_TRUE(gTempFiles->AddFile(parked, false));
    ASSERT_TRUE(gExec->AddExec(L"\"" + folder + L"\\run.exe\" " + form.text, L"run", form.text));
    WriteSetting(ConfigFile(), L"PATH", L"Screens", folder);
    WriteSetting(ConfigFile(), L"TXT", L"Txt0", form.text);
    WriteSetting(ConfigFile(), L"TXT", L"Txt1", L"7");
    SaveAll();

    EXPECT_EQ(test::ReadBytes(clsToDo::FilePath()).substr(0, form.Bytes().size() + 1), form.Bytes() + "\r");
    EXPECT_EQ(test::ReadBytes(NotesFile()), form.Bytes() + "\r\n");
    EXPECT_EQ(test::ReadBytes(clsTempFiles::ShelfFile()),
              form.mark + Ascii(dir_.Path()) + "\\" + form.body + "\\" + form.body + ".txt\r[END]\r\n");
    for (const std::wstring& profile : {clsExec::ExecFile(), ConfigFile()})
      EXPECT_EQ(test::ReadBytes(profile).substr(0, 2) == "\xFF\xFE", !form.Fits1252()) << Ascii(profile);
    if (form.Fits1252()) {
      EXPECT_NE(test::ReadBytes(clsExec::ExecFile()).find("Name=" + form.body + "\r\n"), std::string::npos);
    }

    gToDo->DelToDo(1);
    MainForm().txtNotes().SetText(L"");
    gToDo->LoadList(true);
    LoadNotes(true);
    gTempFiles->LoadList(true);
    gExec->LoadExecs();
    LoadConfig(false);
    EXPECT_EQ(gToDo->Item(1), form.text);
    EXPECT_EQ(MainForm().txtNotes().Text(), form.text);
    platform::testing::OpenedPaths().clear();
    gTempFiles->ExecTempFile(1);
    EXPECT_EQ(platform::testing::OpenedPaths(), std::vector<std::wstring>{parked});
    platform::testing::StartedPrograms().clear();
    std::wstring name = L"run";
    gExec->DoExec(&name);
    EXPECT_EQ(platform::testing::StartedPrograms(),
              std::vector<std::wstring>{L"\"" + folder + L"\\run.exe\" " + form.text});
    EXPECT_EQ(gExec->Entry(gExec->ExecCount()).Name, form.text);
    std::uint8_t kind = clsScreenshot::kScreen;
    gScreenshot->TakeScreenshot(kind);
    EXPECT_TRUE(test::Exists(folder + L"\\" + form.text + L"7.bmp"));
    gExec->DeleteExec(1);
  }
}

// The notes' selection saved to a file of the user's choice, and a language folder dropped in with its file in
// Windows-1252 or in UTF-8 with its mark.
TEST_F(AnyScript, SavedSelectionAndLanguageFiles) {
  for (const Form& form : forms_) {
    SCOPED_TRACE(form.Fits1252() ? "1252" : "Unicode");
    Configure("");
    WriteSetting(ConfigFile(), L"LANG", L"Active", form.text);
    test::WriteBytes(LangDir + form.text + L"\\velvane.txt", form.mark + "_main:clipboard=" + form.body + "\r\n[END]\r\n");
    ASSERT_EQ(Main(L"", dir_.Path()), StartupResult::Run);
    EXPECT_EQ(MainForm().lbl(0).Text(), form.text);

    ui::TextBox& notes = MainForm().txtNotes();
    notes.SetText(L"<" + form.text + L">");
    notes.SetSelection(1, static_cast<int>(form.text.size()));
    const std::wstring chosen = dir_.Path() + L"\\" + form.text + L".txt";
    ui::testing::PushFileDialogAnswer(chosen);
    ASSERT_TRUE(SaveNotesSelection(notes));
    EXPECT_EQ(test::ReadBytes(chosen), form.Bytes() + "\r\n");
    EXPECT_EQ(notes.Text(), L"<>");
    Stop();
  }
}

}  // namespace
}  // namespace velvane
