#pragma once
// The file format of the to-do list and the file shelf: each entry followed by a carriage return, then "[END]" and
// CR LF. A reader takes the file line by line (a line ends at CR or CR LF) up to the "[END]" line.
#include <string>
#include <vector>

#include "common/outcome.h"

namespace velvane::lists {

inline constexpr wchar_t kEndMarker[] = L"[END]";

// Replaces the file; a file that cannot be written answers the reason and is left as it was.
Outcome WriteListFile(const std::wstring& path, const std::vector<std::wstring>& entries);
// The non-empty lines before "[END]", reading at most maxLines lines. A missing file gives no entries.
std::vector<std::wstring> ReadListFile(const std::wstring& path, int maxLines);

// True when the text can be stored as one entry and read back as the same one.
bool StorableEntry(const std::wstring& text);
// Each line break (CR LF, CR or LF) replaced by one blank: for texts that must stay one line of a file.
std::wstring OneLine(const std::wstring& text);

}  // namespace velvane::lists
