#include <gtest/gtest.h>

#include "lists/exec_list.h"
#include "lists/frm_add_exec.h"
#include "lists/frm_exec_list.h"
#include "lists_support.h"
#include "platform/test_hooks.h"

namespace velvane {
namespace {

class ListsLauncher : public test::ListsFixture {
protected:
  void SetUp() override {
    ListsFixture::SetUp();
    savedExec_ = std::move(gExec);
    gExec = std::make_unique<clsExec>();
    gExec->Bind(&txtExec, &lblAppName, &panel);
  }
  void TearDown() override {
    frmAddExec::Discard();
    frmExecList::Discard();
    gExec = std::move(savedExec_);
    ListsFixture::TearDown();
  }
  clsExec& Exec() { return *gExec; }
  void AddNumbered(int count) {
    for (int i = 1; i <= count; ++i) Exec().AddExec(L"C:\\p.exe", L"e" + std::to_wstring(i), L"Name " + std::to_wstring(i));
  }
  static std::wstring Setting(const std::wstring& section, const std::wstring& key) {
    return ReadSetting(clsExec::ExecFile(), section, key);
  }
  // exec.qdt with the given Total and entries E1 to E<sections>, then loaded.
  void Load(const std::string& total, int sections) {
    std::string text = "[INIT]\r\nTotal=" + total + "\r\n";
    for (int i = 1; i <= sections; ++i) {
      const std::string n = std::to_string(i);
      text += "[E" + n + "]\r\nName=Name " + n + "\r\nExec=e" + n + "\r\nPath=C:\\e" + n + ".exe\r\n";
    }
    test::WriteBytes(clsExec::ExecFile(), text);
    Exec().LoadExecs();
  }

  ui::TextBox& txtExec = panel.AddTextBox(L"txtExec", {12, 220, 145, 17});
  ui::Label& lblAppName = panel.AddLabel(L"lblAppName", {12, 244, 145, 17});

private:
  std::unique_ptr<clsExec> savedExec_;
};

TEST_F(ListsLauncher, MatchingIsACaseInsensitivePrefixAndTheFirstEntryWins) {
  Exec().AddExec(L"C:\\n2.exe", L"notepad2", L"Notepad 2");
  Exec().AddExec(L"C:\\n.exe", L"note", L"Note");
  const std::pair<const wchar_t*, int> cases[] = {
      {L"note", 1}, {L"NOTEPAD", 1}, {L"notepads", 0}, {L"note pad", 0}, {L"", 1}};
  for (const auto& [typed, entry] : cases) EXPECT_EQ(Exec().FindExec(typed), entry) << typed;

  for (const auto& [typed, shown] : {std::pair{L"NOTEP", L"Notepad 2"}, std::pair{L"", L""}}) {
    txtExec.SetText(typed);  // an empty box shows nothing, although "" matches
    Exec().UpdateExec();
    EXPECT_EQ(lblAppName.Text(), shown);
  }
}

// Total is rounded and kept within the capacity; a full list refuses the next entry with a box, file unchanged.
TEST_F(ListsLauncher, TotalIsRoundedAndKeptWithinTheCapacity) {
  Load("400", 301);
  EXPECT_EQ(Exec().ExecCount(), 300);
  EXPECT_EQ(Exec().Entry(300).Path, L"C:\\e300.exe");
  const std::string before = test::ReadBytes(clsExec::ExecFile());
  EXPECT_FALSE(Exec().AddExec(L"C:\\x.exe", L"x", L"X"));
  EXPECT_EQ(Exec().ExecCount(), 300);
  EXPECT_EQ(test::ReadBytes(clsExec::ExecFile()), before);
  EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"_main:execute|_exec:msglimit|" + std::to_wstring(ui::kMbCritical)});

  for (const char* total : {"-2", "letters", "2.5"}) {
    Load(total, 3);
    EXPECT_EQ(Exec().ExecCount(), std::string(total) == "2.5" ? 2 : 0) << total;
  }
  EXPECT_TRUE(Exec().Entry(3).Name.empty());  // a shorter load leaves nothing of the longer one
}

TEST_F(ListsLauncher, DeleteAndSaveRewritesTheFirstSectionsAndLeavesTheLastOne) {
  AddNumbered(5);
  Exec().DeleteExec(2);
  Exec().SaveExecs();
  EXPECT_EQ(Setting(L"INIT", L"Total"), L"4");
  EXPECT_EQ(Setting(L"E2", L"Exec"), L"e3");
  EXPECT_EQ(Setting(L"E4", L"Name"), L"Name 5");
  EXPECT_EQ(Setting(L"E5", L"Name"), L"Name 5");  // left over, ignored by the reader

  Exec().AddExec(L"C:\\x.exe", L"x", L"two\r\n[INIT]\r\nTotal=0");  // a break would start lines of its own
  EXPECT_EQ(Setting(L"INIT", L"Total"), L"5");
  EXPECT_EQ(Setting(L"E5", L"Name"), L"two [INIT] Total=0");
}

