#include <windows.h>
#include <shlobj.h>

#include "platform/user_folders.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"

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
  // shell32 and ole32 from the system folder, looked up on first use (platform/win32/system_library.h).
  using KnownFolderFn = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
  using FreeFn = void(WINAPI*)(void*);
  static const auto knownFolder = win32::SystemFunction<KnownFolderFn>(L"shell32.dll", "SHGetKnownFolderPath");
  static const auto free = win32::SystemFunction<FreeFn>(L"ole32.dll", "CoTaskMemFree");
  if (!knownFolder || !free) return {};
  PWSTR raw = nullptr;
  const HRESULT hr = knownFolder(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &raw);
  const std::wstring path = SUCCEEDED(hr) && raw ? raw : L"";
  free(raw);  // the system asks for the buffer to be freed even when the call failed
  return path;
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
