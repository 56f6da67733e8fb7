#pragma once
// Windows-1252, the code page of every stored file without a byte-order mark, whatever the system's code page.
#include <optional>
#include <string>
#include <string_view>

namespace velvane::platform::cp1252 {

// The bytes when every character has its own byte in the code page; nothing otherwise (no look-alike letters).
std::optional<std::string> EncodeExact(std::wstring_view text);
std::wstring Decode(std::string_view bytes);

}  // namespace velvane::platform::cp1252
