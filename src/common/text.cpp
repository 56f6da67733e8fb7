#include "common/text.h"

#include "platform/text_case.h"

namespace velvane {
namespace {

constexpr size_t kSeparatorReach = 255;  // a first separator beyond this character is not seen

// Index of the first occurrence that starts within reach, or npos.
size_t FindWithinReach(std::wstring_view text, std::wstring_view separator) {
  if (separator.empty()) return std::wstring_view::npos;
  const size_t at = text.find(separator);
  if (at == std::wstring_view::npos || at >= kSeparatorReach) return std::wstring_view::npos;
  return at;
}

}  // namespace

std::wstring TextBefore(std::wstring_view text, std::wstring_view separator) {
  const size_t at = FindWithinReach(text, separator);
  return at == std::wstring_view::npos ? std::wstring() : std::wstring(text.substr(0, at));
}

std::wstring TextAfter(std::wstring_view text, std::wstring_view separator) {
  const size_t at = FindWithinReach(text, separator);
  // The separator counts as one character long, whatever its length.
  return at == std::wstring_view::npos ? std::wstring(text) : std::wstring(text.substr(at + 1));
}

std::wstring DropLeft(std::wstring_view text, int n) {
  if (n < 0) n = 0;
  if (text.size() < static_cast<size_t>(n)) return {};
  return std::wstring(text.substr(static_cast<size_t>(n)));
}

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view what, std::wstring_view with) {
  if (what.empty()) return std::wstring(text);
  std::wstring out;
  out.reserve(text.size());
  size_t from = 0;
  for (size_t at = text.find(what); at != std::wstring_view::npos; at = text.find(what, from)) {
    out.append(text.substr(from, at - from)).append(with);
    from = at + what.size();
  }
  out.append(text.substr(from));
  return out;
}

std::wstring TrimBlanks(std::wstring_view text) {
  const size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const size_t last = text.find_last_not_of(L' ');
  return std::wstring(text.substr(first, last - first + 1));
}

std::wstring OneLine(std::wstring_view text) {
  if (text.find_first_of(L"\r\n") == std::wstring_view::npos) return std::wstring(text);
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;  // CR LF is one break
    out += (c == L'\r' || c == L'\n') ? L' ' : c;
  }
  return out;
}

std::wstring ToLowerText(std::wstring_view text) { return platform::LowerCase(text); }

std::wstring ToUpperText(std::wstring_view text) { return platform::UpperCase(text); }

std::wstring ToText(long long number) { return std::to_wstring(number); }

}  // namespace velvane
