// The side bar's launcher with its two dialogs, and the clipboard history.
#include <chrono>

#include "lists/clipboard_history.h"
#include "lists/exec_list.h"
#include "dialogs/frm_add_exec.h"
#include "dialogs/frm_exec_list.h"
#include "lists_support.h"
#include "platform/clipboard_testing.h"
#include "platform/scripted/test_hooks.h"
#include "sidebar/list_rows.h"

namespace velvane {
namespace {

class ListsLauncher : public test::ListsFixture {
protected:
  ~ListsLauncher() override { frmAddExec::Discard(), frmExecList::Discard(); }
  clsExec& Exec() { return app.exec; }
  std::wstring Setting(const std::wstring& section, const std::wstring& key) const {
    return test::Setting(app.store.exec.Path(), section, key);
  }
  void Load(const std::string& total, int sections) {
    std::string text = "[INIT]\r\nTotal=" + total + "\r\n";
    for (int i = 1; i <= sections; ++i) {
      const std::string n = std::to_string(i);
      text += "[E" + n + "]\r\nName=Name " + n + "\r\nExec=e" + n + "\r\nPath=C:\\e" + n + ".exe\r\n";
    }
    test::WriteBytes(app.store.exec.Path(), text);
    Exec().LoadExecs();
  }
};

// Typed names match a case-insensitive prefix, the first entry winning; a known name starts its command line unchanged.
TEST_F(ListsLauncher, MatchingAndStartingAKnownName) {
  for (const auto& [path, name] : {std::pair{L"C:\\n2.exe", L"notepad2"}, {L"C:\\n.exe", L"note"}, {L"write /A C:\\x.txt", L"wordpad"},
                                    {L"C:\\b.exe", L"\u0436\u0443\u043A"}})
    ASSERT_TRUE(Exec().AddExec(path, name, name == std::wstring(L"notepad2") ? L"Notepad 2" : L"x"));
  const std::pair<const wchar_t*, int> cases[] = {
      {L"note", 1}, {L"NOTEPAD", 1}, {L"notepads", 0}, {L"note pad", 0}, {L"", 1}, {L"\u0416\u0423\u041A", 4}};
  for (const auto& [typed, entry] : cases) EXPECT_EQ(Exec().FindExec(typed), entry) << typed;
  for (const auto& [typed, shown] : {std::pair{L"NOTEP", L"Notepad 2"}, std::pair{L"", L""}})
    EXPECT_EQ(Exec().UpdateExec(typed), shown);  // an empty box shows nothing, although "" matches

  platform::testing::StartedPrograms().clear();
  EXPECT_TRUE(Exec().DoExec(L"WORD"));
  EXPECT_EQ(platform::testing::StartedPrograms(), std::vector<std::wstring>{L"write /A C:\\x.txt"});
  EXPECT_TRUE(ui::testing::MessageLog().empty());
}

// Total is rounded and kept within the capacity; a full list refuses the next entry, file unchanged, and the add
// dialog says so.
TEST_F(ListsLauncher, TotalIsRoundedAndKeptWithinTheCapacity) {
  Load("400", 301);
  EXPECT_EQ(std::to_wstring(Exec().ExecCount()) + L"|" + Exec().Entry(300).Path, L"300|C:\\e300.exe");
  const std::string before = test::ReadBytes(app.store.exec.Path());
  EXPECT_TRUE(Exec().IsFull() && Exec().AddExec(L"C:\\x.exe", L"x", L"X"));
  EXPECT_EQ(test::ReadBytes(app.store.exec.Path()), before);
  frmAddExec& dialog = frmAddExec::ShowDialog(app, L"x");
  dialog.lblPath->SetText(L"C:\\x.exe");
  dialog.txtAppName->SetText(L"X");
  dialog.cmd[1]->onClick();
  EXPECT_EQ(Exec().ExecCount(), 300) << "neither the call nor the dialog added it";
  EXPECT_EQ(test::Boxes(),
            std::vector<std::wstring>{L"_main:execute|_exec:msglimit|" + std::to_wstring(ui::kMbCritical)});

  for (const char* total : {"-2", "letters", "2.5"}) {
    Load(total, 3);
    EXPECT_EQ(Exec().ExecCount(), std::string(total) == "2.5" ? 2 : 0) << total;
  }
  EXPECT_TRUE(Exec().Entry(3).Name.empty());  // a shorter load leaves nothing of the longer one
}

// A save rewrites Total and the entries' keys in place and keeps the rest (the sections beyond Total too), in one
// write whose bytes are those of the earlier key-by-key writer: Windows-1252 where it holds the text, else UTF-16LE.
TEST_F(ListsLauncher, DeleteAndSaveRewriteTheKeysInPlaceByteForByteAsEver) {
  const std::string before =
      "; written by hand\r\n[INIT]\r\nTotal=3\r\n\r\n[E1]\r\nName=Notepad\r\nExec=notepad\r\nPath=C:\\Windows\\notepad.exe\r\n"
      "[E2]\r\nName = Calculator \r\nExec=calc\r\nPath=calc.exe\r\n[E3]\r\nExec=old\r\n[E9]\r\nName=left over\r\n";
  for (const std::wstring& name : {test::kSpanish, test::kWorld}) {
    test::WriteBytes(app.store.exec.Path(), before);
    Exec().LoadExecs();
    Exec().DeleteExec(2);
    ASSERT_TRUE(Exec().AddExec(L"C:\\" + name + L"\\x.exe", L"x", name));
    const std::wstring after = L"; written by hand\r\n[INIT]\r\nTotal=3\r\n[E1]\r\nName=Notepad\r\nExec=notepad\r\n"
                               L"Path=C:\\Windows\\notepad.exe\r\n[E2]\r\nName=\r\nExec=old\r\nPath=\r\n[E3]\r\nExec=x\r\nName=" +
                               name + L"\r\nPath=C:\\" + name + L"\\x.exe\r\n[E9]\r\nName=left over\r\n";
    EXPECT_EQ(test::ReadBytes(app.store.exec.Path()),
              name == test::kSpanish ? platform::codec::EncodeStored(after, platform::codec::UnicodeForm::Utf8)
                                     : "\xFF\xFE" + platform::codec::ToUtf16Le(after));
  }
  ASSERT_TRUE(Exec().AddExec(L"C:\\x.exe", L"x", L"two\r\n[INIT]\r\nTotal=0"));  // a break would start lines of its own
  EXPECT_EQ(Setting(L"INIT", L"Total") + L"|" + Setting(L"E4", L"Name"), L"4|two [INIT] Total=0");
}

TEST_F(ListsLauncher, AnUnknownNameOffersToAddIt) {
  panel.Show();
  EXPECT_FALSE(Exec().DoExec(L"paint"));
  ui::testing::PushMsgBoxAnswer(ui::kAnswerYes);
  OfferNewExec(app, L"paint", &panel);
  const int style = ui::kMbYesNo | ui::kMbExclamation;
  EXPECT_EQ(test::Boxes(), std::vector<std::wstring>{L"_main:execute|_exec:msgadd|" + std::to_wstring(style)});
  EXPECT_TRUE(panel.Visible());
  ASSERT_NE(frmAddExec::Current(), nullptr);
  EXPECT_EQ(frmAddExec::Current()->txtEname->Text() + L"|" + frmAddExec::Current()->lblPath->Text(), L"paint|");

  frmAddExec::Discard();
  panel.Hide();  // No this time; and a hidden side bar is not shown by the question
  OfferNewExec(app, L"paint", &panel);
  EXPECT_TRUE(frmAddExec::Current() == nullptr && !panel.Visible());
}

// The add dialog opens once, pictures only from the skin; it needs all three fields, saves, closes; the next is empty.
TEST_F(ListsLauncher, AddDialog) {
  frmAddExec& dialog = frmAddExec::ShowDialog(app, L"ed");
  EXPECT_EQ(dialog.Form().ClientWidth(), 309) << "the frame comes on top of the client area";
  const ui::Rect title = dialog.lbl[0]->Bounds();  // 240, 60, 1440, 330 twips, wider for a text that needs it
  EXPECT_TRUE(title.x == 16 && title.y == 4 && title.h == 22 && title.w > 96) << title.w << "x" << title.h;
  EXPECT_FALSE(dialog.imgTop->HasPicture() || dialog.imgDrop->HasPicture());
  EXPECT_EQ(&frmAddExec::ShowDialog(app), &dialog);
  dialog.txtAppName->SetText(L"Editor");
  dialog.cmd[1]->onClick();  // no program chosen yet
  EXPECT_TRUE(frmAddExec::Current() == &dialog && Exec().ExecCount() == 0);

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
  test::WriteBytes(app.settings.SkinFolder() + L"\\topbar_thick.bmp", test::BitmapFile(1, 1, 0, 0, 0));
  EXPECT_EQ(frmAddExec::ShowDialog(app).txtEname->Text(), L"");
  EXPECT_EQ(frmAddExec::Current()->imgTop->PicturePath(), app.settings.SkinFolder() + L"\\topbar_thick.bmp");
}

TEST_F(ListsLauncher, ListDeletesInMemoryUntilAccepted) {
  Load("3", 3);
  ASSERT_TRUE(Exec().AddExec(L"C:\\n.exe", L"NotePad", L"Notepad"));
  frmExecList& list = frmExecList::ShowDialog(app);
  EXPECT_EQ(list.lst->Item(3), L"notepad - Notepad");
  list.cmd[0]->onClick();  // nothing selected
  EXPECT_EQ(Exec().ExecCount(), 4);

  list.lst->SetListIndex(1);
  list.cmd[0]->onClick();
  EXPECT_EQ(list.lst->Item(1) + L"|" + std::to_wstring(list.lst->ListIndex()), L"e3 - Name 3|-1");
  list.Form().Close();  // the close box keeps the deletion in memory only
  EXPECT_EQ(std::to_wstring(Exec().FindExec(L"e2")) + L"|" + Setting(L"E2", L"Exec"), L"0|e2");

  frmExecList& again = frmExecList::ShowDialog(app);
  again.lst->SetListIndex(0);
  again.cmd[0]->onClick();
  again.cmd[1]->onClick();
  EXPECT_EQ(frmExecList::Current(), nullptr);
  EXPECT_EQ(Setting(L"INIT", L"Total") + L"|" + Setting(L"E1", L"Exec"), L"2|e3");
}

class ListsClipboard : public test::ListsFixture {
protected:
  ListsClipboard() {
    for (int i = 1; i <= clsClipboard::kTotal; ++i) {
      labels[static_cast<size_t>(i)] = &panel.AddLabel(L"lblClip(" + std::to_wstring(i) + L")", {28, 17 * i, 129, 17});
      if (i < clsClipboard::kTotal)
        images[static_cast<size_t>(i)] = &panel.AddImage(L"imgLock(" + std::to_wstring(i) + L")", {12, 17 * i, 9, 12});
    }
    history.onChanged = [this] { ShowClipboardRows(history, labels); };
    history.onLockChanged = [this](std::uint8_t num) { ShowClipboardLock(history, num, *images[num], app.settings.SkinFolder()); };
  }
  void Copy(std::initializer_list<const wchar_t*> texts) {
    for (const wchar_t* t : texts) {
      board.Put(t);
      history.RefreshData();
    }
  }
  std::wstring Entries() const {  // "A,B,,..." for positions 1 to 7
    std::wstring all;
    for (std::uint8_t i = 1; i <= clsClipboard::kTotal; ++i) all += (i > 1 ? L"," : L"") + history.ClipbText(i);
    return all;
  }
  std::vector<int> BoldRows() const {
    std::vector<int> rows;
    for (int i = 1; i <= clsClipboard::kTotal; ++i)
      if (labels[static_cast<size_t>(i)]->GetFont().bold) rows.push_back(i);
    return rows;
  }

