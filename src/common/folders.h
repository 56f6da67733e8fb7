#pragma once
// Where Velvane keeps its files: the program's folder and the data, language and skin folders in it. Set once by
// the start of each program; each ends with a backslash, and everything else only reads them. DataDir is the
// program folder's data\ or, where that cannot be written, the user's own (common/data_folder.h).
#include <string>

namespace velvane {

extern const std::wstring& AppDir;
extern const std::wstring& DataDir;
extern const std::wstring& LangDir;
extern const std::wstring& SkinDir;

void SetAppFolders();
// The same from a given program folder (without its trailing backslash), for tests and tools.
void SetAppFoldersFrom(const std::wstring& programFolder);
std::wstring ConfigFile();  // DataDir & "config.qdt", the settings of both programs

}  // namespace velvane
