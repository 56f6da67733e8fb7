#include "common/data_folder.h"

#include "platform/files.h"
#include "platform/user_folders.h"

namespace velvane {

std::wstring ChooseDataFolder(const std::wstring& programData, bool programDataWritable,
                              const std::wstring& localAppData) {
  if (programDataWritable || localAppData.empty()) return programData;
  const std::wstring base = localAppData.back() == L'\\' ? localAppData : localAppData + L"\\";
  return base + L"Velvane\\data\\";
}

std::wstring PrepareDataFolder(const std::wstring& appDir) {
  const std::wstring programData = appDir + L"data\\";
  // A copy without its data folder stays portable where its program folder can be written: the folder it lacks
  // is the user's to make, as ever.
  const bool hasDataFolder = !platform::ListDirectory(programData).empty();
  const bool writable = platform::CanWriteIn(hasDataFolder ? programData : appDir);
  // Asked for only when needed: finding the user's folder loads the shell's DLLs, a few megabytes for the whole run.
  const std::wstring chosen = ChooseDataFolder(programData, writable, writable ? L"" : platform::LocalAppDataFolder());
  if (chosen == programData) return chosen;
  // Nowhere to write at all: the shipped defaults are at least read where they are.
  if (!platform::MakeFolders(chosen.substr(0, chosen.size() - 1))) return programData;
  for (const platform::DirEntry& entry : platform::ListDirectory(programData)) {
    if (entry.folder || entry.hiddenOrSystem || platform::GetFileStamp(chosen + entry.name)) continue;
    if (const auto bytes = platform::ReadFileBytes(programData + entry.name))
      platform::ReplaceFileContents(chosen + entry.name, *bytes);
  }
  return chosen;
}

}  // namespace velvane