  std::array<ui::Label*, clsClipboard::kTotal + 1> labels{};
  std::array<ui::Image*, clsClipboard::kTotal> images{};
  platform::testing::ScriptedClipboard board;
  clsClipboard history{&board};
};

// A duplicate only moves the mark; captions are cut and show line breaks (which count), tooltips keep the text.
TEST_F(ListsClipboard, NewTextsDuplicatesAndCaptions) {
  Copy({L"A", L"B", L"C"});
  EXPECT_EQ(BoldRows(), std::vector<int>{3});
  Copy({L"A"});
  EXPECT_EQ(BoldRows(), std::vector<int>{1});
  EXPECT_TRUE(history.SetToClipboard(2));  // putting an entry back does the same on the next tick
  history.RefreshData();
  EXPECT_EQ(BoldRows(), std::vector<int>{2});
  EXPECT_EQ(Entries(), L"A,B,C,,,,");

  Copy({L"abcdefghijklmnopqrst", L"one\r\ntwo"});
  EXPECT_EQ(labels[4]->Text() + L" " + labels[4]->ToolTip(), L"abcdefghijklmno... abcdefghijklmnopqrst");
  EXPECT_EQ(labels[5]->Text() + L" " + labels[5]->ToolTip(), L"one|R|two one|R|two");
  EXPECT_EQ(history.ClipbText(5), L"one\r\ntwo");
  EXPECT_EQ(clsClipboard::CaptionOf(L"12345678901234\r\nxyz"), L"12345678901234|R|...");
}

// Deleting compacts past locked positions; a full history evicts the first unlocked entry; locks hold their place.
TEST_F(ListsClipboard, LockedPositionsHoldTheirPlace) {
  Copy({L"A", L"B", L"C", L"D", L"E"});
  history.DelClipb(3);
  EXPECT_EQ(Entries(), L"A,B,D,E,,,");
  history.InvertLock(2);
  history.DelClipb(1);
  EXPECT_EQ(Entries(), L"D,B,E,,,,");
  EXPECT_EQ(labels[4]->Text(), L"");

  Copy({L"F", L"G", L"H", L"I", L"J"});
  EXPECT_EQ(Entries(), L"E,B,F,G,H,I,J");
  history.InvertLock(2);
  Copy({L"K"});
  EXPECT_EQ(Entries(), L"B,F,G,H,I,J,K");
  for (std::uint8_t i = 1; i <= 7; ++i) history.InvertLock(i);  // position 7 has no lock and never gets one
  Copy({L"L"});
  EXPECT_EQ(Entries(), L"B,F,G,H,I,J,L");
}

TEST_F(ListsClipboard, AHugeTextIsStoredWholeShownCutAndCostsNothingOnLaterTicks) {
  std::wstring huge(10 * 1024 * 1024, L'x');
  huge.replace(5, 2, L"\r\n");
  const auto start = std::chrono::steady_clock::now();
  board.Put(huge);
  for (int i = 0; i < 50; ++i) history.RefreshData();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(board.Reads(), 1);  // the sequence number stayed, so the clipboard was read once
  EXPECT_EQ(history.ClipbText(1), huge);
  EXPECT_EQ(labels[1]->Text(), L"xxxxx|R|xxxxxxxx...");
  const std::wstring& tip = labels[1]->ToolTip();
  EXPECT_TRUE(tip.size() < static_cast<size_t>(2 * clsClipboard::kToolTipChars) && tip.ends_with(L"...")) << tip.size();
  EXPECT_EQ(clsClipboard::ToolTipOf(std::wstring(5000, L'y')), std::wstring(5000, L'y'));  // what a screen shows: whole

  board.SetSequenceKnown(false);  // without a sequence number every tick has to look
  history.RefreshData();
  EXPECT_EQ(board.Reads(), 2);
}

TEST_F(ListsClipboard, BusyOrNonTextClipboardCountsAsNoText) {
  Copy({L"A"});
  board.Put(L"B");
  board.SetBusy(true);
  history.RefreshData();
  history.RefreshData();  // busy: the next tick looks again, although the sequence number stayed
  EXPECT_EQ(board.Reads(), 3);
  EXPECT_EQ(Entries(), L"A,,,,,,");
  board.SetBusy(false);
  history.RefreshData();
  EXPECT_EQ(Entries(), L"A,B,,,,,");

  board.PutNonText();
  history.RefreshData();
  EXPECT_EQ(Entries(), L"A,B,,,,,");
  EXPECT_EQ(BoldRows(), std::vector<int>{2});  // no text leaves the mark alone
}

TEST_F(ListsClipboard, LockPicturesComeFromTheSkinAndAMissingOneShowsNothing) {
  for (const wchar_t* name : {L"lock_on.bmp", L"lock_off.bmp"})
    test::WriteBytes(app.settings.SkinFolder() + L"\\" + name, test::BitmapFile(1, 1, 0, 0, 0));
  history.InvertLock(3);
  EXPECT_EQ(images[3]->PicturePath(), app.settings.SkinFolder() + L"\\lock_on.bmp");
  history.InvertLock(3);
  EXPECT_EQ(images[3]->PicturePath(), app.settings.SkinFolder() + L"\\lock_off.bmp");

  std::filesystem::remove(test::Native(app.settings.SkinFolder() + L"\\lock_on.bmp"));
  history.InvertLock(3);
  EXPECT_FALSE(images[3]->HasPicture());  // never the picture of the other state
}

// The system clipboard itself: the in-process twin natively, the real clipboard under Wine.
TEST(ListsSystemClipboard, ReadsBackWhatWasWrittenAndSkipsBusyAndNonTextContents) {
  const std::uint32_t before = platform::ClipboardSequence();
  ASSERT_TRUE(platform::WriteClipboardText(L"velvane \u00e9\r\nline"));
  EXPECT_NE(platform::ClipboardSequence(), before);
  EXPECT_EQ(platform::ReadClipboardText().text, std::optional<std::wstring>(L"velvane \u00e9\r\nline"));
  {
    const platform::testing::SystemClipboardHold hold;
    ASSERT_TRUE(hold.Holding());
    EXPECT_TRUE(platform::ReadClipboardText().busy);
    EXPECT_FALSE(platform::WriteClipboardText(L"refused"));
  }
  platform::testing::PutNonTextOnSystemClipboard();
  const platform::ClipboardRead read = platform::ReadClipboardText();
  EXPECT_FALSE(read.busy || read.text.has_value());
}

}  // namespace
}  // namespace velvane
