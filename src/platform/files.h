#pragma once
// The file system as Velvane needs it. Paths are Windows paths (backslashes); the portable twin maps them.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velvane::platform {

struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // platform ticks; only compared for equality
  bool operator==(const FileStamp&) const = default;
};

struct DirEntry {
  std::wstring name;
  bool folder = false;
  bool hiddenOrSystem = false;
};

// The system's error number of a failed operation, and its own words for it.
using SystemError = std::uint32_t;
std::wstring SystemErrorText(SystemError error);

// The file's bytes; nothing when it cannot be read, and then the system's error number in *error.
std::optional<std::string> ReadFileBytes(const std::wstring& path, SystemError* error = nullptr);
std::optional<FileStamp> GetFileStamp(const std::wstring& path);
// A save writes to the file's name with this suffix first; a crash in the middle of the save leaves that file behind.
inline constexpr wchar_t kSaveTemporarySuffix[] = L".new~";

// Writes the bytes to a new file beside the old one and swaps it in with one rename, so an interrupted save leaves
// either the old file or the new one. False when any step fails, with the system's error number in *error; the old
// file is then untouched.
bool ReplaceFileContents(const std::wstring& path, std::string_view bytes, SystemError* error = nullptr);
// The same for a file made of parts written one after the other, so a large body need not be joined to its header.
bool ReplaceFileContents(const std::wstring& path, std::initializer_list<std::string_view> parts,
                         SystemError* error = nullptr);
// The names a directory listing of the pattern yields ("." and ".." included), wildcards * and ? honoured in the last
// component; a pattern ending with a backslash lists that folder. A listing offers what a person sees: hidden and
// system entries (the desktop.ini Explorer leaves in a folder it customised) only when the pattern names them.
std::vector<DirEntry> ListDirectory(const std::wstring& pattern);
// The full path of the running executable.
std::wstring ExecutablePath();
// The folder of the running executable, without a trailing backslash.
std::wstring ExecutableFolder();
bool RemoveFile(const std::wstring& path);
// Removes what interrupted saves left in the folder (given with its trailing backslash). Only the one program that
// saves there may call it, before it saves anything.
void RemoveSaveLeftovers(const std::wstring& folder);

}  // namespace velvane::platform
