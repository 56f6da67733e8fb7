#pragma once
// Profile (INI) files: the two operations of the Windows profile functions, in the ANSI code page.
#include <cstddef>
#include <string>

namespace velvane::platform {

// The value of key in section, at most maxChars - 1 characters, "" when the file, section or key is missing.
std::string ProfileRead(const std::string& file, const std::string& section, const std::string& key, std::size_t maxChars);
// Creates the file, section or key as needed. False when the write failed.
bool ProfileWrite(const std::string& file, const std::string& section, const std::string& key, const std::string& value);

}  // namespace velvane::platform
