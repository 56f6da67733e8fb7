// The common routines: settings and files, the profile format, texts, numbers and the language tables.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/data_store.h"
#include "common/lang.h"
#include "common/numbers.h"
#include "common/text.h"
#include "common/text_files.h"
#include "platform/text_codec.h"
#include "test_support.h"

namespace velvane {
namespace {

class SettingsStore : public ::testing::Test {
protected:
  SettingsStore() {
    store.Open(Folders::Of(dir.Path()));
    std::filesystem::create_directories(test::Native(store.folders.DataDir));
  }
  test::TempDir dir;
  DataStore store;
};

// Values that fit Windows-1252 keep its bytes; one that does not turns the file into UTF-16LE with its mark until
// everything fits again. Missing files, sections and keys read as "", long values are cut at 4999 characters.
TEST_F(SettingsStore, SettingsKeepAnyScriptAreCutAt4999AndFilesAreReadAgainOnceChanged) {
  ProfileFile& config = store.config;
  const std::wstring& file = config.Path();
  EXPECT_EQ(config.Get(L"S", L"K"), L"");  // no file
  ASSERT_TRUE(config.Set({{L"S", L"K", test::kSpanish}}));
  EXPECT_EQ(test::ReadBytes(file), "[S]\r\nK=" + test::kSpanishBytes + "\r\n");
  ASSERT_TRUE(config.Set({{L"S", L"W", test::kWorld}}));
  EXPECT_EQ(test::ReadBytes(file).substr(0, 4), std::string("\xFF\xFE[\0", 4));
  EXPECT_EQ(config.Get(L"S", L"W") + config.Get(L"s", L"k"), test::kWorld + test::kSpanish);
  ASSERT_TRUE(config.Set({{L"S", L"W", L"x"}}));
  EXPECT_EQ(test::ReadBytes(file), "[S]\r\nK=" + test::kSpanishBytes + "\r\nW=x\r\n");
  EXPECT_EQ(config.Get(L"S", L"Other") + config.Get(L"NOPE", L"K"), L"");
  ASSERT_TRUE(config.Set({{L"S", L"K", std::wstring(6000, L'v')}}));
  EXPECT_EQ(config.Get(L"S", L"K"), std::wstring(4999, L'v'));
  // A key written by another program meanwhile stays: a group of keys is set on what the file holds at that moment.
  test::WriteBytes(file, "[S]\r\nOther=kept\r\n");
  ASSERT_TRUE(config.Set({{L"S", L"K", L"a\r\nb"}}));
  EXPECT_EQ(test::ReadBytes(file), "[S]\r\nOther=kept\r\nK=a b\r\n");

  // A file is read again once changed, and what was written is known (same size, possibly the same time stamp).
  DataFile& list = store.toDo;
  test::WriteBytes(list.Path(), "a\r\nb");
  EXPECT_EQ(*list.Read(), L"a\r\nb");
  ASSERT_TRUE(list.Write(L"c\rd\r"));
  EXPECT_EQ(*list.Read(), L"c\rd\r");
  test::WriteBytes(list.Path(), "changed by another program");
  EXPECT_EQ(*list.Read(), L"changed by another program");
  // A last line without a break counts. (CR, CR LF and a lone LF in a list file: the to-do list's tests.)
  EXPECT_EQ(SplitLines(L"a\r\nb"), (std::vector<std::wstring>{L"a", L"b"}));
}

// A mark decides the decoding; a byte outside any UTF-8 sequence (one the end cuts too: nothing past it is read) keeps
// its Windows-1252 meaning; a 1252 text that begins like a mark, and U+0080 to U+009F, are stored in the marked form.
TEST(StoredText, MarksBrokenSequencesAndMarkLikeText) {
  using namespace platform::codec;
  EXPECT_EQ(DecodeStored(std::string("\xFF\xFE" "A\0\x3D\xD8\x00\xDE\x00\xD8", 10)), L"A\U0001F600\xD800");
  EXPECT_EQ(DecodeStored(test::kUtf8Mark + "\xC3\xA9\xE9\x80\xED\xA0\x80"), L"\u00E9\u00E9\u20AC\xD800");
  const std::string cut = test::kUtf8Mark + "ab\xE2\x82\xAC";  // the euro sign, its last byte beyond the end
  EXPECT_EQ(DecodeStored(std::string_view(cut).substr(0, cut.size() - 1)), L"ab\u00E2\u201A");
  EXPECT_EQ(DecodeStored(EncodeStored(L"\u0085\u2026\u0081", UnicodeForm::Utf8)), L"\u0085\u2026\u0081");
  for (const wchar_t* text : {L"\u00FF\u00FEx", L"\u00EF\u00BB\u00BF"})
    EXPECT_EQ(DecodeStored(EncodeStored(text, UnicodeForm::Utf8)), text);
}

TEST_F(SettingsStore, FoldersExistenceListingAndBaseNames) {
  const std::wstring graphite = dir / L"skins\\Graphite";
  test::WriteBytes(graphite + L"\\skin.txt", "x");
  test::WriteBytes(dir / L"skins\\Daylight\\skin.txt", "x");
  EXPECT_TRUE(FileExists(graphite + L"\\skin.txt") && FileExists(graphite + L"\\*.txt"));
  EXPECT_FALSE(FileExists(graphite) || FileExists(graphite + L"\\*.bmp") || FileExists(L""));  // a folder is no file
  EXPECT_TRUE(FolderExists(graphite) && FolderExists(graphite + L"\\skin.txt"));
  EXPECT_FALSE(FolderExists(dir / L"skins\\Nope"));

  auto names = ListFolder(dir / L"skins\\");
  ASSERT_EQ(names.size(), 4u);
  std::sort(names.begin() + 2, names.end());  // the dot entries first, then in no set order
  EXPECT_EQ(names, (std::vector<std::wstring>{L".", L"..", L"Daylight", L"Graphite"}));
  EXPECT_EQ(ListFolder(dir / L"nothing\\"), std::vector<std::wstring>{L""});

  const Folders folders = Folders::Of(L"D:");  // the runtime gives no backslash: a drive root gets a doubled one
  EXPECT_EQ(folders.AppDir + L"|" + folders.LangDir + L"|" + folders.SkinDir, L"D:\\|D:\\lang\\|D:\\skins\\");
  // Without the extension, as the wizard's program search takes names, it is checked there.
  EXPECT_EQ(FileBaseName(L"C:\\a\\b\\my.file.txt", true) + L"|" + FileBaseName(L"C:\\dir.d\\", true), L"my.file.txt|");
}

// Separators cut at the first occurrence within the first 255 characters.
TEST(TextRoutines, SeparatorsFieldsDropsAndReplacements) {
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
  EXPECT_EQ(DropLeft(L"abc", 1) + L"|" + DropLeft(L"abc", 4) + L"|" + DropLeft(L"abc", -2), L"bc||abc");
  EXPECT_EQ(ReplaceAll(L"aaa", L"a", L"aa") + L"|" + ReplaceAll(L"abc", L"", L"z"), L"aaaaaa|abc");  // no rescan
  EXPECT_EQ(TrimBlanks(L"  \tx \t "), L"\tx \t");
  const std::wstring upper = L"NOTEPAD \u00C9 \u0160KODA \u0152UVRE \u0391\u0392\u03A9 \u0416\u0423\u041A \u0401";
  const std::wstring lower = L"notepad \u00E9 \u0161koda \u0153uvre \u03B1\u03B2\u03C9 \u0436\u0443\u043A \u0451";
  EXPECT_EQ(ToLowerText(upper) + L"|" + ToUpperText(lower), lower + L"|" + upper);
}

TEST(Numbers, LeadingNumbersAndWholeNumbersRoundingHalvesToEvenAndOverflowingOutsideTheType) {
  const std::pair<const wchar_t*, double> leading[] = {
      {L"", 0.0},  {L"abc", 0.0}, {L"1abc", 1.0},  {L"1.0", 1.0}, {L"  42 apples", 42.0}, {L"-2", -2.0},
      {L".5", 0.5}, {L"1e3", 1000.0}, {L"1e", 1.0}, {L"-", 0.0},  {L"1e999999", 1.0}};  // a runaway exponent is not read
  for (const auto& [text, value] : leading) EXPECT_EQ(LeadingNumber(text), value) << text;
  const std::pair<const wchar_t*, const wchar_t*> next[] = {  // exact beyond any type; signs, fractions, exponents
      {L"abc", L"1"}, {L"99999999999999999999x", L"100000000000000000000"}, {L"2.5e-1", L"1.25"}, {L"1e3", L"1001"},
      {L"-1.5", L"-0.5"}, {L"-0.25", L"0.75"}, {L"-1", L"0"}};
  for (const auto& [text, after] : next) EXPECT_EQ(NextNumberText(text), after) << text;
  const std::pair<const wchar_t*, std::optional<std::uint8_t>> bytes[] = {
      {L"1.5", 2}, {L"2.5", 2}, {L"254.6", 255}, {L"-0.5", 0} /* 0 is inside the range */, {L"255.4", 255},
      {L"256", std::nullopt}, {L"-1", std::nullopt}, {L"255.5", std::nullopt}};
  for (const auto& [text, byte] : bytes) EXPECT_EQ(ByteOf(text), byte) << text;
  EXPECT_EQ(std::pair(ToInt32(-2.5), ToInt32(-3.5)), std::pair(-2, -4));
  EXPECT_EQ(test::ErrorNumberOf([] { ToInt32(2147483648.0); }), 6);
}


class LangTest : public SettingsStore {
protected:
  void WriteLang(const std::wstring& lang, const std::string& bytes) const {
    test::WriteBytes(store.folders.LangDir + lang + L"\\velvane.txt", bytes);
  }
  clsLang Load(const std::wstring& lang) {
    clsLang table(store, [this](const std::wstring& text, const std::wstring& title) { messages_.push_back(title + L"|" + text); });
    table.LoadLanguage(lang, L"velvane");
    return table;
  }

