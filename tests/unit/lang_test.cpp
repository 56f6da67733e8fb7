// Texts: the small text and number routines, and the language tables built on them.
#include <gtest/gtest.h>

#include "common/lang.h"
#include "common/numbers.h"
#include "common/settings_store.h"
#include "common/text.h"
#include "test_support.h"

namespace velvane {
namespace {

TEST(TextRoutines, SeparatorsCutAtTheFirstOccurrenceWithinTheFirst255Characters) {
  const std::wstring late = std::wstring(279, L'x') + L"=" + std::wstring(20, L'y');
  const std::wstring edge = std::wstring(254, L'x') + L"=z";  // the 255th character, then the 256th
  const std::wstring cases[][4] = {  // text, separator, before, after
      {L"a=b=c", L"=", L"a", L"b=c"}, {L"abc", L"=", L"", L"abc"},
      {L"key::value", L"::", L"key", L":value"},  // a longer separator counts as one character
      {late, L"=", L"", late}, {edge, L"=", std::wstring(254, L'x'), L"z"}, {L"x" + edge, L"=", L"", L"x" + edge}};
  for (const auto& c : cases) {
    EXPECT_EQ(TextBefore(c[0], c[1]), c[2]) << c[0].size();
    EXPECT_EQ(TextAfter(c[0], c[1]), c[3]) << c[0].size();
  }
}

TEST(TextRoutines, FieldsDropsAndReplacements) {
  const std::pair<int, const wchar_t*> fields[] = {{0, L""}, {1, L"1"}, {2, L"2"}, {3, L"3"}, {4, L"3"}};
  for (const auto& [n, field] : fields) EXPECT_EQ(TextField(L"1,2,3", L",", n), field) << n;
  EXPECT_EQ(TextField(L"single", L",", 1) + L"|" + TextField(L"single", L",", 2), L"|single");
  EXPECT_EQ(DropLeft(L"abc", 1) + L"|" + DropLeft(L"abc", 4) + L"|" + DropLeft(L"abc", -2), L"bc||abc");
  EXPECT_EQ(DropRight(L"abc", 1) + L"|" + DropRight(L"abc", 4), L"ab|");
  EXPECT_EQ(ReplaceAll(L"aaa", L"a", L"aa"), L"aaaaaa");  // inserted text is not searched again
  EXPECT_EQ(ReplaceAll(L"abc", L"", L"z"), L"abc");
  EXPECT_EQ(TrimBlanks(L"  \tx \t "), L"\tx \t");
  EXPECT_EQ(ToLowerText(L"NotePad \u00C9"), L"notepad \u00E9");
}

TEST(Numbers, LeadingNumberReadsWhatATextStartsWith) {
  const std::pair<const wchar_t*, double> cases[] = {
      {L"", 0.0},  {L"abc", 0.0}, {L"1abc", 1.0},  {L"1.0", 1.0}, {L"  42 apples", 42.0}, {L"-2", -2.0},
      {L".5", 0.5}, {L"1e3", 1000.0}, {L"1e", 1.0}, {L"-", 0.0},  {L"1e999999", 1.0}};  // a runaway exponent is not read
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
}

TEST(Numbers, WholeNumbersRoundHalvesToEvenAndOverflowOutsideTheType) {
  const std::pair<double, int> bytes[] = {{1.5, 2}, {2.5, 2}, {254.6, 255}, {-0.5, 0} /* 0 is inside the range */};
  for (const auto& [value, byte] : bytes) EXPECT_EQ(ToByte(value), byte) << value;
  EXPECT_EQ(ToInt32(-2.5), -2);
  EXPECT_EQ(ToInt32(-3.5), -4);
  for (double v : {256.0, -1.0, 255.5}) EXPECT_EQ(test::ErrorNumberOf([&] { ToByte(v); }), 6) << v;
  EXPECT_EQ(test::ErrorNumberOf([] { ToInt16(32768.0); }), 6);
  EXPECT_EQ(ToInt16(-32768.0), -32768);
  EXPECT_EQ(ByteValue(L"255.4"), 255);
}

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
  EXPECT_EQ(t.Entry(1).first + L"|" + t.Entry(1).second, L"k|b=c");
  EXPECT_EQ(t.lReplace(L"x") + t.lReplace(L"_btn:add"), L"x_btn:add");
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
  EXPECT_EQ(t.lReplace(L"<100><101>"), L"v100<101>");
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
