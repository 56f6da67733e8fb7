#include "lists/list_file.h"

#include "common/text_files.h"

namespace velvane::lists {

Outcome WriteListFile(const std::wstring& path, const std::vector<std::wstring>& entries) {
  std::wstring text;
  for (const auto& entry : entries) text.append(entry).append(L"\r");
  text += kEndMarker;
  return WriteTextFile(path, text);
}

std::vector<std::wstring> ReadListFile(const std::wstring& path, int maxLines) {
  std::vector<std::wstring> entries;
  for (int n = 1; n <= maxLines; ++n) {
    std::wstring line = ReadFileLine(path, n);
    if (line == kEndMarker) break;
    // An empty line (hand-edited, or past the end of the file) holds no entry; skipping it keeps the entries after
    // it, which would otherwise sit behind a gap that the lists treat as their end.
    if (!line.empty()) entries.push_back(std::move(line));
  }
  return entries;
}

bool StorableEntry(const std::wstring& text) {
  return !text.empty() && text != kEndMarker && text.find(L'\r') == std::wstring::npos;
}

std::wstring OneLine(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;  // CR LF is one break
    out += (c == L'\r' || c == L'\n') ? L' ' : c;
  }
  return out;
}

}  // namespace velvane::lists
