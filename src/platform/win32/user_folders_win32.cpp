#include <windows.h>
#include <shlobj.h>

#include "platform/user_folders.h"
#include "platform/win32/handles.h"

namespace velvane::platform {

bool CanWriteIn(const std::wstring& folder) {
  // A 64-bit program gets no write redirection: under Program Files a user without administrator rights is refused
  // here, as every later save would be.
  constexpr DWORD kGoneOnClose = FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE;
  UniqueHandle trial(CreateFileW((folder + L"~velvane-write-trial.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, kGoneOnClose, nullptr));
  return static_cast<bool>(trial);
}

std::wstring LocalAppDataFolder() {
  PWSTR raw = nullptr;
  const HRESULT hr = SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &raw);
  UniqueTaskMem path(raw);  // the system asks for the buffer to be freed even when the call failed
  return SUCCEEDED(hr) && raw ? std::wstring(raw) : std::wstring();
}

bool MakeFolders(const std::wstring& folder) {
  // Each parent in turn, from the first one below the drive or share; those that exist already are passed over.
  for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1))
    CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace velvane::platform
