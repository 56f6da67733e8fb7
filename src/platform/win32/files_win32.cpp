#include <windows.h>

#include "platform/files.h"
#include "platform/wildcard.h"
#include "platform/win32/handles.h"

namespace velvane::platform {

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return std::nullopt;
  bytes.resize(read);
  return bytes;
}

std::optional<FileStamp> GetFileStamp(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return FileStamp{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                   static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                             data.ftLastWriteTime.dwLowDateTime)};
}

bool ReplaceFileContents(const std::wstring& path, std::string_view bytes) { return ReplaceFileContents(path, {bytes}); }

bool ReplaceFileContents(const std::wstring& path, std::initializer_list<std::string_view> parts) {
  const std::wstring temp = path + kSaveTemporarySuffix;
  {
    UniqueHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    bool ok = true;
    for (std::string_view bytes : parts) {
      DWORD written = 0;
      ok = ok && (bytes.empty() ||
                  (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                   written == bytes.size()));
    }
    ok = ok && FlushFileBuffers(file.get());
    if (!ok) {
      file.reset();
      DeleteFileW(temp.c_str());
      return false;
    }
  }
  if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temp.c_str());
    return false;
  }
  return true;
}

std::vector<DirEntry> ListDirectory(const std::wstring& pattern) {
  std::wstring query = pattern;
  if (query.empty() || query.back() == L'\\') query += L'*';
  std::vector<DirEntry> found;
  WIN32_FIND_DATAW data{};
  FindHandle find(FindFirstFileW(query.c_str(), &data));
  if (!find) return found;
  do {
    const bool hidden = (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    if (hidden && !ListsHiddenEntry(query, data.cFileName)) continue;
    found.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, hidden});
  } while (FindNextFileW(find.get(), &data));
  return found;
}

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path;
}

std::wstring ExecutableFolder() {
  const std::wstring path = ExecutablePath();
  return path.substr(0, path.find_last_of(L'\\'));
}

bool RemoveFile(const std::wstring& path) { return DeleteFileW(path.c_str()) != 0; }

}  // namespace velvane::platform
