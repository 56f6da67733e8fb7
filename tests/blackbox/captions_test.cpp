// What other programs (screen readers, automation) find in the side bar: its captions in the active language.
#include <algorithm>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

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

}  // namespace
}  // namespace blackbox
