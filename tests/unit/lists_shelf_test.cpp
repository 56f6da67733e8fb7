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
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\docs\\report.txt", L"TXT - report"}, {L"C:\\b\\backup.tar.gz", L"TAR.GZ - backup"},
      {L"C:\\Program Files\\Tools", L"Tools"},
      {L"C:\\my.folder\\readme", L"README - "},  // the dot test looks at the whole path
      {L"D:\\", L"D:"}};                           // a drive root is shown by what comes before its backslash
  for (const auto& [path, caption] : cases) EXPECT_EQ(clsTempFiles::CaptionOf(path), caption) << path;
}

TEST_F(ListsShelf, DropsFillPlacesInOrderWithoutExactDuplicatesUpToFifteen) {
  EXPECT_TRUE(shelf.AddFile(L"C:\\a.txt"));
  EXPECT_FALSE(shelf.AddFile(L"C:\\a.txt"));
  EXPECT_TRUE(shelf.AddFile(L"C:\\A.txt"));  // another letter case is another path
  EXPECT_FALSE(shelf.AddFile(L"[END]"));
  EXPECT_EQ(Caption(3), L"");
  for (int i = 3; i <= 15; ++i) shelf.AddFile(L"C:\\f\\file" + std::to_wstring(i) + L".txt");
  EXPECT_FALSE(shelf.AddFile(L"C:\\sixteen.txt"));
  shelf.DelFile(2);
  EXPECT_EQ(shelf.FilePath(2), L"C:\\f\\file3.txt");
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
