#pragma once
// The profile (INI) format of the Windows profile functions, as pure functions over the text of a profile file.
// Observable rules, checked against the real functions by the conformance test: section and key names match
// without regard to case or surrounding blanks, the first matching section and key win, values lose surrounding
// blanks and one pair of matching quotes, writes replace a value in place or append the key to its section and the
// section to the file, and the rewritten file has one "name=value" line per key with CR LF line ends.
#include <cstddef>
#include <string>
#include <string_view>

namespace velvane::platform::ini {

std::wstring Read(std::wstring_view content, std::wstring_view section, std::wstring_view key, std::size_t maxChars);
std::wstring Write(std::wstring_view content, std::wstring_view section, std::wstring_view key,
                   std::wstring_view value);

}  // namespace velvane::platform::ini
