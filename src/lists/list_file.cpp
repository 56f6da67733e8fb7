#include "lists/list_file.h"

#include "common/text_files.h"

namespace velvane::lists {

std::wstring ListFileText(const std::vector<std::wstring>& entries) {
  std::wstring text;
  for (const auto& entry : entries) text.append(entry).append(L"\r");
  return text + kEndMarker + L"\r\n";
}

std::vector<std::wstring> ListFileEntries(const std::wstring& text, int maxLines) {
  std::vector<std::wstring> entries;
  const std::vector<std::wstring> lines = SplitLines(text);
  for (size_t n = 0; n < lines.size() && n < static_cast<size_t>(maxLines); ++n) {
    if (lines[n] == kEndMarker) break;
    // An empty line (hand-edited) holds no entry; skipping it keeps the entries after it, which would otherwise sit
    // behind a gap that the lists treat as their end.
    if (!lines[n].empty()) entries.push_back(lines[n]);
  }
  return entries;
}

bool StorableEntry(const std::wstring& text) {
  return !text.empty() && text != kEndMarker && text.find(L'\r') == std::wstring::npos;
}

}  // namespace velvane::lists
