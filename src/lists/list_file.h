#pragma once
// The file format of the to-do list and the file shelf: each entry followed by a carriage return, then "[END]" and
// CR LF. A reader takes the file line by line (a line ends at CR or CR LF) up to the "[END]" line.
#include <string>
#include <vector>

namespace velvane::lists {

inline constexpr wchar_t kEndMarker[] = L"[END]";

std::wstring ListFileText(const std::vector<std::wstring>& entries);
// The non-empty lines before "[END]" among the first maxLines lines of a list file's text.
std::vector<std::wstring> ListFileEntries(const std::wstring& text, int maxLines);
// True when the text can be stored as one entry and read back as the same one.
bool StorableEntry(const std::wstring& text);

}  // namespace velvane::lists
