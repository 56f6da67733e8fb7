#pragma once
// The portable twin of the Windows profile functions, as pure functions over the bytes of a profile file.
// Observable rules, checked against the real functions by the conformance tests: section and key names match
// without regard to case or surrounding blanks, the first matching section and key win, values lose surrounding
// blanks and one pair of matching quotes, writes replace a value in place or append the key to its section and the
// section to the file, and the rewritten file has one "name=value" line per key with CR LF line ends.
#include <cstddef>
#include <string>
#include <string_view>

namespace velvane::platform::ini {

std::string Read(std::string_view content, std::string_view section, std::string_view key, std::size_t maxChars);
std::string Write(std::string_view content, std::string_view section, std::string_view key, std::string_view value);

}  // namespace velvane::platform::ini
