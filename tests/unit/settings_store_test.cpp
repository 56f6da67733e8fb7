#include <gtest/gtest.h>

#include <algorithm>

#include "common/errors.h"
#include "common/settings_store.h"
#include "platform/ini_profile.h"
#include "platform/profile.h"
#include "test_support.h"

namespace velvane {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(SettingsStore, FoldersEndWithABackslash) {
  SetAppFoldersFrom(L"C:\\Tools\\Velvane");
  EXPECT_EQ(AppDir, L"C:\\Tools\\Velvane\\");
  EXPECT_EQ(DataDir, L"C:\\Tools\\Velvane\\data\\");
  SetAppFoldersFrom(L"D:");  // a drive root: the runtime already gives no backslash
  EXPECT_EQ(AppDir, L"D:\\");
}

TEST(SettingsStore, SettingsReadEmptyWhenMissingAreCutAt4999AndStoredInTheAnsiCodePage) {
  TempDir dir;
  const std::wstring file = dir / L"config.qdt";
  EXPECT_EQ(ReadSetting(file, L"S", L"K"), L"");
  WriteSetting(file, L"S", L"K", L"Espa\u00F1ol \u20AC \u4E2D");
  EXPECT_EQ(ReadBytes(file), "[S]\r\nK=Espa\xF1ol \x80 ?\r\n");
  EXPECT_EQ(ReadSetting(file, L"S", L"K"), L"Espa\u00F1ol \u20AC ?");
  EXPECT_EQ(ReadSetting(file, L"S", L"Other") + ReadSetting(file, L"NOPE", L"K"), L"");
  const std::wstring value(6000, L'v');
  WriteSetting(file, L"S", L"K", value);
  EXPECT_EQ(ReadSetting(file, L"S", L"K"), value.substr(0, 4999));
}

TEST(SettingsStore, WrittenTextGainsOneLineEndAndAFailedWriteLeavesTheOldFile) {
  TempDir dir;
  const std::wstring file = dir / L"notes.qdt";
  WriteTextFile(file, L"two\r\nlines");
  EXPECT_EQ(ReadBytes(file), "two\r\nlines\r\n");
  EXPECT_EQ(ReadTextFile(file), L"two\r\nlines\r\n");
  EXPECT_EQ(ReadTextFile(dir / L"missing.qdt"), L"");
  EXPECT_THROW(WriteTextFile(dir / L"no-such-folder\\notes.qdt", L"x"), RuntimeError);
  EXPECT_EQ(ReadBytes(file), "two\r\nlines\r\n");
  EXPECT_FALSE(test::Exists(file + L".new~"));
}

TEST(SettingsStore, LinesEndAtCrOrCrLfButNotAtALoneLfAndRereadAfterARewrite) {
  TempDir dir;
  const std::wstring file = dir / L"lines.txt";
  WriteBytes(file, "one\rtwo\r\nthree\nstill three\r[END]\r\n");
  const std::pair<int, const wchar_t*> lines[] = {
      {1, L"one"}, {2, L"two"}, {3, L"three\nstill three"}, {4, L"[END]"}, {5, L""}, {0, L""}, {-1, L""}};
  for (const auto& [n, line] : lines) EXPECT_EQ(ReadFileLine(file, n), line) << n;
  EXPECT_EQ(ReadFileLine(dir / L"none.txt", 1), L"");
  WriteBytes(file, "a\r\nb");  // a last line without a break still counts
  EXPECT_EQ(ReadFileLine(file, 2) + L"|" + ReadFileLine(file, 3), L"b|");
  WriteBytes(file, "c\rd\r");  // same size, possibly the same time stamp
  EXPECT_EQ(ReadFileLine(file, 1) + L"|" + ReadFileLine(file, 2), L"c|d");
}

TEST(SettingsStore, ExistenceAndListing) {
  TempDir dir;
  WriteBytes(dir / L"skins\\Graphite\\skin.txt", "x");
  WriteBytes(dir / L"skins\\Daylight\\skin.txt", "x");
  EXPECT_TRUE(FileExists(dir / L"skins\\Graphite\\skin.txt"));
  EXPECT_TRUE(FileExists(dir / L"skins\\Graphite\\*.txt"));
  EXPECT_FALSE(FileExists(dir / L"skins\\Graphite"));  // a folder is not a file
  EXPECT_FALSE(FileExists(dir / L"skins\\Graphite\\*.bmp"));
  EXPECT_FALSE(FileExists(L""));
  EXPECT_TRUE(FolderExists(dir / L"skins\\Graphite"));
  EXPECT_TRUE(FolderExists(dir / L"skins\\Graphite\\skin.txt"));
  EXPECT_FALSE(FolderExists(dir / L"skins\\Nope"));

  auto names = ListFolder(dir / L"skins\\");
  ASSERT_EQ(names.size(), 4u);
  std::sort(names.begin() + 2, names.end());  // the dot entries first, then in no set order
  EXPECT_EQ(names, (std::vector<std::wstring>{L".", L"..", L"Daylight", L"Graphite"}));
  EXPECT_EQ(ListFolder(dir / L"nothing\\"), std::vector<std::wstring>{L""});
}

TEST(SettingsStore, FileBaseNameTakesTheLastComponent) {
  EXPECT_EQ(FileBaseName(L"C:\\a\\b\\my.file.txt", false), L"my");
  EXPECT_EQ(FileBaseName(L"C:\\a\\b\\my.file.txt", true), L"my.file.txt");
  EXPECT_EQ(FileBaseName(L"plain.exe", false), L"plain.exe");  // no backslash: unchanged
  EXPECT_EQ(FileBaseName(L"C:\\bin\\noext", false) + FileBaseName(L"C:\\dir.d\\", true), L"");
}

// The profile functions and their portable twin, held to the same rules; under Wine "system" is the real API.
TEST(ProfileConformance, SystemAndTwinReadTheSameValue) {
  const std::string sample =
      "\r\n  [ A ]  \r\n k1 = v1 \r\nk2=\"quoted\"\r\nk3='single\"\r\nk4=0123456789abc\r\nk5\r\n;c=d\r\n"
      "[A]\r\nk6=dup\r\n[B\r\nk7=x\r\nk8==y\r\n[C]\nlf=unix\n[D]\r\nk=a=b\r\n";
  struct Case {
    const char *section, *key, *expected;
  };
  const Case cases[] = {{"A", "k1", "v1"},          {" A ", "k1", "v1"}, {"a", "K1", "v1"},   {"A", "k2", "quoted"},
                        {"A", "k3", "'single\""},    {"A", "k4", "012345678"}, {"A", "k5", ""}, {"A", "k6", ""},
                        {"B", "k7", ""},            {"D", "k", "a=b"},   {"C", "lf", "unix"}, {"A", "zz", ""},
                        {"Z", "k1", ""}};
  TempDir dir;
  const std::wstring file = dir / L"p.ini";
  for (const std::string& content : {sample, std::string()}) {
    WriteBytes(file, content);
    for (const Case& c : cases) {
      const std::string expected = content.empty() ? "" : c.expected;
      EXPECT_EQ(platform::ProfileRead(test::Native(file).string(), c.section, c.key, 10), expected) << c.key;
      EXPECT_EQ(platform::ini::Read(content, c.section, c.key, 10), expected) << c.key;
    }
  }
}

TEST(ProfileConformance, SystemAndTwinWriteTheSameBytesAndRewritingDropsBlankLines) {
  TempDir dir;
  const std::wstring file = dir / L"w.ini";
  const std::string path = test::Native(file).string();
  std::string twin;
  struct Write {
    const char *section, *key, *value;
  };
  for (const Write& w : {Write{"INIT", "Total", "2"}, Write{"E1", "Name", "Note pad "}, Write{"E1", "Exec", "  x"},
                         Write{"INIT", "Other", "q"}, Write{"init", "total", "3"}, Write{"E2", "Path", "C:\\a b\\c.exe"}}) {
    ASSERT_TRUE(platform::ProfileWrite(path, w.section, w.key, w.value));
    twin = platform::ini::Write(twin, w.section, w.key, w.value);
  }
  std::string expected =
      "[INIT]\r\nTotal=3\r\nOther=q\r\n[E1]\r\nName=Note pad\r\nExec=x\r\n[E2]\r\nPath=C:\\a b\\c.exe\r\n";
  EXPECT_EQ(ReadBytes(file), expected);
  EXPECT_EQ(twin, expected);

  const std::string start = "\r\n[A]\r\nk1=v1\r\nk5\r\n;c=d\r\n\r\n[B]\r\nx=1\r\n";
  WriteBytes(file, start);
  ASSERT_TRUE(platform::ProfileWrite(path, "A", "k1", "new"));
  expected = "[A]\r\nk1=new\r\nk5\r\n;c=d\r\n[B]\r\nx=1\r\n";
  EXPECT_EQ(ReadBytes(file), expected);
  EXPECT_EQ(platform::ini::Write(start, "A", "k1", "new"), expected);
}

}  // namespace
}  // namespace velvane
