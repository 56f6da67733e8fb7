#include "common/text_files.h"

#include "common/errors.h"
#include "common/text.h"
#include "platform/files.h"
#include "platform/text_codec.h"

namespace velvane {

std::wstring ReadTextFile(const std::wstring& path) {
  try {
    const auto bytes = platform::ReadFileBytes(path);
    return bytes ? platform::codec::DecodeStored(*bytes) : std::wstring();
  } catch (...) {
    return {};
  }
}

namespace {

// Reading a file line by line asks for lines 1, 2, 3, ... one call at a time. The lines of the last file read are
// kept, with the file's size and time, so a whole file costs one read instead of one read per line.
struct LineCache {
  std::wstring path;
  platform::FileStamp stamp;
  std::vector<std::wstring> lines;
};

LineCache& Cache() {
  static LineCache cache;
  return cache;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t from = 0;
  while (from < text.size()) {
    const size_t cr = text.find(L'\r', from);
    if (cr == std::wstring::npos) {
      lines.push_back(text.substr(from));
      break;
    }
    lines.push_back(text.substr(from, cr - from));
    from = cr + 1;
    if (from < text.size() && text[from] == L'\n') ++from;  // CR LF ends a line like CR alone
  }
  return lines;
}

}  // namespace

std::wstring ReadFileLine(const std::wstring& path, std::int32_t n) {
  if (n <= 0) return {};
  try {
    const auto stamp = platform::GetFileStamp(path);
    if (!stamp) return {};
    LineCache& cache = Cache();
    if (cache.path != path || !(cache.stamp == *stamp)) {
      const auto bytes = platform::ReadFileBytes(path);
      if (!bytes) return {};
      cache.path = path;
      cache.stamp = *stamp;
      cache.lines = SplitLines(platform::codec::DecodeStored(*bytes));
    }
    return static_cast<size_t>(n) <= cache.lines.size() ? cache.lines[static_cast<size_t>(n) - 1] : std::wstring();
  } catch (...) {
    return {};
  }
}

Outcome WriteTextFile(const std::wstring& path, const std::wstring& text) {
  Cache().path.clear();  // a file rewritten within the timer resolution must not be read from the cache
  // UTF-8 where the text needs it: an older copy reading the bytes line by line still finds every line and "[END]".
  const std::string bytes = platform::codec::EncodeStored(text + L"\r\n", platform::codec::UnicodeForm::Utf8);
  if (!platform::ReplaceFileContents(path, bytes)) return {ErrorNumber::FileAccess, "Path/File access error"};
  return {};
}

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  for (const auto& e : platform::ListDirectory(path))
    if (!e.folder && !e.hiddenOrSystem) return true;
  return false;
}

bool FolderExists(const std::wstring& path) {
  if (path.empty()) return false;
  return !platform::ListDirectory(path).empty();
}

std::vector<std::wstring> ListFolder(const std::wstring& path) {
  std::vector<std::wstring> names;
  if (!path.empty())
    for (const auto& e : platform::ListDirectory(path)) names.push_back(e.name);
  if (names.empty()) names.emplace_back();
  return names;
}

std::wstring FileBaseName(const std::wstring& path, bool keepExtension) {
  if (path.find(L'\\') == std::wstring::npos) return path;
  std::wstring name = path;
  for (int i = 0; i < 100; ++i) {
    const size_t at = name.find(L'\\');
    if (at == std::wstring::npos) break;
    name = DropLeft(name, static_cast<int>(at + 1));
  }
  return keepExtension ? name : TextBefore(name, L".");
}

}  // namespace velvane
