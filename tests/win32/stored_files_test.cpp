// Stored files on Windows. Velvane reads and writes profile files itself, and the system's profile functions are the
// reference: both read the same values and leave the same bytes after the same writes (a rewrite drops blank lines),
// and a file whose values need UTF-16LE is one that each reads and writes after the other. The shipped files read the
// same whatever the system's code page: ctest runs CodePage once more under a Russian (1251), Japanese (932) and UTF-8
// system code page, and VELVANE_CODE_PAGE names the one a run expects, so a run that did not get it fails.
#include <windows.h>

#include <array>
#include <cstdlib>
#include <tuple>

#include "common/data_store.h"
#include "common/lang.h"
#include "core/commands.h"
#include "platform/text_codec.h"
#include "test_support.h"

namespace velvane {
namespace {

std::wstring SystemRead(const std::wstring& file, const std::wstring& section, const std::wstring& key, DWORD size) {
  std::wstring value(size, L' ');
  const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value.data(), size, file.c_str());
  return value.substr(0, n);
}

bool SystemWrite(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                 const std::wstring& value) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

TEST(ProfileConformance, ReadsAndWritesAgreeWithTheSystem) {
  test::TempDir dir;
  DataStore store;
  store.Open(Folders::Of(dir.Path()));
  CreateDirectoryW(store.folders.DataDir.c_str(), nullptr);
  ProfileFile& own = store.config;
  const std::string sample =
      "\r\n  [ A ]  \r\n k1 = v1 \r\nk2=\"quoted\"\r\nk3='single\"\r\nk4=0123456789abc\r\nk5\r\n;c=d\r\n"
      "[A]\r\nk6=dup\r\n[B\r\nk7=x\r\nk8==y\r\n[C]\nlf=unix\n[D]\r\nk=a=b\r\n";
  const std::array<const wchar_t*, 3> cases[] = {  // section, key, value
      {L"A", L"k1", L"v1"},       {L" A ", L"k1", L"v1"},       {L"a", L"K1", L"v1"}, {L"A", L"k2", L"quoted"},
      {L"A", L"k3", L"'single\""}, {L"A", L"k4", L"012345678"}, {L"A", L"k5", L""},   {L"A", L"k6", L""},
      {L"B", L"k7", L""},         {L"D", L"k", L"a=b"},         {L"C", L"lf", L"unix"}, {L"A", L"zz", L""},
      {L"Z", L"k1", L""}};
  const std::wstring& file = own.Path();
  for (const std::string& content : {sample, std::string()}) {
    test::WriteBytes(file, content);
    for (const auto& [section, key, value] : cases) {
      const std::wstring expected = content.empty() ? L"" : value;
      EXPECT_EQ(SystemRead(file, section, key, 10), expected) << key;
      EXPECT_EQ(own.Get(section, key).substr(0, 9), expected) << key;
    }
  }

  // Velvane sets a group of keys in one write; the system one key a write: the bytes are the same.
  const std::array<const wchar_t*, 3> writes[] = {{L"INIT", L"Total", L"2"}, {L"E1", L"Name", L"Note pad "},
                                                  {L"E1", L"Exec", L"  x"},  {L"INIT", L"Other", L"q"},
                                                  {L"init", L"total", L"3"}, {L"E2", L"Path", L"C:\\a b\\c.exe"}};
  const std::wstring system = dir / L"system.ini";
  std::vector<ProfileFile::Value> group;
  for (const auto& [section, key, value] : writes) {
    ASSERT_TRUE(SystemWrite(system, section, key, value));
    group.push_back({section, key, value});
  }
  ASSERT_TRUE(own.Set(group));
  for (const std::wstring& written : {system, file})
    EXPECT_EQ(test::ReadBytes(written),
              "[INIT]\r\nTotal=3\r\nOther=q\r\n[E1]\r\nName=Note pad\r\nExec=x\r\n[E2]\r\nPath=C:\\a b\\c.exe\r\n");
  for (const std::wstring& written : {system, file})
    test::WriteBytes(written, "\r\n[A]\r\nk1=v1\r\nk5\r\n;c=d\r\n\r\n[B]\r\nx=1\r\n");
  const std::vector<ProfileFile::Value> one{{L"A", L"k1", L"new"}}, two{{L"S", L"a", test::kSpanish}, {L"S", L"w", test::kWorld}};
  ASSERT_TRUE(SystemWrite(system, L"A", L"k1", L"new") && own.Set(one));
  for (const std::wstring& written : {system, file})
    EXPECT_EQ(test::ReadBytes(written), "[A]\r\nk1=new\r\nk5\r\n;c=d\r\n[B]\r\nx=1\r\n");

  // Velvane turns the file into UTF-16LE for a value that needs it; the system reads it and writes it in that form,
  // the bytes Velvane writes for the same values.
  const std::wstring& unicode = file;
  test::WriteBytes(unicode, "");
  ASSERT_TRUE(own.Set(two));
  EXPECT_EQ(SystemRead(unicode, L"S", L"a", 100) + SystemRead(unicode, L"S", L"w", 100), test::kSpanish + test::kWorld);
  ASSERT_TRUE(SystemWrite(unicode, L"T", L"n", test::kWorld + L"2"));
  EXPECT_EQ(own.Get(L"T", L"n"), test::kWorld + L"2");
  const std::wstring text = L"[S]\r\na=" + test::kSpanish + L"\r\nw=" + test::kWorld + L"\r\n[T]\r\nn=" + test::kWorld +
                            L"2\r\n";
  EXPECT_EQ(test::ReadBytes(unicode), "\xFF\xFE" + platform::codec::ToUtf16Le(text));
}

TEST(CodePage, ShippedSpanishFilesReadRight) {
  if (const char* expected = std::getenv("VELVANE_CODE_PAGE")) {
    ASSERT_EQ(GetACP(), std::stoul(expected));
  }
  std::wstring assets = L"Z:" VELVANE_ASSETS_DIR;  // the source tree as Windows programs under Wine see it
  for (auto& c : assets) c = c == L'/' ? L'\\' : c;
  DataStore store;
  store.Open(Folders::Of(assets));
  EXPECT_EQ(store.config.Get(L"LANG", L"Op2"), L"Espa\u00F1ol|spanish");
  for (const auto& [file, key, text] : {std::tuple(L"velvane", L"_btn:add", L"A\u00F1adir"),
                                        std::tuple(L"velvane", L"_main:oconfiguration", L"Configuraci\u00F3n"),
                                        std::tuple(L"primewiz", L"_btn:prev", L"< Atr\u00E1s")}) {
    clsLang table(store);
    table.LoadLanguage(L"spanish", file);
    EXPECT_EQ(table.lReplace(key), text);
  }
  // An older second start hands its command line over untagged, in the system's code page: read in that one.
  const std::wstring sent = GetACP() == 1251 ? L"-addtodo \u0416\u0443\u043A"
                            : GetACP() == 932 ? L"-addtodo \u65E5\u672C" : L"-addtodo \u00C9t\u00E9";
  char bytes[64] = {};
  WideCharToMultiByte(CP_ACP, 0, sent.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
  EXPECT_EQ(HandOffCommand(0, bytes), sent);
}

}  // namespace
}  // namespace velvane
