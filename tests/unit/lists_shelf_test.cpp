#include <gtest/gtest.h>

#include "lists/temp_files.h"
#include "lists_support.h"

namespace velvane {
namespace {

class ListsShelf : public test::ListsFixture {
protected:
  void SetUp() override {
    ListsFixture::SetUp();
    for (int i = 1; i <= clsTempFiles::kTotal; ++i)
      labels[static_cast<size_t>(i)] = &panel.AddLabel(L"lblFiles(" + std::to_wstring(i) + L")", {168, 17 * i, 177, 17});
    shelf.Bind(labels);
  }
  std::wstring Caption(int row) const { return labels[static_cast<size_t>(row)]->Text(); }

  ui::Window panel{PanelSpec()};
  std::array<ui::Label*, clsTempFiles::kTotal + 1> labels{};
  clsTempFiles shelf;
};

TEST_F(ListsShelf, CaptionsSplitTheNameAtItsFirstDot) {
  EXPECT_EQ(clsTempFiles::CaptionOf(L"C:\\docs\\report.txt"), L"TXT - report");
  EXPECT_EQ(clsTempFiles::CaptionOf(L"C:\\b\\backup.tar.gz"), L"TAR.GZ - backup");
  EXPECT_EQ(clsTempFiles::CaptionOf(L"C:\\Program Files\\Tools"), L"Tools");
  // The dot test looks at the whole path: a dotless file in a dotted folder.
  EXPECT_EQ(clsTempFiles::CaptionOf(L"C:\\my.folder\\readme"), L"README - ");
  // A drive root has no name after its backslash and is shown by what comes before it.
  EXPECT_EQ(clsTempFiles::CaptionOf(L"D:\\"), L"D:");
}

TEST_F(ListsShelf, DropsFillPlacesInOrderWithoutExactDuplicates) {
  EXPECT_TRUE(shelf.AddFile(L"C:\\a.txt"));
  EXPECT_TRUE(shelf.AddFile(L"C:\\Tools"));
  EXPECT_FALSE(shelf.AddFile(L"C:\\a.txt"));
  EXPECT_TRUE(shelf.AddFile(L"C:\\A.txt"));  // another letter case is another path
  EXPECT_FALSE(shelf.AddFile(L"[END]"));
  EXPECT_EQ(shelf.FilePath(3), L"C:\\A.txt");
  EXPECT_EQ(Caption(2), L"Tools");
  EXPECT_EQ(Caption(4), L"");
}

TEST_F(ListsShelf, FullShelfIgnoresMoreAndDeletingClosesTheGap) {
  for (int i = 1; i <= 15; ++i) shelf.AddFile(L"C:\\f\\file" + std::to_wstring(i) + L".txt");
  EXPECT_FALSE(shelf.AddFile(L"C:\\sixteen.txt"));

  shelf.DelFile(5);
  EXPECT_EQ(shelf.FilePath(5), L"C:\\f\\file6.txt");
  EXPECT_EQ(shelf.FilePath(14), L"C:\\f\\file15.txt");
  EXPECT_EQ(Caption(15), L"");
  EXPECT_TRUE(shelf.AddFile(L"C:\\new.doc"));
  EXPECT_EQ(Caption(15), L"DOC - new");
}

TEST_F(ListsShelf, FileHoldsPathsEachEndedByCrThenTheMarkerWhileTheOptionIsOn) {
  shelf.AddFile(L"C:\\a.txt");
  shelf.AddFile(L"C:\\b.doc");
  shelf.SaveList();
  EXPECT_FALSE(test::Exists(clsTempFiles::ShelfFile()));

  OptChk[kOptKeepFiles] = true;
  ASSERT_TRUE(shelf.SaveList());
  EXPECT_EQ(test::ReadBytes(clsTempFiles::ShelfFile()), "C:\\a.txt\rC:\\b.doc\r[END]\r\n");
  clsTempFiles loaded;
  loaded.LoadList();
  EXPECT_EQ(loaded.FilePath(2), L"C:\\b.doc");
  EXPECT_TRUE(loaded.FilePath(3).empty());
}

}  // namespace
}  // namespace velvane
