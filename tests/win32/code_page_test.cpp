// The shipped files read the same whatever the system's code page. ctest runs this once as is and once each under a
// Russian (1251), Japanese (932) and UTF-8 system code page; VELVANE_CODE_PAGE names the one the run expects, so a
// run that did not get it fails instead of proving nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "common/lang.h"
#include "common/settings_store.h"

namespace velvane {
namespace {

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
}

}  // namespace
}  // namespace velvane
