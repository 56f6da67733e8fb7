// Items and notes handed over by second starts reach their files at a save, exactly, and come back after a restart.
#include "blackbox/harness.h"

namespace blackbox {
namespace {

HWND ToDoList(HWND sideBar) { return ChildAt(sideBar, L"ListBox", 358, 30, 186, 146); }
HWND NotesBox(HWND sideBar) { return ChildAt(sideBar, L"Edit", 560, 32, 229, 277); }

std::string FileOrNone(const std::wstring& path) { return Visible(ReadBytes(path).value_or("(no file)")); }

class Lists : public BlackBoxTest {
protected:
  std::wstring ToDoFile() const { return installation_.DataFile(L"todo.qdt"); }
  std::wstring NotesFile() const { return installation_.DataFile(L"notes.qdt"); }
  std::wstring ShelfFile() const { return installation_.DataFile(L"tempfiles.qdt"); }
};

// A hand-off carries its text in the system's ANSI code page, and the files are written in it.
TEST_F(Lists, VerbsReachTheFilesInTheSystemCodePageAndSurviveARestart) {
  installation_.Configure({});
  const std::wstring item = L"Caf\u00e9 f\u00fcr 2 \u20ac \u65e5\u672c";
  const std::string ansi = ToCodePage(item, CP_ACP);
  {
    SideBar bar(installation_);
    ASSERT_TRUE(bar.Started());
    ASSERT_TRUE(bar.HandOver(L"-addtodo buy milk"));
    ASSERT_TRUE(bar.HandOver(L"-addtodo " + item));
    ASSERT_TRUE(bar.HandOver(L"-addnote Buy stamps"));
    EXPECT_FALSE(FileExists(ToDoFile()) || FileExists(NotesFile())) << "written before any save";
    ASSERT_TRUE(bar.HandOver(L"-save"));
    // Newest first, each item ended by CR alone; the notes get the writer's CR LF after the box's text.
    EXPECT_EQ(FileOrNone(ToDoFile()), Visible(ansi + "\rbuy milk\r[END]\r\n")) << "system code page " << GetACP();
    EXPECT_EQ(FileOrNone(NotesFile()), Visible("\r\n\r\nBuy stamps\r\n"));
    EXPECT_EQ(FileOrNone(ShelfFile()), Visible("[END]\r\n"));
    EXPECT_FALSE(IsWindowVisible(bar.Window())) << "a save does not show the bar";

    ASSERT_TRUE(bar.HandOver(L"-deltodo 2"));
    ASSERT_TRUE(bar.HandOver(L"-save"));
    EXPECT_EQ(FileOrNone(ToDoFile()), Visible(ansi + "\r[END]\r\n"));
    ASSERT_TRUE(bar.Close());
  }

  const auto todo = ReadBytes(ToDoFile());
  const auto notes = ReadBytes(NotesFile());
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND list = ToDoList(bar.Window());
  const HWND box = NotesBox(bar.Window());
  ASSERT_TRUE(list && box) << "no to-do list or notes box";
  EXPECT_EQ(ListBoxItems(list), std::vector<std::wstring>{FromCodePage(ansi, CP_ACP)});
  EXPECT_EQ(ControlText(box), L"\r\n\r\nBuy stamps");
  // What was loaded is saved again unchanged.
  ASSERT_TRUE(bar.HandOver(L"-save"));
  EXPECT_EQ(FileOrNone(ToDoFile()), Visible(todo.value_or("")));
  EXPECT_EQ(FileOrNone(NotesFile()), Visible(notes.value_or("")));
}

// A verb given to the first start acts on the lists as they were stored.
TEST_F(Lists, FirstStartVerbsWorkOnTheStoredLists) {
  installation_.Configure({});
  const std::string todo = "keep me\r[END]\r\n", notes = "old note\r\n", shelf = "C:\\a.txt\r[END]\r\n";
  struct Case {
    const wchar_t* commandLine;
    std::string todo, notes;
  };
  for (const Case& c : {Case{L"-hide", todo, notes}, Case{L"-addnote new note", todo, "old note\r\n\r\nnew note\r\n"}}) {
    SCOPED_TRACE(Utf8(c.commandLine));
    ASSERT_TRUE(WriteBytes(ToDoFile(), todo));
    ASSERT_TRUE(WriteBytes(NotesFile(), notes));
    ASSERT_TRUE(WriteBytes(ShelfFile(), shelf));
    SideBar bar(installation_, c.commandLine);
    ASSERT_TRUE(bar.Started());
    ASSERT_TRUE(bar.HandOver(L"-save"));
    EXPECT_EQ(FileOrNone(ToDoFile()), Visible(c.todo));
    EXPECT_EQ(FileOrNone(NotesFile()), Visible(c.notes));
    EXPECT_EQ(FileOrNone(ShelfFile()), Visible(shelf));
  }
}

}  // namespace
}  // namespace blackbox