  std::vector<std::wstring> messages_;
};

// Entries split at the first "=", keep their blanks, stop at [END] and replace in file order, earlier ones first.
TEST_F(LangTest, EntriesAndTheirReplacementRules) {
  WriteLang(L"english",
            "k=b=c\r\nno equals here\r\n _btn:add = Add\r\n_main:title=Velvane|R|side bar\r\n_info:sstype=Kind\r\n"
            "_info:sstype0=Whole screen\r\n_x=_y\r\n_y=done\r\n[END]\r\nx=y\r\n");
  const clsLang t = Load(L"english");
  ASSERT_EQ(t.Count(), 7);
  EXPECT_EQ(t.Entry(0).first + L"|" + t.Entry(0).second, L"k|b=c");
  EXPECT_EQ(t.lReplace(L"x|_btn:add|[ _btn:add ]|Save to _main:title?|_info:sstype0|_x"),
            L"x|_btn:add|[ Add]|Save to Velvane\rside bar?|Kind0|done");
}

TEST_F(LangTest, OnlyThe100FirstEntriesAnd255FirstLinesCount) {
  std::string lines;
  // Keys that no other key is part of, so that entry 100 and 101 are judged on their own.
  for (int i = 1; i <= 101; ++i) lines += "<" + std::to_string(i) + ">=v" + std::to_string(i) + "\r\n";
  WriteLang(L"english", lines);
  clsLang t = Load(L"english");
  EXPECT_EQ(t.Count(), 100);
  EXPECT_EQ(t.lReplace(L"<100><101>"), L"v100<101>");
  WriteLang(L"spanish", std::string(254, '\r') + "late=seen\rlater=never\r");
  t = Load(L"spanish");
  EXPECT_EQ(t.lReplace(L"later"), L"seenr");  // line 255 was loaded, line 256 never
}

TEST_F(LangTest, FallsBackToTheDefaultLanguageSilentlyOrNamesTheRequestedOne) {
  test::WriteBytes(store.config.Path(), "[LANG]\r\nActive=klingon\r\nDef=english\r\n");
  WriteLang(L"english", "_btn:add=Add\r\n");
  clsLang t = Load(L"klingon");
  EXPECT_EQ(t.lReplace(L"_btn:add") + L"|" + t.ActLang() + L"|" + t.DefLang(), L"Add|klingon|english");
  EXPECT_TRUE(messages_.empty());

  test::WriteBytes(store.config.Path(), "[LANG]\r\nDef=missing\r\n");
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
