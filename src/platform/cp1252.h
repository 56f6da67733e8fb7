#pragma once
// Windows-1252, the ANSI code page of a Western Windows: the portable twin of the system conversion.
#include <string>
#include <string_view>

namespace velvane::platform::cp1252 {

std::string Encode(std::wstring_view text);
std::wstring Decode(std::string_view bytes);

}  // namespace velvane::platform::cp1252
