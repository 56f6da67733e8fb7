// The lists kept in files of their own: the to-do list, the file shelf and the notes.
#include "core/notes.h"
#include "lists/temp_files.h"
#include "lists/todo.h"
#include "lists_support.h"
#include "sidebar/frm_main.h"
#include "sidebar/list_rows.h"

namespace velvane {
namespace {

using Texts = std::vector<std::wstring>;

class ListsToDo : public test::ListsFixture {
protected:
  ListsToDo() { todo.onChanged = [this] { ShowToDoRows(todo, lst); }; }
  Texts Rows() const {
    Texts rows;
    for (int i = 0; i < lst.ItemCount(); ++i) rows.push_back(lst.Item(i));
    return rows;
  }
  std::string FileBytes() const { return test::ReadBytes(app.store.toDo.Path()); }

  ui::ListBox& lst = panel.AddListBox(L"lstToDo", {358, 30, 186, 146}, true);
  clsToDo& todo = app.toDo;
};

// Newest first; texts that would not read back are refused or flattened. The keep option decides unless forced;
// reading stops at the marker. (Failed writes: the side bar's and held files' tests.)
TEST_F(ListsToDo, NewestFirstKeepOptionAndReading) {
  for (const wchar_t* t : {L"A", L"", L"[END]", L"B\r\nb\rb\nb", L"C"}) todo.AddToDo(t);
  EXPECT_EQ(Rows(), (Texts{L"C", L"B b b b", L"A"}));
  EXPECT_TRUE(todo.SaveList(OptChk[kOptKeepToDo]));
  EXPECT_FALSE(test::Exists(app.store.toDo.Path()));
  ASSERT_TRUE(todo.SaveList(true));
  EXPECT_EQ(FileBytes(), "C\rB b b b\rA\r[END]\r\n");
  todo.DelToDo(1), todo.DelToDo(1), todo.DelToDo(1), todo.AddToDo(L"kept");
  test::WriteBytes(app.store.toDo.Path(), "from file\r[END]\r\n");
  todo.LoadList(OptChk[kOptKeepToDo]);
  EXPECT_EQ(Rows(), Texts{L"kept"});
  OptChk[kOptKeepToDo] = true;
  todo.LoadList(OptChk[kOptKeepToDo]);
  EXPECT_EQ(Rows(), Texts{L"from file"});

  test::WriteBytes(app.store.toDo.Path(), "one\r\ntwo\r\r\nthree\n-four\r[END]\rafter\r");
  todo.LoadList(true);
  EXPECT_EQ(Rows(), (Texts{L"one", L"two", L"three\n-four"}));  // a lone LF belongs to the line
  test::WriteBytes(app.store.toDo.Path(), "no marker\r");
  todo.LoadList(true);
  EXPECT_EQ(Rows(), Texts{L"no marker"});
}

TEST_F(ListsToDo, FullListDropsTheOldestAndDeletesCleanly) {
  for (int i = 1; i <= clsToDo::kCapacity + 1; ++i) todo.AddToDo(L"item " + std::to_wstring(i));
  ASSERT_EQ(todo.Count(), 250);
  EXPECT_EQ(todo.Item(1) + L"|" + todo.Item(250), L"item 251|item 2");  // item 1 dropped out

  todo.DelToDo(2);
  EXPECT_EQ(std::pair(todo.Count(), lst.ItemCount()), std::pair(249, 249));
  EXPECT_EQ(todo.Item(2) + L"|" + todo.Item(249), L"item 249|item 2");

  for (int i = 0; i < 2; ++i) todo.AddToDo(L"refill");
  todo.DelToDo(250);  // the bottom item of a full list
  EXPECT_EQ(todo.Item(249) + L"|" + todo.Item(250), L"item 4|");

  todo.DelToDo(0);  // counts as the top
  todo.DelToDo(249);  // beyond the list
  EXPECT_EQ(std::to_wstring(todo.Count()) + L"|" + todo.Item(1), L"248|refill");
}

class ListsShelf : public test::ListsFixture {
protected:
  ListsShelf() {
    for (int i = 1; i <= clsTempFiles::kTotal; ++i)
      labels[static_cast<size_t>(i)] = &panel.AddLabel(L"lblFiles(" + std::to_wstring(i) + L")", {168, 17 * i, 177, 17});
    shelf.onChanged = [this] { ShowShelfRows(shelf, labels); };
  }
  std::wstring Caption(int row) const { return labels[static_cast<size_t>(row)]->Text(); }

  std::array<ui::Label*, clsTempFiles::kTotal + 1> labels{};
  clsTempFiles& shelf = app.shelf;
};

TEST(ListsShelfCaption, SplitsTheNameAtItsFirstDot) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\docs\\report.txt", L"TXT - report"}, {L"C:\\b\\backup.tar.gz", L"TAR.GZ - backup"},
      {L"C:\\\u0161\\\u0436.\u0161\u03C9\u044F", L"\u0160\u03A9\u042F - \u0436"},
      {L"C:\\Program Files\\Tools", L"Tools"},
      {L"C:\\my.folder\\readme", L"README - "},  // the dot test looks at the whole path
      {L"D:\\", L"D:"}};                           // a drive root is shown by what comes before its backslash
  for (const auto& [path, caption] : cases) EXPECT_EQ(clsTempFiles::CaptionOf(path), caption) << path;
}

