#pragma once
#include <string_view>

namespace velvane::platform {

// Matches a file name against a pattern with * and ?, without regard to case, as a directory listing does.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name);
// Whether a listing of the pattern shows an entry that is hidden or a system file: only when the pattern names it
// without a wildcard, and always "." and "..", which stand for the folders themselves.
bool ListsHiddenEntry(std::wstring_view pattern, std::wstring_view name);

}  // namespace velvane::platform
