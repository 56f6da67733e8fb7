// The forms layer's state and events. The same cases run headless and, in the Windows build, against real windows,
// where every change makes a round trip through the native controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/errors.h"
#include "test_support.h"
#include "ui/forms.h"
#include "ui/testing.h"

namespace velvane::ui {
namespace {

WindowSpec Spec(int width = 300, int height = 200) {
  WindowSpec spec;
  spec.caption = L"ui test";
  spec.clientWidth = width;
  spec.clientHeight = height;
  spec.borderless = true;
  spec.layered = true;
  return spec;
}

void WriteBitmap(const std::filesystem::path& path, int width, int height, Color color) {
  std::ofstream(path, std::ios::binary) << test::BitmapFile(width, height, color.r, color.g, color.b);
}

class UiForms : public ::testing::Test {
protected:
  void SetUp() override {
    testing::Reset();
    dir_ = std::filesystem::temp_directory_path() /
           ("velvane_ui_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::wstring PathOf(const char* name) const { return (dir_ / name).wstring(); }

  std::filesystem::path dir_;
};

int ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

TEST_F(UiForms, TextBoxTextAndSelectionRoundTrip) {
  Window window(Spec());
  TextBox& box = window.AddTextBox(L"txtNotes", {10, 10, 200, 100}, true);
  int changes = 0;
  box.onChange = [&] { ++changes; };

  box.SetText(L"Hello world");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(box.SelStart(), 0) << "new text puts the caret at the start";
  box.SetText(L"Hello world");
  EXPECT_EQ(changes, 1) << "the same text again is no change";

  box.SetSelection(6, 5);
  EXPECT_EQ(box.SelText(), L"world");
  box.ReplaceSelection(L"there");
  EXPECT_EQ(box.Text(), L"Hello there");
  EXPECT_EQ(box.SelStart(), 11);
  EXPECT_EQ(box.SelLength(), 0);
  EXPECT_EQ(changes, 2);

  // Nothing selected: the text goes in at the caret.
  box.SetSelection(5, 0);
  box.ReplaceSelection(L",");
  EXPECT_EQ(box.Text(), L"Hello, there");
  EXPECT_EQ(box.SelStart(), 6);

  // Deleting the selection, as the notes do after saving it.
  box.SetSelection(0, 7);
  box.ReplaceSelection(L"");
  EXPECT_EQ(box.Text(), L"there");
  EXPECT_EQ(box.SelStart(), 0);
  EXPECT_EQ(changes, 4);

  // Lines survive the trip through a multi-line box.
  box.SetText(L"one\r\ntwo\r\n");
  EXPECT_EQ(box.Text(), L"one\r\ntwo\r\n");
  box.SetSelection(5, 3);
  EXPECT_EQ(box.SelText(), L"two");
}

TEST_F(UiForms, SelectionIsClampedToTheText) {
  Window window(Spec());
  TextBox& box = window.AddTextBox(L"txtExec", {10, 10, 100, 20});
  box.SetText(L"abc");
  box.SetSelection(2, 10);
  EXPECT_EQ(box.SelStart(), 2);
  EXPECT_EQ(box.SelLength(), 1);
  box.SetSelection(-4, 1);
  EXPECT_EQ(box.SelStart(), 0);
  box.SetSelection(9, 0);
  EXPECT_EQ(box.SelStart(), 3);
  box.ReplaceSelection(L"d");
  EXPECT_EQ(box.Text(), L"abcd");
  // Shorter text from the user cannot leave the caret behind its end.
  box.SetSelection(4, 0);
  box.NotifyTextChanged(L"a");
  EXPECT_LE(box.SelStart() + box.SelLength(), 1);
}

TEST_F(UiForms, CheckBoxListReportsTheRowAndSurvivesARebuild) {
  Window window(Spec());
  ListBox& list = window.AddListBox(L"lstToDo", {10, 10, 180, 140}, true);
  std::vector<std::wstring> items{L"milk", L"bread", L"eggs"};
  auto rebuild = [&] {
    list.Clear();
    for (const auto& item : items) list.AddItem(item);
  };
  rebuild();
  std::vector<int> checkedRows;
  // The to-do list removes the ticked row and rebuilds the list from inside the event.
  list.onItemCheck = [&](int row) {
    checkedRows.push_back(row);
    items.erase(items.begin() + row);
    rebuild();
  };

  list.SetChecked(1, true);
  ASSERT_EQ(checkedRows, std::vector<int>{1});
  ASSERT_EQ(list.ItemCount(), 2);
  EXPECT_EQ(list.Item(0), L"milk");
  EXPECT_EQ(list.Item(1), L"eggs");
  EXPECT_FALSE(list.Checked(1));

  list.SetListIndex(1);
  list.NotifyCheckToggled(list.ListIndex());
  EXPECT_EQ(checkedRows, (std::vector<int>{1, 1}));
  EXPECT_EQ(list.ItemCount(), 1);
  EXPECT_EQ(list.ListIndex(), -1) << "a cleared list has no selected row";

  EXPECT_EQ(ErrorNumberOf([&] { list.SetChecked(1, true); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { (void)list.Item(-1); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { list.SetListIndex(3); }), 5);
  EXPECT_EQ(checkedRows.size(), 2u);
}

TEST_F(UiForms, ListIndexRaisesClickOnlyOnChange) {
  Window window(Spec());
  ListBox& list = window.AddListBox(L"lst", {10, 10, 180, 140});
  for (const wchar_t* row : {L"a - A", L"b - B", L"c - C"}) list.AddItem(row);
  int clicks = 0;
  list.onClick = [&] { ++clicks; };
  list.SetListIndex(2);
  list.SetListIndex(2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.ListIndex(), 2);
  list.NotifyListIndex(0);
  EXPECT_EQ(list.ListIndex(), 0);
  EXPECT_EQ(clicks, 2);
  list.NotifyListIndex(7);  // a row the list does not have is not taken
  EXPECT_EQ(list.ListIndex(), 0);
}

TEST_F(UiForms, ControlArraysCreatedAtRuntime) {
  Window window(Spec(800, 341));
  window.AddLabel(L"lblClip(1)", {28, 42, 129, 17});
  for (int i = 2; i <= 7; ++i) {
    const Rect first = window.Find(L"lblClip(1)")->Bounds();
    Label& row = window.AddLabel(L"lblClip(" + std::to_wstring(i) + L")", first);
    row.SetBounds({first.x, first.y + 17 * (i - 1), first.w, first.h});
  }
  ASSERT_NE(window.Find(L"lblClip(7)"), nullptr);
  EXPECT_EQ(window.Find(L"lblClip(7)")->Bounds(), (Rect{28, 144, 129, 17}));
  EXPECT_EQ(window.Find(L"lblClip(8)"), nullptr);
  EXPECT_EQ(window.Controls().size(), 7u);
  for (const auto& control : window.Controls()) {
    EXPECT_TRUE(control->Visible());
    EXPECT_TRUE(control->Text().empty());
    EXPECT_EQ(control->Kind(), ControlKind::Label);
    EXPECT_EQ(control->GetFont(), window.Spec().font) << "controls start with the window's font";
  }
}

TEST_F(UiForms, AlphaTopMostAndVisibilityAreIndependent) {
  Window window(Spec());
  EXPECT_FALSE(window.Visible()) << "a new window is hidden";
  window.SetTopMost(true);
  EXPECT_FALSE(window.Visible()) << "the topmost band does not show the window";
  window.SetAlpha(0);
  EXPECT_FALSE(window.Visible());
  window.Show();
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(window.Alpha(), 0);
  EXPECT_TRUE(window.TopMost());
  window.SetAlpha(128);
  window.SetTopMost(false);
  EXPECT_TRUE(window.Visible());
  window.Hide();
  window.SetTopMost(true);
  window.SetAlpha(255);
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(window.Alpha(), 255);
}

TEST_F(UiForms, MoveAndCenterUseTheOuterSize) {
  testing::SetScreenSize(1280, 1024);
  Window window(Spec(800, 341));
  EXPECT_EQ(window.Width(), 800) << "a borderless window is its client area";
  EXPECT_EQ(window.Height(), 341);
  window.CenterOnScreen();
  EXPECT_EQ(window.Left(), 240);
  EXPECT_EQ(window.Top(), 341);
  window.Move(-20, 30);
  EXPECT_EQ(window.Left(), -20);
  EXPECT_EQ(window.Top(), 30);

  WindowSpec framed = Spec(309, 289);
  framed.borderless = false;
  framed.dialogFrame = true;
  Window dialog(framed);
  EXPECT_GT(dialog.Width(), 309);
  EXPECT_GT(dialog.Height(), 289);
  EXPECT_EQ(dialog.ClientWidth(), 309);
}

TEST_F(UiForms, CloseHonoursQueryUnload) {
  auto window = std::make_unique<Window>(Spec());
  Label& label = window->AddLabel(L"lbl", {0, 0, 50, 20}, L"x");
  int queries = 0, unloads = 0, clicks = 0;
  bool allow = false;
  window->onQueryUnload = [&] {
    ++queries;
    return allow;
  };
  window->onUnload = [&] { ++unloads; };
  label.onClick = [&] { ++clicks; };

  window->Show();
  window->Close();
  EXPECT_FALSE(window->Closed());
  EXPECT_TRUE(window->Visible());
  EXPECT_EQ(unloads, 0);
  label.NotifyClick();
  EXPECT_EQ(clicks, 1);

  allow = true;
  window->Close();
  EXPECT_TRUE(window->Closed());
  EXPECT_FALSE(window->Visible());
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(unloads, 1);

  // Gone for good: no further question, no events, and showing does nothing.
  window->Close();
  window->Show();
  label.NotifyClick();
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(window->Visible());
  window.reset();
}

TEST_F(UiForms, CloseFromInsideQueryUnloadAsksOnce) {
  Window window(Spec());
  int queries = 0;
  window.onQueryUnload = [&] {
    ++queries;
    window.Close();
    return true;
  };
  window.Close();
  EXPECT_TRUE(window.Closed());
  EXPECT_EQ(queries, 1);
}

TEST_F(UiForms, PicturesFailWithoutChangingTheOldOne) {
  Window window(Spec());
  Image& image = window.AddImage(L"imgLock(1)", {12, 44, 9, 12});
  const std::wstring good = PathOf("lock_off.bmp");
  WriteBitmap(good, 9, 12, Color{200, 40, 40});
  image.LoadPicture(good);
  EXPECT_EQ(image.PicturePath(), good);
  EXPECT_TRUE(image.HasPicture());

  EXPECT_EQ(ErrorNumberOf([&] { image.LoadPicture(PathOf("missing.bmp")); }), 53);
  std::ofstream(std::filesystem::path(PathOf("broken.bmp")), std::ios::binary) << "BM not really a bitmap";
  EXPECT_EQ(ErrorNumberOf([&] { image.LoadPicture(PathOf("broken.bmp")); }), 481);
  EXPECT_EQ(image.PicturePath(), good);

  image.SetBuiltinIcon(BuiltinIcon::Save);
  EXPECT_TRUE(image.PicturePath().empty());
  EXPECT_EQ(image.Icon(), BuiltinIcon::Save);
  image.LoadPicture(L"");
  EXPECT_FALSE(image.HasPicture());

  const std::wstring back = PathOf("i_main.bmp");
  WriteBitmap(back, 80, 40, Color{64, 64, 64});
  window.SetPicture(back);
  EXPECT_EQ(ErrorNumberOf([&] { window.SetPicture(PathOf("nothing.bmp")); }), 53);
  EXPECT_EQ(window.PicturePath(), back);
}

TEST_F(UiForms, FocusMovesBetweenControls) {
  Window window(Spec());
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
  EXPECT_TRUE(exec.HasFocus());
  EXPECT_FALSE(todo.HasFocus());
  // Hiding the focused box takes the focus away from it, with its event.
  exec.SetVisible(false);
  EXPECT_FALSE(exec.HasFocus());
  // A hidden box cannot take the focus.
  exec.Focus();
  EXPECT_EQ(log, (std::vector<std::wstring>{L"todo+", L"todo-", L"exec+", L"exec-"}));
}

TEST_F(UiForms, DroppedFilesReachOnlyControlsThatTakeThem) {
  Window window(Spec());
  Label& shelf = window.AddLabel(L"lblFiles(1)", {10, 10, 100, 17});
  std::vector<std::wstring> got;
  shelf.onFilesDropped = [&](const std::vector<std::wstring>& files) { got = files; };
  shelf.NotifyFilesDropped({L"C:\\a.txt"});
  EXPECT_TRUE(got.empty());
  shelf.SetAcceptFiles(true);
  shelf.NotifyFilesDropped({L"C:\\a.txt", L"C:\\b.txt"});
  EXPECT_EQ(got, (std::vector<std::wstring>{L"C:\\a.txt", L"C:\\b.txt"}));
}

TEST_F(UiForms, ScriptedBoxesAreLoggedAndAnswered) {
  testing::PushMsgBoxAnswer(kAnswerYes);
  EXPECT_EQ(MsgBox(L"Add it?", kMbYesNo | kMbQuestion, L"Velvane"), kAnswerYes);
  EXPECT_EQ(MsgBox(L"Again?", kMbYesNo | kMbQuestion, L"Velvane"), kAnswerNo) << "unscripted: the safe answer";
  EXPECT_EQ(MsgBox(L"Done", kMbInformation, L"Velvane"), kAnswerOk);
  ASSERT_EQ(testing::MessageLog().size(), 3u);
  EXPECT_EQ(testing::MessageLog()[0].text, L"Add it?");
  EXPECT_EQ(testing::MessageLog()[0].style, kMbYesNo | kMbQuestion);
  EXPECT_EQ(testing::MessageLog()[2].title, L"Velvane");

  testing::PushFileDialogAnswer(L"C:\\notes.txt");
  FileDialogOptions options;
  options.filter = L"TXT - Text|*.txt|All|*.*";
  EXPECT_EQ(ShowSaveDialog(options), std::optional<std::wstring>(L"C:\\notes.txt"));
  EXPECT_EQ(ShowOpenDialog(options), std::nullopt);
  ASSERT_EQ(testing::FileDialogLog().size(), 2u);
  EXPECT_TRUE(testing::FileDialogLog()[0].save);
  EXPECT_FALSE(testing::FileDialogLog()[1].save);
  EXPECT_EQ(testing::FileDialogLog()[0].filter, options.filter);

  testing::PushInputBoxAnswer(L"typed");
  EXPECT_EQ(InputBox(L"Folder:", L"Velvane", L"C:\\"), std::optional<std::wstring>(L"typed"));
  EXPECT_EQ(InputBox(L"Folder:", L"Velvane"), std::nullopt);
  EXPECT_EQ(testing::InputBoxLog()[0].initial, L"C:\\");

  testing::SetWorkArea({0, 0, 1280, 994});
  EXPECT_EQ(WorkArea(), (Rect{0, 0, 1280, 994}));
  QuitApplication(3);
  EXPECT_EQ(testing::QuitRequested(), std::optional<int>(3));
}

TEST_F(UiForms, CheckBoxValueAndButtonCaption) {
  Window window(Spec());
  CheckBox& box = window.AddCheckBox(L"chk(1)", {10, 10, 150, 17}, L"Fade");
  Button& button = window.AddButton(L"cmd(0)", {10, 40, 80, 21}, L"Accept");
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.SetValue(true);
  box.SetValue(true);
  EXPECT_TRUE(box.Value());
  EXPECT_EQ(clicks, 1);
  box.NotifyValue(false);
  EXPECT_FALSE(box.Value());
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(button.Text(), L"Accept");
  EXPECT_EQ(box.Text(), L"Fade");
  EXPECT_FALSE(box.BackColorSet());
}

}  // namespace
}  // namespace velvane::ui
