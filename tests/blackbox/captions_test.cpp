// What other programs (screen readers, automation) find in the side bar: its controls with their translated
// captions, and the rows of the clipboard history and the file shelf.
#include <algorithm>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

constexpr wchar_t kLabelClass[] = L"VelvaneLabel";
constexpr wchar_t kImageClass[] = L"VelvaneImage";

// The captions of the section titles and the text buttons, by their keys in the language file.
constexpr const wchar_t* kCaptionKeys[] = {
    L"_main:clipboard", L"_main:tempfiles", L"_main:todolist",       L"_main:notes",
    L"_main:execute",   L"_main:eadd",      L"_main:elist",          L"_main:onotepad",
    L"_btn:about",      L"_main:oconfiguration", L"_main:ohide",     L"_main:oclose"};

class Captions : public BlackBoxTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(Captions, ComeFromTheActiveLanguage) {
  const std::wstring language = GetParam();
  installation_.Configure({.language = language});
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());

  std::vector<std::wstring> texts;
  for (HWND child : ChildWindows(bar.Window())) texts.push_back(WindowText(child));
  const std::wstring file = installation_.Path(L"lang\\" + language + L"\\velvane.txt");
  for (const wchar_t* key : kCaptionKeys) {
    const auto expected = LanguageText(file, key);
    ASSERT_TRUE(expected.has_value()) << Utf8(key) << " is missing from " << Utf8(file);
    EXPECT_NE(std::find(texts.begin(), texts.end(), *expected), texts.end())
        << "no control reads \"" << Utf8(*expected) << "\" (" << Utf8(key) << ")";
  }
  for (const auto& text : texts)
    EXPECT_EQ(text.find(L"_main:"), std::wstring::npos) << "untranslated caption \"" << Utf8(text) << "\"";
}

INSTANTIATE_TEST_SUITE_P(Languages, Captions, ::testing::Values(L"english", L"spanish"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& p) { return Utf8(p.param); });

// Seven clipboard rows 17 pixels apart with a lock beside each but the last, fifteen shelf rows 19 apart: all there,
// and no more. The shelf rows show the shelf kept from the last run.
class Layout : public BlackBoxTest {};

TEST_F(Layout, RowsOfTheClipboardAndTheShelf) {
  installation_.Configure({});
  ASSERT_TRUE(WriteBytes(installation_.DataFile(L"tempfiles.qdt"),
                         "C:\\docs\\report.txt\rC:\\Tools\rC:\\backup.tar.gz\r[END]\r\n"));
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND w = bar.Window();

  for (int row = 0; row <= 7; ++row) {
    SCOPED_TRACE("clipboard row " + std::to_string(row + 1));
    const HWND label = ChildAt(w, kLabelClass, 28, 42 + 17 * row, 129, 17);
    const HWND lock = ChildAt(w, kImageClass, 12, 44 + 17 * row, 9, 12);
    EXPECT_EQ(label != nullptr, row < 7);
    EXPECT_EQ(lock != nullptr, row < 6);
    if (label) {
      EXPECT_TRUE(GetWindowLongPtrW(label, GWL_STYLE) & WS_VISIBLE);
    }
  }
  std::vector<std::wstring> shelf;
  for (int row = 0; row <= 15; ++row) {
    SCOPED_TRACE("shelf row " + std::to_string(row + 1));
    const HWND label = ChildAt(w, kLabelClass, 168, 36 + 19 * row, 177, 17);
    EXPECT_EQ(label != nullptr, row < 15);
    if (label) shelf.push_back(WindowText(label));
  }
  ASSERT_EQ(shelf.size(), 15u);
  EXPECT_EQ(shelf[0], L"TXT - report");
  EXPECT_EQ(shelf[1], L"Tools");
  EXPECT_EQ(shelf[2], L"TAR.GZ - backup");
  EXPECT_EQ(shelf[3], L"");
}

}  // namespace
}  // namespace blackbox
