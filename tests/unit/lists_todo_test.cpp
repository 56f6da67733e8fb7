#include <gtest/gtest.h>

#include "lists/todo.h"
#include "lists_support.h"

namespace velvane {
namespace {

using Texts = std::vector<std::wstring>;

class ListsToDo : public test::ListsFixture {
protected:
  void SetUp() override {
    ListsFixture::SetUp();
    todo.Bind(&lst);
  }
  Texts Rows() const {
    Texts rows;
    for (int i = 0; i < lst.ItemCount(); ++i) rows.push_back(lst.Item(i));
    return rows;
  }
  std::string FileBytes() const { return test::ReadBytes(clsToDo::FilePath()); }

  ui::Window panel{PanelSpec()};
  ui::ListBox& lst = panel.AddListBox(L"lstToDo", {358, 30, 186, 146}, true);
  clsToDo todo;
};

TEST_F(ListsToDo, NewestFirstInListAndFileAndBackAgainTextsThatWouldNotReadBackRefusedOrFlattened) {
  ASSERT_TRUE(todo.SaveList(true));
  EXPECT_EQ(FileBytes(), "[END]\r\n");
  for (const wchar_t* t : {L"A", L"", L"[END]", L"B\r\nb\rb\nb", L"C"}) todo.AddToDo(t);
  EXPECT_EQ(Rows(), (Texts{L"C", L"B b b b", L"A"}));
  ASSERT_TRUE(todo.SaveList(true));
  EXPECT_EQ(FileBytes(), "C\rB b b b\rA\r[END]\r\n");

  clsToDo loaded;
  loaded.LoadList(true);
  EXPECT_EQ(loaded.Item(2), L"B b b b");
  EXPECT_EQ(loaded.Count(), 3);
}

TEST_F(ListsToDo, KeepOptionDecidesUnlessForced) {
  todo.AddToDo(L"kept");
  EXPECT_TRUE(todo.SaveList());
  EXPECT_FALSE(test::Exists(clsToDo::FilePath()));

  test::WriteBytes(clsToDo::FilePath(), "from file\r[END]\r\n");
  todo.LoadList();
  EXPECT_EQ(Rows(), Texts{L"kept"});
  OptChk[kOptKeepToDo] = true;
  todo.LoadList();
  EXPECT_EQ(Rows(), Texts{L"from file"});  // replaces the list, does not add to it
}

TEST_F(ListsToDo, ReadingAcceptsCrLfSkipsEmptyLinesAndStopsAtTheMarker) {
  test::WriteBytes(clsToDo::FilePath(), "one\r\ntwo\r\r\nthree\n-four\r[END]\rafter\r");
  todo.LoadList(true);
  EXPECT_EQ(Rows(), (Texts{L"one", L"two", L"three\n-four"}));  // a lone LF belongs to the line

  test::WriteBytes(clsToDo::FilePath(), "no marker\r");
  todo.LoadList(true);
  EXPECT_EQ(Rows(), Texts{L"no marker"});
}

TEST_F(ListsToDo, FullListDropsTheOldestAndDeletesCleanly) {
  for (int i = 1; i <= clsToDo::kCapacity + 1; ++i) todo.AddToDo(L"item " + std::to_wstring(i));
  ASSERT_EQ(todo.Count(), 250);
  EXPECT_EQ(todo.Item(1), L"item 251");
  EXPECT_EQ(todo.Item(250), L"item 2");  // item 1 dropped out

  todo.DelToDo(2);
  EXPECT_EQ(todo.Count(), 249);
  EXPECT_EQ(todo.Item(2), L"item 249");
  EXPECT_EQ(todo.Item(249), L"item 2");
  EXPECT_EQ(lst.ItemCount(), 249);

  for (int i = 0; i < 2; ++i) todo.AddToDo(L"refill");
  todo.DelToDo(250);  // the bottom item of a full list
  EXPECT_EQ(todo.Item(249), L"item 4");
  EXPECT_TRUE(todo.Item(250).empty());

  todo.DelToDo(0);  // counts as the top
  EXPECT_EQ(todo.Item(1), L"refill");
  EXPECT_EQ(todo.Count(), 248);
  todo.DelToDo(249);  // beyond the list
  EXPECT_EQ(todo.Count(), 248);
}

TEST_F(ListsToDo, FailedWriteKeepsTheListAndTheNextSaveWritesIt) {
  OptChk[kOptKeepToDo] = true;
  todo.AddToDo(L"milk");
  std::filesystem::remove_all(test::Native(DataDir));
  EXPECT_FALSE(todo.SaveList());
  EXPECT_EQ(Rows(), Texts{L"milk"});

  std::filesystem::create_directories(test::Native(DataDir));
  EXPECT_TRUE(todo.SaveList());
  EXPECT_EQ(FileBytes(), "milk\r[END]\r\n");
}

}  // namespace
}  // namespace velvane
