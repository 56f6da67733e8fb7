#include <windows.h>

#include "platform/files.h"
#include "platform/wildcard.h"
#include "platform/win32/handles.h"

namespace velvane::platform {

namespace {

// Nothing, with the system's error number of the step that failed.
std::nullopt_t Failed(SystemError* error, DWORD code = GetLastError()) {
  if (error) *error = code;
  return std::nullopt;
}

}  // namespace

std::wstring SystemErrorText(SystemError error) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words(text ? text : L"", n);
  LocalFree(text);
  while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' ')) words.pop_back();
  return words;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path, SystemError* error) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return Failed(error);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return Failed(error);
  if (size.QuadPart > 0x7FFFFFFF) return Failed(error, ERROR_FILE_TOO_LARGE);
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return Failed(error);
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

bool ReplaceFileContents(const std::wstring& path, std::string_view bytes, SystemError* error) {
  return ReplaceFileContents(path, {bytes}, error);
}

bool ReplaceFileContents(const std::wstring& path, std::initializer_list<std::string_view> parts, SystemError* error) {
  const std::wstring temp = path + kSaveTemporarySuffix;
  const auto fail = [&](DWORD code) {
    if (error) *error = code;
    DeleteFileW(temp.c_str());
    return false;
  };
  {
    UniqueHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return fail(GetLastError());
    for (std::string_view bytes : parts) {
      DWORD written = 0;
      if (bytes.empty()) continue;
      if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        const DWORD code = GetLastError();
        file.reset();
        return fail(code);
      }
      if (written != bytes.size()) {
        file.reset();
        return fail(ERROR_DISK_FULL);
      }
    }
    if (!FlushFileBuffers(file.get())) {
      const DWORD code = GetLastError();
      file.reset();
      return fail(code);
    }
  }
  if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return fail(GetLastError());
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