// The file, each path ended by CR and then the marker, is written only while the option is on.
TEST_F(ListsShelf, DropsFillPlacesInOrderWithoutExactDuplicatesUpToFifteen) {
  EXPECT_TRUE(shelf.AddFile(L"C:\\a.txt"));
  EXPECT_FALSE(shelf.AddFile(L"C:\\a.txt"));
  EXPECT_TRUE(shelf.AddFile(L"C:\\A.txt"));  // another letter case is another path
  EXPECT_FALSE(shelf.AddFile(L"[END]"));
  EXPECT_EQ(Caption(3), L"");
  for (int i = 3; i <= 15; ++i) shelf.AddFile(L"C:\\f\\file" + std::to_wstring(i) + L".txt");
  EXPECT_FALSE(shelf.AddFile(L"C:\\sixteen.txt"));
  shelf.DelFile(2);
  EXPECT_EQ(shelf.FilePath(2) + L"|" + shelf.FilePath(14) + L"|" + Caption(15), L"C:\\f\\file3.txt|C:\\f\\file15.txt|");
  EXPECT_TRUE(shelf.AddFile(L"C:\\new.doc"));
  EXPECT_EQ(Caption(15), L"DOC - new");

  ASSERT_TRUE(shelf.SaveList(OptChk[kOptKeepFiles]));
  EXPECT_FALSE(test::Exists(app.store.shelf.Path()));
  ASSERT_TRUE(shelf.SaveList(true));  // the file's bytes: the held files' test
  clsTempFiles loaded(app.store.shelf);
  loaded.LoadList(true);
  EXPECT_EQ(loaded.FilePath(1) + L"|" + loaded.FilePath(15), L"C:\\a.txt|C:\\new.doc");
}

TEST(NotesStrip, RemovesAtMostTwoTrailingControlCharacters) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"text\r\n", L"text"}, {L"text\r\n\r\n", L"text\r\n"}, {L"tabs\t\t", L"tabs"}, {L"x\t", L"x"},
      {L"\r\n", L""},         {L"\n", L"\n"} /* fewer than two characters stay */,  {L"ab\x0E", L"ab\x0E"}};
  for (const auto& [text, stripped] : cases) EXPECT_EQ(StripTrailingBreaks(text), stripped);
}

class Notes : public test::ListsFixture {
protected:
  ui::TextBox& box = panel.AddTextBox(L"txtNotes", {560, 32, 229, 277}, true);
};

// The option off leaves file and box alone unless forced; on, trailing breaks and empty text round-trip.
TEST_F(Notes, SavedLoadedAndMovedOut) {
  DataFile& file = app.store.notes;
  test::WriteBytes(file.Path(), "stored\r\n");
  EXPECT_EQ(LoadNotes(file, OptChk[kOptKeepNotes]), std::nullopt);
  std::wstring typed = L"typed";
  EXPECT_TRUE(SaveNotes(file, typed, OptChk[kOptKeepNotes]));
  EXPECT_EQ(test::ReadBytes(file.Path()), "stored\r\n");
  test::WriteBytes(file.Path(), "x");  // written by another program, without the line end
  EXPECT_EQ(LoadNotes(file, true), L"x");

  OptChk[kOptKeepNotes] = true;
  for (std::wstring text : {L"line\r\n", L"", L"tab\t", L"a\r\nb"}) {
    EXPECT_TRUE(SaveNotes(file, text, OptChk[kOptKeepNotes]));
    EXPECT_EQ(test::ReadBytes(file.Path()), std::string(text.begin(), text.end()) + "\r\n");
    EXPECT_EQ(LoadNotes(file, OptChk[kOptKeepNotes]), text);
  }

  // The selection moves into the chosen file; nothing selected, a cancel or a failed write keeps the notes whole.
  box.SetText(L"keep MOVE keep");
  EXPECT_FALSE(SaveNotesSelection(app.lang, DefaultDir, box));  // nothing selected: no dialog either
  box.SetSelection(5, 4);
  EXPECT_FALSE(SaveNotesSelection(app.lang, DefaultDir, box));  // no answer queued: cancelled
  const std::wstring unwritable = dir_.Path() + L"\\missing folder\\out.txt";
  ui::testing::PushFileDialogAnswer(unwritable);
  EXPECT_FALSE(SaveNotesSelection(app.lang, DefaultDir, box));
  EXPECT_EQ(box.Text(), L"keep MOVE keep");
  ASSERT_EQ(test::Boxes().size(), 1u);
  EXPECT_NE(test::Boxes()[0].find(unwritable + L"|" + std::to_wstring(ui::kMbExclamation)), std::wstring::npos);

  std::filesystem::create_directories(test::Native(DefaultDir));
  ui::testing::PushFileDialogAnswer(DefaultDir + L"moved.txt");
  EXPECT_TRUE(SaveNotesSelection(app.lang, DefaultDir, box));
  EXPECT_EQ(test::ReadBytes(DefaultDir + L"moved.txt"), "MOVE\r\n");
  EXPECT_EQ(box.Text(), L"keep  keep");
  ASSERT_EQ(ui::testing::FileDialogLog().size(), 3u);
  EXPECT_EQ(ui::testing::FileDialogLog()[0].filter + L"|" + ui::testing::FileDialogLog()[0].initialDir,
            L"TXT - _ext:txt|*.txt|_ext:all|*.*|" + DefaultDir);
}

}  // namespace
}  // namespace velvane
