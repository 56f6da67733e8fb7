#pragma once
#include <string_view>

namespace velvane::platform {

// Matches a file name against a pattern with * and ?, without regard to case, as a directory listing does.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name);

}  // namespace velvane::platform
