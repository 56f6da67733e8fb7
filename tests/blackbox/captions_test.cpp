// What other programs (screen readers, automation) find in the side bar: translated captions and the list rows.
#include <algorithm>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

constexpr wchar_t kLabelClass[] = L"VelvaneLabel";
constexpr wchar_t kImageClass[] = L"VelvaneImage";

// The section titles and text buttons, by their keys in the language file.
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

// The last clipboard row and lock, and no more; the shelf rows show the shelf kept from the last run.
class Layout : public BlackBoxTest {};

TEST_F(Layout, RowsOfTheClipboardAndTheShelf) {
  installation_.Configure({});
  ASSERT_TRUE(WriteBytes(installation_.DataFile(L"tempfiles.qdt"),
                         "C:\\docs\\report.txt\rC:\\Tools\rC:\\backup.tar.gz\r[END]\r\n"));
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND w = bar.Window();
  EXPECT_NE(ChildAt(w, kLabelClass, 28, 42 + 17 * 6, 129, 17), nullptr);
  EXPECT_NE(ChildAt(w, kImageClass, 12, 44 + 17 * 5, 9, 12), nullptr);
  EXPECT_EQ(ChildAt(w, kLabelClass, 28, 42 + 17 * 7, 129, 17), nullptr);
  EXPECT_EQ(ChildAt(w, kImageClass, 12, 44 + 17 * 6, 9, 12), nullptr);
  const wchar_t* expected[] = {L"TXT - report", L"Tools", L"TAR.GZ - backup", L"", L""};
  for (int row = 0; row < 5; ++row) {
    const HWND label = ChildAt(w, kLabelClass, 168, 36 + 19 * row, 177, 17);
    ASSERT_NE(label, nullptr) << "shelf row " << row + 1;
    EXPECT_EQ(WindowText(label), expected[row]);
  }
  EXPECT_NE(ChildAt(w, kLabelClass, 168, 36 + 19 * 14, 177, 17), nullptr);
  EXPECT_EQ(ChildAt(w, kLabelClass, 168, 36 + 19 * 15, 177, 17), nullptr);
}

}  // namespace
}  // namespace blackbox
