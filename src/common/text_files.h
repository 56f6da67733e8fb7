#pragma once
// Text files as Velvane stores them, and the folder listings it looks through. Files without a byte-order mark are
// Windows-1252 on every system; text that does not fit it is stored after a mark, in UTF-8 or UTF-16LE (see
// platform/text_codec.h).
#include <optional>
#include <string>
#include <vector>

#include "common/outcome.h"
#include "platform/files.h"
#include "platform/text_codec.h"

namespace velvane {

// The whole file as text; nothing when it cannot be read, with the system's error number in *error.
std::optional<std::wstring> ReadStoredText(const std::wstring& path, platform::SystemError* error = nullptr);
// Replaces the file by the text in one step: a failed or interrupted write leaves the old file.
Outcome WriteStoredText(const std::wstring& path, const std::wstring& text, platform::codec::UnicodeForm form);
// The same for a text file of the user's: the text and CR LF, in UTF-8 where Windows-1252 does not hold it.
Outcome WriteTextFile(const std::wstring& path, const std::wstring& text);
// The lines of a text: a line ends at CR or CR LF (a lone LF belongs to the line); a last line needs no break.
std::vector<std::wstring> SplitLines(const std::wstring& text);

bool FileExists(const std::wstring& path);    // a plain file matches (wildcards honoured)
bool FolderExists(const std::wstring& path);  // a folder or a file matches
// Every name the listing yields, "." and ".." included; at least one element ("" when nothing was found).
std::vector<std::wstring> ListFolder(const std::wstring& path);
std::wstring FileBaseName(const std::wstring& path, bool keepExtension);

}  // namespace velvane
