#pragma once
// The settings files (config.qdt, exec.qdt, a skin's skin.txt, the language options): sections of key=value lines,
// read and written a key at a time. Text that does not fit Windows-1252 makes the file UTF-16LE with a mark.
#include <cstddef>
#include <string>

namespace velvane {

constexpr std::size_t kSettingBufferChars = 5000;  // values read back are cut at 4999 characters

// A missing file, section or key reads as "". Never throws.
std::wstring ReadSetting(const std::wstring& file, const std::wstring& section, const std::wstring& key);
// Creates the file, section or key as needed; a failed write is ignored.
void WriteSetting(const std::wstring& file, const std::wstring& section, const std::wstring& key, const std::wstring& value);

}  // namespace velvane
