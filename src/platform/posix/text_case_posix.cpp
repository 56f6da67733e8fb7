// The C library's mapping in its neutral UTF-8 locale, which covers every script; where that locale is missing,
// only A to Z fold.
#include <locale.h>
#include <wctype.h>

#include "platform/text_case.h"

namespace velvane::platform {
namespace {

locale_t Neutral() {
  static const locale_t neutral = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return neutral;
}

template <typename Map>
std::wstring Mapped(std::wstring_view text, Map&& map, wchar_t from, wchar_t to, int shift) {
  std::wstring out(text);
  const locale_t neutral = Neutral();
  for (wchar_t& c : out) {
    if (neutral) c = static_cast<wchar_t>(map(static_cast<wint_t>(c), neutral));
    else if (c >= from && c <= to) c = static_cast<wchar_t>(c + shift);
  }
  return out;
}

}  // namespace

std::wstring UpperCase(std::wstring_view text) { return Mapped(text, towupper_l, L'a', L'z', L'A' - L'a'); }
std::wstring LowerCase(std::wstring_view text) { return Mapped(text, towlower_l, L'A', L'Z', L'a' - L'A'); }

}  // namespace velvane::platform
