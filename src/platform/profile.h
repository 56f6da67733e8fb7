#pragma once
// Profile (INI) files, read and written by Velvane itself in the format of the Windows profile functions: those
// would read a file without a byte-order mark in the system's code page, and Velvane's files are Windows-1252 on
// every system. A file whose values need more is written in UTF-16LE with its mark, the form the Windows functions
// read and write too; it returns to Windows-1252 once everything fits that again.
#include <cstddef>
#include <string>

namespace velvane::platform {

// The value of key in section, at most maxChars - 1 characters, "" when the file, section or key is missing.
std::wstring ProfileRead(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                         std::size_t maxChars);
// Creates the file, section or key as needed, replacing the file in one step. False when the write failed.
bool ProfileWrite(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value);

}  // namespace velvane::platform
