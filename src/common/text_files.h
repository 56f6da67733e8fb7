#pragma once
// The data files Velvane reads and writes whole or line by line, and the folder listings it looks through. Files
// without a byte-order mark are Windows-1252 on every system; text that does not fit it is stored with a mark (UTF-8
// in text files), see platform/text_codec.h.
#include <cstdint>
#include <string>
#include <vector>

#include "common/outcome.h"

namespace velvane {

// The whole file as text; "" on any error.
std::wstring ReadTextFile(const std::wstring& path);
// Line n (from 1) without its line break; a line ends at CR or CR LF. "" for n < 1, past the end, or on any error.
std::wstring ReadFileLine(const std::wstring& path, std::int32_t n);
// Replaces the file by the text followed by CR LF, in one step: a failed or interrupted write leaves the old file.
// A file that cannot be written answers the reason.
Outcome WriteTextFile(const std::wstring& path, const std::wstring& text);

bool FileExists(const std::wstring& path);    // a plain file matches (wildcards honoured)
bool FolderExists(const std::wstring& path);  // a folder or a file matches
// Every name the listing yields, "." and ".." included; at least one element ("" when nothing was found).
std::vector<std::wstring> ListFolder(const std::wstring& path);
std::wstring FileBaseName(const std::wstring& path, bool keepExtension);

}  // namespace velvane
