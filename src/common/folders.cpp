#include "common/folders.h"

#include "common/data_folder.h"
#include "platform/files.h"

namespace velvane {

namespace {
std::wstring gApp, gData, gLang, gSkin;
}  // namespace

const std::wstring& AppDir = gApp;
const std::wstring& DataDir = gData;
const std::wstring& LangDir = gLang;
const std::wstring& SkinDir = gSkin;

void SetAppFoldersFrom(const std::wstring& programFolder) {
  gApp = programFolder + L"\\";
  gData = PrepareDataFolder(gApp);
  gLang = gApp + L"lang\\";
  gSkin = gApp + L"skins\\";
}

std::wstring ConfigFile() { return DataDir + L"config.qdt"; }

void SetAppFolders() { SetAppFoldersFrom(platform::ExecutableFolder()); }

}  // namespace velvane
