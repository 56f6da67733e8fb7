#pragma once
// The few registry operations Velvane uses (per-user autostart). None reports failures.
#include <string>

namespace velvane::platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

std::wstring ReadRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name);
void WriteRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name, const std::wstring& data);
void DeleteRegValue(RegistryRoot root, const std::wstring& key, const std::wstring& name);
void CreateRegKey(RegistryRoot root, const std::wstring& key);

}  // namespace velvane::platform

// ---- The registry at the level of stored bytes, for the wizard's registry class ----
#include <cstdint>
#include <optional>
#include <vector>

namespace velvane::platform {

// Roots are the predefined handle numbers: 0x80000000 classes, 0x80000001 current user, 0x80000002 local machine.
using RegRoot = std::uint32_t;
inline constexpr RegRoot kRegClassesRoot = 0x80000000u;
inline constexpr RegRoot kRegCurrentUser = 0x80000001u;
inline constexpr RegRoot kRegLocalMachine = 0x80000002u;

// A stored value: its type number and its bytes exactly as stored (texts in UTF-16LE, usually with their terminating
// zero).
struct RegData {
  std::uint32_t type = 0;
  std::string bytes;
};

enum class RegStatus { Ok, NoKey, Failed };

bool RawKeyExists(RegRoot root, const std::wstring& key);
// Nothing when the key cannot be opened or the value cannot be read.
std::optional<RegData> RawQueryValue(RegRoot root, const std::wstring& key, const std::wstring& name);
// The names in the system's enumeration order; nothing when the key cannot be opened.
std::optional<std::vector<std::wstring>> RawValueNames(RegRoot root, const std::wstring& key);
std::optional<std::vector<std::wstring>> RawSubKeyNames(RegRoot root, const std::wstring& key);
// Creates the key (and its parents) or opens it when it exists.
bool RawCreateKey(RegRoot root, const std::wstring& key);
// Deletes a key without sub-keys.
bool RawDeleteKey(RegRoot root, const std::wstring& key);
// Creates the key when needed (NoKey when that fails), then writes the value (Failed when that fails).
RegStatus RawSetValue(RegRoot root, const std::wstring& key, const std::wstring& name, const RegData& data);
// NoKey when the key cannot be opened, Failed when the value cannot be deleted.
RegStatus RawDeleteValue(RegRoot root, const std::wstring& key, const std::wstring& name);

// Environment references (%NAME%) replaced by their values; unknown names stay as written.
std::wstring ExpandEnvironment(const std::wstring& text);

}  // namespace velvane::platform
