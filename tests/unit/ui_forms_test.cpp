// The forms layer's state and events; in the Windows build every change makes a round trip through real controls.
#include <gtest/gtest.h>

#include "test_support.h"
#include "ui/forms.h"
#include "ui/testing.h"

namespace velvane::ui {
namespace {

const WindowSpec kSpec{.caption = L"ui test", .clientWidth = 300, .clientHeight = 200, .borderless = true,
                       .layered = true, .font = {}, .iconPath = {}};

class UiForms : public ::testing::Test {
protected:
  void SetUp() override { testing::Reset(); }
  test::TempDir dir_;
  Window window{kSpec};
};

TEST_F(UiForms, TextBoxTextAndSelectionRoundTrip) {
  TextBox& box = window.AddTextBox(L"txtNotes", {10, 10, 200, 100}, true);
  int changes = 0;
  box.onChange = [&] { ++changes; };
  box.SetText(L"Hello world");
  box.SetText(L"Hello world");  // the same text again is no change
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(box.SelStart(), 0) << "new text puts the caret at the start";
  box.SetSelection(6, 5);
  EXPECT_EQ(box.SelText(), L"world");
  box.ReplaceSelection(L"there");
  EXPECT_TRUE(box.Text() == L"Hello there" && box.SelStart() == 11 && box.SelLength() == 0);
  box.SetSelection(5, 0);  // nothing selected: the text goes in at the caret
  box.ReplaceSelection(L",");
  EXPECT_TRUE(box.Text() == L"Hello, there" && box.SelStart() == 6 && changes == 3);
  // Selections are clamped to the text.
  box.SetSelection(10, 10);
  EXPECT_EQ(std::pair(box.SelStart(), box.SelLength()), std::pair(10, 2));
  box.SetSelection(-4, 1);
  EXPECT_EQ(box.SelStart(), 0);
  box.SetSelection(99, 0);
  box.ReplaceSelection(L"!");
  EXPECT_EQ(box.Text(), L"Hello, there!");
  box.NotifyTextChanged(L"a");  // shorter text from the user cannot leave the caret behind its end
  EXPECT_LE(box.SelStart() + box.SelLength(), 1);
  box.SetText(L"one\r\ntwo\r\n");  // line breaks count two (the text's round trip: the notes' tests)
  box.SetSelection(5, 3);
  EXPECT_EQ(box.SelText(), L"two");
}

TEST_F(UiForms, CheckBoxListReportsTheRowAndSurvivesARebuild) {
  ListBox& list = window.AddListBox(L"lstToDo", {10, 10, 180, 140}, true);
  std::vector<std::wstring> items{L"milk", L"bread", L"eggs"};
  auto rebuild = [&] {
    list.Clear();
    for (const auto& item : items) list.AddItem(item);
  };
  rebuild();
  std::vector<int> checkedRows;
  list.onItemCheck = [&](int row) {  // the to-do list removes the row and rebuilds from inside the event
    checkedRows.push_back(row);
    items.erase(items.begin() + row);
    rebuild();
  };
  list.SetChecked(1, true);
  ASSERT_EQ(list.ItemCount(), 2);
  EXPECT_TRUE(list.Item(1) == L"eggs" && !list.Checked(1));
  list.SetListIndex(1);
  list.NotifyCheckToggled(list.ListIndex());
  EXPECT_EQ(std::pair(list.ItemCount(), list.ListIndex()), std::pair(1, -1)) << "a cleared list has no selected row";
  EXPECT_EQ(test::ErrorNumberOf([&] { list.SetChecked(1, true); }), 5);
  EXPECT_EQ(test::ErrorNumberOf([&] { (void)list.Item(-1); }), 5);
  EXPECT_EQ(test::ErrorNumberOf([&] { list.SetListIndex(3); }), 5);
  EXPECT_EQ(checkedRows, (std::vector<int>{1, 1}));
}

TEST_F(UiForms, ListIndexAndCheckBoxValueRaiseClickOnlyOnChange) {
  ListBox& list = window.AddListBox(L"lst", {10, 10, 180, 140});
  for (const wchar_t* row : {L"a - A", L"b - B", L"c - C"}) list.AddItem(row);
  CheckBox& box = window.AddCheckBox(L"chk(1)", {10, 150, 150, 17}, L"Fade");
  int clicks = 0;
  list.onClick = box.onClick = [&] { ++clicks; };
  list.SetListIndex(2);
  list.SetListIndex(2);
  EXPECT_EQ(clicks, 1);
  list.NotifyListIndex(0);
  list.NotifyListIndex(7);  // a row the list does not have is not taken
  EXPECT_EQ(list.ListIndex(), 0);
  box.SetValue(true);
  box.SetValue(true);
  EXPECT_TRUE(box.Value());
  box.NotifyValue(false);
  EXPECT_FALSE(box.Value());
  EXPECT_EQ(clicks, 4);
}

// A closed window stays closed, asked once even when the question closes it again (refusals: the Win32 tests).
TEST_F(UiForms, AClosedWindowIsAskedOnceAndStaysClosed) {
  Label& label = window.AddLabel(L"lbl", {0, 0, 50, 20}, L"x");
  int queries = 0, clicks = 0;
  window.onQueryUnload = [&] {
    ++queries;
    window.Close();  // from inside the question
    return true;
  };
  label.onClick = [&] { ++clicks; };
  window.Show();
  window.Close();
  EXPECT_TRUE(window.Closed());
  window.Close();
  window.Show();
  label.NotifyClick();
  EXPECT_EQ(std::tuple(queries, clicks, window.Visible()), std::tuple(1, 0, false));
}

TEST_F(UiForms, PicturesFailWithoutChangingTheOldOne) {
  Image& image = window.AddImage(L"imgLock(1)", {12, 44, 9, 12});
  const std::wstring good = dir_ / L"lock_off.bmp", broken = dir_ / L"broken.bmp";
  test::WriteBytes(good, test::BitmapFile(9, 12, 200, 40, 40));
  test::WriteBytes(broken, "BM not really a bitmap");
  image.LoadPicture(good);
  EXPECT_TRUE(image.HasPicture());
  EXPECT_EQ(test::ErrorNumberOf([&] { image.LoadPicture(dir_ / L"missing.bmp"); }), 53);
  EXPECT_EQ(test::ErrorNumberOf([&] { image.LoadPicture(broken); }), 481);
  EXPECT_EQ(image.PicturePath(), good);
  image.SetBuiltinIcon(BuiltinIcon::Save);
  EXPECT_TRUE(image.PicturePath().empty() && image.Icon() == BuiltinIcon::Save);
  image.LoadPicture(L"");
  EXPECT_FALSE(image.HasPicture());
  window.SetPicture(good);
  EXPECT_EQ(test::ErrorNumberOf([&] { window.SetPicture(dir_ / L"nothing.bmp"); }), 53);
  EXPECT_EQ(window.PicturePath(), good);
}

TEST_F(UiForms, FocusMovesBetweenVisibleControls) {
  TextBox& todo = window.AddTextBox(L"txtToDo", {10, 10, 100, 20});
  TextBox& exec = window.AddTextBox(L"txtExec", {10, 40, 100, 20});
  std::vector<std::wstring> log;
  todo.onGotFocus = [&] { log.push_back(L"todo+"); };
  todo.onLostFocus = [&] { log.push_back(L"todo-"); };
  exec.onGotFocus = [&] { log.push_back(L"exec+"); };
  exec.onLostFocus = [&] { log.push_back(L"exec-"); };
  window.Show();
  window.Activate();
  todo.Focus();
  exec.Focus();
  EXPECT_FALSE(todo.HasFocus());
  exec.SetVisible(false);  // hiding the focused box takes the focus, with its event
  EXPECT_FALSE(exec.HasFocus());
  exec.Focus();  // a hidden box cannot take it
  EXPECT_EQ(log, (std::vector<std::wstring>{L"todo+", L"todo-", L"exec+", L"exec-"}));

  EXPECT_EQ(todo.GetFont(), window.Spec().font) << "controls start with the window's font";
}

// A title in a longer language is never cut: the label follows its text and font, from its top-left corner.
TEST_F(UiForms, AutoSizingLabelFollowsItsTextAndFont) {
  Label& fixed = window.AddLabel(L"fixed", {5, 6, 40, 20}, L"a long caption that does not fit");
  Label& title = window.AddLabel(L"title", {5, 6, 40, 20}, L"New");
  title.SetAutoSize(true);
  const Rect shortText = title.Bounds();
  EXPECT_EQ(std::pair(shortText.x, shortText.y), std::pair(5, 6));
  title.SetText(L"New program, longer");
  const Rect longText = title.Bounds();
  EXPECT_GT(longText.w, shortText.w);
  EXPECT_EQ(longText.h, shortText.h);
  title.SetText(L"New\rprogram");
  EXPECT_TRUE(title.Bounds().h > longText.h && title.Bounds().w < longText.w) << "two lines: taller, narrower";
  title.SetText(L"New program, longer");
  title.SetFont(Font{.points = 20});
  EXPECT_TRUE(title.Bounds().w > longText.w && title.Bounds().h > longText.h) << "a larger font: wider, taller";
  EXPECT_EQ(fixed.Bounds(), (Rect{5, 6, 40, 20}));
}

}  // namespace
}  // namespace velvane::ui
