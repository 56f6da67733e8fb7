// Stored files on Windows. Velvane reads and writes profile files itself, and the system's profile functions are the
// reference: both read the same values and leave the same bytes after the same writes (a rewrite drops blank lines),
// and a file whose values need UTF-16LE is one that each reads and writes after the other. The shipped files read the
// same whatever the system's code page: ctest runs CodePage once more under a Russian (1251), Japanese (932) and UTF-8
// system code page, and VELVANE_CODE_PAGE names the one a run expects, so a run that did not get it fails. The one
// text that comes in the system's code page, an older second start's hand-off, is read in it there.
#include <windows.h>

#include <array>
#include <cstdlib>
#include <tuple>

#include "common/folders.h"
#include "common/lang.h"
#include "common/profile_files.h"
#include "core/commands.h"
#include "platform/profile.h"
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
  const std::string sample =
      "\r\n  [ A ]  \r\n k1 = v1 \r\nk2=\"quoted\"\r\nk3='single\"\r\nk4=0123456789abc\r\nk5\r\n;c=d\r\n"
      "[A]\r\nk6=dup\r\n[B\r\nk7=x\r\nk8==y\r\n[C]\nlf=unix\n[D]\r\nk=a=b\r\n";
  const std::array<const wchar_t*, 3> cases[] = {  // section, key, value
      {L"A", L"k1", L"v1"},       {L" A ", L"k1", L"v1"},       {L"a", L"K1", L"v1"}, {L"A", L"k2", L"quoted"},
      {L"A", L"k3", L"'single\""}, {L"A", L"k4", L"012345678"}, {L"A", L"k5", L""},   {L"A", L"k6", L""},
      {L"B", L"k7", L""},         {L"D", L"k", L"a=b"},         {L"C", L"lf", L"unix"}, {L"A", L"zz", L""},
      {L"Z", L"k1", L""}};
  const std::wstring file = dir / L"p.ini";
  for (const std::string& content : {sample, std::string()}) {
    test::WriteBytes(file, content);
    for (const auto& [section, key, value] : cases) {
      const std::wstring expected = content.empty() ? L"" : value;
      EXPECT_EQ(SystemRead(file, section, key, 10), expected) << key;
      EXPECT_EQ(platform::ProfileRead(file, section, key, 10), expected) << key;
    }
  }

  const std::array<const wchar_t*, 3> writes[] = {{L"INIT", L"Total", L"2"}, {L"E1", L"Name", L"Note pad "},
                                                  {L"E1", L"Exec", L"  x"},  {L"INIT", L"Other", L"q"},
                                                  {L"init", L"total", L"3"}, {L"E2", L"Path", L"C:\\a b\\c.exe"}};
  using Writer = bool (*)(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&);
  for (const Writer write : {Writer{SystemWrite}, Writer{platform::ProfileWrite}}) {
    const std::wstring written = dir / (write == SystemWrite ? L"system.ini" : L"own.ini");
    for (const auto& [section, key, value] : writes) ASSERT_TRUE(write(written, section, key, value));
    EXPECT_EQ(test::ReadBytes(written),
              "[INIT]\r\nTotal=3\r\nOther=q\r\n[E1]\r\nName=Note pad\r\nExec=x\r\n[E2]\r\nPath=C:\\a b\\c.exe\r\n");
    test::WriteBytes(written, "\r\n[A]\r\nk1=v1\r\nk5\r\n;c=d\r\n\r\n[B]\r\nx=1\r\n");
    ASSERT_TRUE(write(written, L"A", L"k1", L"new"));
    EXPECT_EQ(test::ReadBytes(written), "[A]\r\nk1=new\r\nk5\r\n;c=d\r\n[B]\r\nx=1\r\n");
  }

  // Velvane turns the file into UTF-16LE for a value that needs it; the system reads it and writes it in that form,
  // the bytes Velvane writes for the same values.
  const std::wstring unicode = dir / L"unicode.ini";
  ASSERT_TRUE(platform::ProfileWrite(unicode, L"S", L"a", test::kSpanish));
  ASSERT_TRUE(platform::ProfileWrite(unicode, L"S", L"w", test::kWorld));
  EXPECT_EQ(SystemRead(unicode, L"S", L"a", 100) + SystemRead(unicode, L"S", L"w", 100), test::kSpanish + test::kWorld);
  ASSERT_TRUE(SystemWrite(unicode, L"T", L"n", test::kWorld + L"2"));
  EXPECT_EQ(platform::ProfileRead(unicode, L"T", L"n", 100), test::kWorld + L"2");
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
  SetAppFoldersFrom(assets);
  EXPECT_EQ(ReadSetting(DataDir + L"config.qdt", L"LANG", L"Op2"), L"Espa\u00F1ol|spanish");
  for (const auto& [file, key, text] : {std::tuple(L"velvane", L"_btn:add", L"A\u00F1adir"),
                                        std::tuple(L"velvane", L"_main:oconfiguration", L"Configuraci\u00F3n"),
                                        std::tuple(L"primewiz", L"_btn:prev", L"< Atr\u00E1s")}) {
    clsLang table;
    table.LoadLanguage(L"spanish", file);
    EXPECT_EQ(table.lReplace(key), text);
  }
  // An older second start hands its command line over untagged, in the system's code page: read in that one.
  const std::wstring sent = GetACP() == 1251 ? L"-addtodo \u0416\u0443\u043A"
                            : GetACP() == 932 ? L"-addtodo \u65E5\u672C" : L"-addtodo \u00C9t\u00E9";
  std::string bytes(64, '\0');
  bytes.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, sent.c_str(), static_cast<int>(sent.size()),
                                                       bytes.data(), 64, nullptr, nullptr)));
  EXPECT_EQ(HandOffCommand(0, bytes), sent);
}

}  // namespace
}  // namespace velvane
