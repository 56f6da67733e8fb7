// The system's own mapping for the invariant locale: no user's language (a Turkish "i") changes it.
#include <windows.h>

#include "platform/text_case.h"

namespace velvane::platform {
namespace {

std::wstring Mapped(std::wstring_view text, DWORD how) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::wstring out(text.size(), L'\0');
  const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, how, text.data(), length, out.data(), length, nullptr, nullptr, 0);
  // The mapping keeps the length; a text the system cannot map stays as it is.
  return n == length ? out : std::wstring(text);
}

}  // namespace

std::wstring UpperCase(std::wstring_view text) { return Mapped(text, LCMAP_UPPERCASE); }
std::wstring LowerCase(std::wstring_view text) { return Mapped(text, LCMAP_LOWERCASE); }

}  // namespace velvane::platform
