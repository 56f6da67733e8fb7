#include "common/text_files.h"

#include "common/text.h"
#include "platform/files.h"
#include "platform/text_codec.h"

namespace velvane {

std::optional<std::wstring> ReadStoredText(const std::wstring& path, platform::SystemError* error) {
  const auto bytes = platform::ReadFileBytes(path, error);
  if (!bytes) return std::nullopt;
  return platform::codec::DecodeStored(*bytes);
}

Outcome WriteStoredText(const std::wstring& path, const std::wstring& text, platform::codec::UnicodeForm form) {
  platform::SystemError error = 0;
  if (!platform::ReplaceFileContents(path, platform::codec::EncodeStored(text, form), &error)) return Outcome(error);
  return {};
}

Outcome WriteTextFile(const std::wstring& path, const std::wstring& text) {
  // UTF-8 where the text needs it: an older copy reading the bytes line by line still finds every line.
  return WriteStoredText(path, text + L"\r\n", platform::codec::UnicodeForm::Utf8);
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
