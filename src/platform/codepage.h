#pragma once
// Conversion between the program's texts and the system ANSI code page (Windows-1252 here), in which every file,
// profile value and hand-off payload is stored. Characters the code page lacks become '?'.
#include <string>
#include <string_view>

namespace velvane::platform {

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

}  // namespace velvane::platform
