#include <gtest/gtest.h>

#include "common/lang.h"
#include "common/settings_store.h"
#include "test_support.h"

namespace velvane {
namespace {

class LangTest : public ::testing::Test {
protected:
  void SetUp() override { SetAppFoldersFrom(dir_.Path()); }
  void WriteLang(const std::wstring& lang, const std::string& bytes) {
    test::WriteBytes(LangDir + lang + L"\\velvane.txt", bytes);
  }
  clsLang Load(const std::wstring& lang) {
    clsLang table([this](const std::wstring& text, const std::wstring& title) { messages_.push_back(title + L"|" + text); });
    table.LoadLanguage(lang, L"velvane");
    return table;
  }

  test::TempDir dir_;
  std::vector<std::wstring> messages_;
};

TEST_F(LangTest, EntriesSplitAtTheFirstEqualsKeepTheirBlanksAndStopAtEnd) {
  WriteLang(L"english", "k=b=c\r\nno equals here\r\n _btn:add = Add\r\n[END]\r\nx=y\r\n");
  const clsLang t = Load(L"english");
  ASSERT_EQ(t.Count(), 2);
  EXPECT_EQ(t.Entry(1).first, L"k");
  EXPECT_EQ(t.Entry(1).second, L"b=c");
  EXPECT_EQ(t.lReplace(L"x"), L"x");
  EXPECT_EQ(t.lReplace(L"_btn:add"), L"_btn:add");
  EXPECT_EQ(t.lReplace(L"[ _btn:add ]"), L"[ Add]");
}

TEST_F(LangTest, ReplacementRulesFollowFileOrder) {
  WriteLang(L"english",
            "_main:title=Velvane|R|side bar\r\n_info:sstype=Kind\r\n_info:sstype0=Whole screen\r\n"
            "_x=_y\r\n_y=done\r\n");
  const clsLang t = Load(L"english");
  EXPECT_EQ(t.lReplace(L"Save to _main:title?"), L"Save to Velvane\rside bar?");
  EXPECT_EQ(t.lReplace(L"_info:sstype0"), L"Kind0");  // an earlier key that begins a longer one changes it
  EXPECT_EQ(t.lReplace(L"_x"), L"done");  // texts produced by earlier entries are searched again by later ones
}

TEST_F(LangTest, OnlyThe100FirstEntriesAnd255FirstLinesCount) {
  std::string lines;
  // Keys that no other key is part of, so that entry 100 and 101 are judged on their own.
  for (int i = 1; i <= 101; ++i) lines += "<" + std::to_string(i) + ">=v" + std::to_string(i) + "\r\n";
  WriteLang(L"english", lines);
  clsLang t = Load(L"english");
  EXPECT_EQ(t.Count(), 100);
  EXPECT_EQ(t.lReplace(L"<100>"), L"v100");
  EXPECT_EQ(t.lReplace(L"<101>"), L"<101>");
  std::string crs;
  for (int i = 0; i < 254; ++i) crs += "#\r";
  WriteLang(L"spanish", crs + "late=seen\rlater=never\r");
  t = Load(L"spanish");
  EXPECT_EQ(t.lReplace(L"later"), L"seenr");  // line 255 was loaded, line 256 never
}

TEST_F(LangTest, FallsBackToTheDefaultLanguageSilentlyOrNamesTheRequestedOne) {
  test::WriteBytes(DataDir + L"config.qdt", "[LANG]\r\nActive=klingon\r\nDef=english\r\n");
  WriteLang(L"english", "_btn:add=Add\r\n");
  clsLang t = Load(L"klingon");
  EXPECT_EQ(t.lReplace(L"_btn:add"), L"Add");
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(t.ActLang(), L"klingon");
  EXPECT_EQ(t.DefLang(), L"english");

  test::WriteBytes(DataDir + L"config.qdt", "[LANG]\r\nDef=missing\r\n");
  t = Load(L"klingon");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0],
            L"Error|Error opening the languaje file: klingon\\velvane. Default file couldn't be loaded either.");
  EXPECT_EQ(t.lReplace(L"_btn:add|R|"), L"_btn:add|R|");  // an empty table leaves everything as it is
  WriteLang(L"spanish", "");
  EXPECT_EQ(Load(L"spanish").Count(), 0);
  EXPECT_EQ(messages_.size(), 1u) << "an empty file is no error";
}

}  // namespace
}  // namespace velvane
