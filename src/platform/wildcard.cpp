#include "platform/wildcard.h"

namespace velvane::platform {
namespace {

wchar_t Fold(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

}  // namespace

bool WildcardMatch(std::wstring_view pattern, std::wstring_view name) {
  size_t p = 0, n = 0, starP = std::wstring_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::wstring_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

bool ListsHiddenEntry(std::wstring_view pattern, std::wstring_view name) {
  const size_t slash = pattern.find_last_of(L'\\');
  const std::wstring_view last = slash == std::wstring_view::npos ? pattern : pattern.substr(slash + 1);
  return (!last.empty() && last.find_first_of(L"*?") == std::wstring_view::npos) || name == L"." || name == L"..";
}

}  // namespace velvane::platform
