#pragma once
// Where Velvane keeps its files, and the routines through which every setting and data file is read and written.
// Files without a byte-order mark are Windows-1252 on every system; text that does not fit it is stored with a mark
// (UTF-16LE in profile files, UTF-8 in text files), see platform/text_codec.h.
#include <cstdint>
#include <string>
#include <vector>

#include "common/outcome.h"

namespace velvane {

// Set once by SetAppFolders; each ends with a backslash.
extern std::wstring AppDir;
extern std::wstring DataDir;
extern std::wstring LangDir;
extern std::wstring SkinDir;

void SetAppFolders();
// The same from a given program folder (without its trailing backslash), for tests and tools.
void SetAppFoldersFrom(const std::wstring& programFolder);
std::wstring ConfigFile();  // DataDir & "config.qdt", the settings of both programs

constexpr std::size_t kSettingBufferChars = 5000;  // values read back are cut at 4999 characters

// A missing file, section or key reads as "". Never throws.
std::wstring ReadSetting(const std::wstring& file, const std::wstring& section, const std::wstring& key);
// Creates the file, section or key as needed; a failed write is ignored.
void WriteSetting(const std::wstring& file, const std::wstring& section, const std::wstring& key, const std::wstring& value);

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
std::intptr_t ShellOpen(const std::wstring& path, std::int32_t showMode);
std::wstring FileBaseName(const std::wstring& path, bool keepExtension);

}  // namespace velvane