// A known name starts its command line unchanged; an unknown one asks whether to add it and opens the dialog with it.
TEST_F(ListsLauncher, RunningAKnownNameOrOfferingToAddAnUnknownOne) {
  platform::testing::StartedPrograms().clear();
  Exec().AddExec(L"notepad /A C:\\x.txt", L"notepad", L"Notepad");
  txtExec.SetText(L"NOTE");
  Exec().DoExec();
  EXPECT_EQ(platform::testing::StartedPrograms(), std::vector<std::wstring>{L"notepad /A C:\\x.txt"});
  EXPECT_TRUE(ui::testing::MessageLog().empty());

  panel.Show();
  std::wstring entry;
  txtExec.SetText(L"paint");
  ui::testing::PushMsgBoxAnswer(ui::kAnswerYes);
  Exec().DoExec(&entry);
  EXPECT_EQ(entry, L"paint");
  const int style = ui::kMbYesNo | ui::kMbExclamation;
  EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"_main:execute|_exec:msgadd|" + std::to_wstring(style)});
  EXPECT_TRUE(panel.Visible());
  ASSERT_NE(frmAddExec::Current(), nullptr);
  EXPECT_EQ(frmAddExec::Current()->txtEname->Text() + L"|" + frmAddExec::Current()->lblPath->Text(), L"paint|");

  frmAddExec::Discard();
  panel.Hide();  // No this time; and a hidden side bar is not shown by the question
  Exec().DoExec(&entry);
  EXPECT_EQ(frmAddExec::Current(), nullptr);
  EXPECT_FALSE(panel.Visible());
}

TEST_F(ListsLauncher, AddDialogOpensOnceAndWithoutSkinPicturesWhenTheSkinLacksThem) {
  frmAddExec& dialog = frmAddExec::ShowDialog();
  EXPECT_EQ(dialog.Form().ClientWidth(), 309) << "the frame comes on top of the client area";
  EXPECT_EQ(dialog.lblPath->Bounds(), (ui::Rect{4, 92, 301, 73}));  // twips / 15
  EXPECT_FALSE(dialog.imgTop->HasPicture() || dialog.imgDrop->HasPicture());
  EXPECT_EQ(&frmAddExec::ShowDialog(), &dialog);

  dialog.Form().Close();
  PutSkinBitmap(L"topbar_thick.bmp");
  EXPECT_EQ(frmAddExec::ShowDialog().imgTop->PicturePath(), SkinFolder() + L"\\topbar_thick.bmp");
}

TEST_F(ListsLauncher, AddNeedsAllThreeFieldsThenSavesAndCloses) {
  frmAddExec& dialog = frmAddExec::ShowDialog(L"ed");
  dialog.txtAppName->SetText(L"Editor");
  dialog.cmd[1]->onClick();  // no program chosen yet
  EXPECT_EQ(frmAddExec::Current(), &dialog);
  EXPECT_EQ(Exec().ExecCount(), 0);

  ui::testing::PushFileDialogAnswer(std::wstring(L"C:\\Tools\\app.exe"));
  dialog.cmd[0]->onClick();
  EXPECT_EQ(dialog.lblPath->Text(), L"C:\\Tools\\app.exe");
  ASSERT_EQ(ui::testing::FileDialogLog().size(), 1u);
  EXPECT_EQ(ui::testing::FileDialogLog()[0].filter, L"EXE - _ext:exe|*.exe|_ext:all|*.*");
  dialog.cmd[0]->onClick();  // cancelled: the path stays
  dialog.lblPath->onFilesDropped({L"C:\\ed.exe", L"C:\\other.exe"});
  EXPECT_EQ(dialog.lblPath->Text(), L"C:\\ed.exe");

  dialog.cmd[1]->onClick();
  EXPECT_EQ(frmAddExec::Current(), nullptr);
  EXPECT_EQ(Setting(L"E1", L"Exec") + L"|" + Setting(L"E1", L"Name") + L"|" + Setting(L"E1", L"Path"),
            L"ed|Editor|C:\\ed.exe");
  EXPECT_EQ(frmAddExec::ShowDialog().txtEname->Text(), L"");  // a new dialog starts empty
}

TEST_F(ListsLauncher, ListDeletesInMemoryUntilAccepted) {
  AddNumbered(3);
  Exec().AddExec(L"C:\\n.exe", L"NotePad", L"Notepad");
  frmExecList& list = frmExecList::ShowDialog();
  EXPECT_EQ(list.lst->Item(3), L"notepad - Notepad");
  list.cmd[0]->onClick();  // nothing selected
  EXPECT_EQ(Exec().ExecCount(), 4);

  list.lst->SetListIndex(1);
  list.cmd[0]->onClick();
  EXPECT_EQ(list.lst->Item(1), L"e3 - Name 3");
  EXPECT_EQ(list.lst->ListIndex(), -1);
  list.Form().Close();  // the close box keeps the deletion in memory only
  EXPECT_EQ(Exec().FindExec(L"e2"), 0);
  EXPECT_EQ(Setting(L"E2", L"Exec"), L"e2");

  frmExecList& again = frmExecList::ShowDialog();
  again.lst->SetListIndex(0);
  again.cmd[0]->onClick();
  again.cmd[1]->onClick();
  EXPECT_EQ(frmExecList::Current(), nullptr);
  EXPECT_EQ(Setting(L"INIT", L"Total") + L"|" + Setting(L"E1", L"Exec"), L"2|e3");
}

}  // namespace
}  // namespace velvane
